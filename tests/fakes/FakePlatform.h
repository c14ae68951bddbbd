#pragma once
// In-memory ports: a file system with Windows path rules, a registry, a
// system with settable facts, and message boxes answered from a script.
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "files/SafeSave.h"
#include "images/PeImageLibrary.h"
#include "pe/VersionResources.h"
#include "platform/Platform.h"
#include "ui/Form.h"

namespace lingvora::fake {

// Windows paths: case-insensitive, "/" and "\" alike.
inline Text pathKey(const Text& path) {
  Text k = upper(path);
  for (auto& c : k)
    if (c == u'/') c = u'\\';
  return k;
}

struct Files : FileSystem {
  std::map<Text, Bytes> files;
  std::set<Text> directories;  // every parent of a file is one too
  // By root with its trailing backslash (C:\, \\server\share\ and the like).
  std::map<Text, DiskSpace> drives;
  std::map<Text, Text> labels;
  bool failWrites = false;
  std::set<Text> unreadable;  // exist, but cannot be opened for a digest
  std::set<Text> readOnly;    // cannot be replaced
  int writes = 0;

  void addDirectory(const Text& path) {
    Text k = pathKey(path);
    while (!k.empty() && k.back() == u'\\') k.pop_back();
    for (std::size_t at = k.find(u'\\'); at != Text::npos; at = k.find(u'\\', at + 1))
      directories.insert(k.substr(0, at));
    directories.insert(k);
  }
  void put(const Text& path, std::string_view utf8) {
    putBytes(path, Bytes(utf8.begin(), utf8.end()));
  }
  void putBytes(const Text& path, Bytes bytes) {
    const Text k = pathKey(path);
    if (auto slash = k.rfind(u'\\'); slash != Text::npos) addDirectory(k.substr(0, slash));
    files[k] = std::move(bytes);
  }
  bool directoryExists(const Text& path) override {
    Text k = pathKey(path);
    while (!k.empty() && k.back() == u'\\') k.pop_back();
    return directories.count(k) != 0;
  }
  // Roots compare by Windows rules, the trailing backslash included.
  template <typename Map>
  static auto byRoot(Map& map, const Text& root) {
    return std::find_if(map.begin(), map.end(),
                        [&](const auto& entry) { return pathKey(entry.first) == pathKey(root); });
  }
  std::optional<DiskSpace> diskSpace(const Text& root) override {
    auto it = byRoot(drives, root);
    if (it == drives.end()) return std::nullopt;
    return it->second;
  }
  Text volumeLabel(const Text& root) override {
    auto it = byRoot(labels, root);
    return it == labels.end() ? Text() : it->second;
  }
  std::string get(const Text& path) const {
    auto it = files.find(pathKey(path));
    return it == files.end() ? std::string() : std::string(it->second.begin(), it->second.end());
  }
  bool fileExists(const Text& path) override { return files.count(pathKey(path)) != 0; }
  std::optional<Bytes> readWhole(const Text& path) override {
    auto it = files.find(pathKey(path));
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  struct Reader : FileReader {
    Bytes data;
    std::size_t at = 0;
    std::optional<std::size_t> read(std::uint8_t* buffer, std::size_t size) override {
      const std::size_t n = std::min(size, data.size() - at);
      std::copy(data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n), buffer);
      at += n;
      return n;
    }
  };
  std::unique_ptr<FileReader> openForDigest(const Text& path) override {
    auto it = files.find(pathKey(path));
    if (it == files.end() || unreadable.count(pathKey(path))) return nullptr;
    auto r = std::make_unique<Reader>();
    r->data = it->second;
    return r;
  }
  // Short names and the long paths they stand for, by prefix.
  std::map<Text, Text> longNames;
  Text longPath(const Text& path) override {
    const Text k = pathKey(path);
    for (const auto& [shortName, longName] : longNames)
      if (k.starts_with(pathKey(shortName))) return longName + path.substr(shortName.size());
    return path;
  }
  // Saves go through the program's own safe save, step by step, over this
  // disk: every step can be made to fail.
  enum class Step { Create, Write, Finish, Replace, OpenExisting };
  struct Fault {
    Step step;
    FileError error;
    int times = 1 << 30;  // how many of the next such steps fail
  };
  std::vector<Fault> faults;
  std::set<Text> heldOpen;          // by a reader without delete sharing
  std::optional<std::size_t> room;  // bytes the disk can still take
  int pauses = 0;

  bool replaceWhole(const Text& path, const Bytes& bytes) override {
    Steps steps{*this};
    const bool saved = saveWholeFile(steps, path, bytes);
    if (saved) ++writes;
    return saved;
  }

  FileError faultAt(Step step) {
    for (Fault& f : faults)
      if (f.step == step && f.times > 0) {
        --f.times;
        return f.error;
      }
    return FileError::None;
  }
  std::optional<Text> missingFolderOf(const Text& path) const {
    const Text k = pathKey(path);
    const auto slash = k.rfind(u'\\');
    if (slash == Text::npos || directories.count(k.substr(0, slash))) return std::nullopt;
    return k.substr(0, slash);
  }

  // Written byte by byte into the map, so that what a failure leaves
  // behind is what a real disk would hold.
  struct OpenFile : WritableFile {
    Files& disk;
    Text key;
    bool inPlace;
    std::size_t at = 0;
    OpenFile(Files& d, Text k, bool p) : disk(d), key(std::move(k)), inPlace(p) {}
    FileError write(const Bytes& bytes) override {
      const FileError fault = disk.faultAt(Step::Write);
      std::size_t n = fault == FileError::None ? bytes.size() : bytes.size() / 2;
      Bytes& content = disk.files[key];
      for (std::size_t i = 0; i < n; ++i, ++at) {
        if (at >= content.size()) {
          if (disk.room && *disk.room == 0) return FileError::DiskFull;
          if (disk.room) --*disk.room;
          content.push_back(bytes[i]);
        } else {
          content[at] = bytes[i];
        }
      }
      return fault;
    }
    FileError finish() override {
      const FileError fault = disk.faultAt(Step::Finish);
      if (fault != FileError::None) return fault;
      Bytes& content = disk.files[key];
      if (disk.room) *disk.room += content.size() - std::min(at, content.size());
      content.resize(std::min(at, content.size()));
      return FileError::None;
    }
  };
  struct Steps : FileSteps {
    Files& disk;
    explicit Steps(Files& d) : disk(d) {}
    bool isProtected(const Text& path) override {
      return disk.readOnly.count(pathKey(path)) || disk.directoryExists(path);
    }
    Text temporaryName(const Text& target) override { return target + u".~1.tmp"; }
    std::unique_ptr<WritableFile> create(const Text& path, FileError& error) override {
      error = disk.failWrites ? FileError::AccessDenied : disk.faultAt(Step::Create);
      if (error == FileError::None && disk.missingFolderOf(path)) error = FileError::NotFound;
      if (error != FileError::None) return nullptr;
      releaseRoom(pathKey(path));
      disk.files[pathKey(path)].clear();
      return std::make_unique<OpenFile>(disk, pathKey(path), false);
    }
    std::unique_ptr<WritableFile> openExisting(const Text& path, FileError& error) override {
      error = disk.faultAt(Step::OpenExisting);
      if (error == FileError::None && !disk.fileExists(path)) error = FileError::NotFound;
      if (error != FileError::None) return nullptr;
      return std::make_unique<OpenFile>(disk, pathKey(path), true);
    }
    std::optional<Bytes> readWhole(const Text& path) override { return disk.readWhole(path); }
    FileError replace(const Text& from, const Text& to) override {
      FileError error = disk.faultAt(Step::Replace);
      if (error == FileError::None && disk.heldOpen.count(pathKey(to)))
        error = FileError::AccessDenied;
      if (error == FileError::None && !disk.fileExists(from)) error = FileError::NotFound;
      if (error != FileError::None) return error;
      releaseRoom(pathKey(to));
      disk.files[pathKey(to)] = std::move(disk.files[pathKey(from)]);
      disk.files.erase(pathKey(from));
      return FileError::None;
    }
    void remove(const Text& path) override {
      releaseRoom(pathKey(path));
      disk.files.erase(pathKey(path));
    }
    void pause(int) override { ++disk.pauses; }
    void releaseRoom(const Text& key) {
      auto it = disk.files.find(key);
      if (disk.room && it != disk.files.end()) *disk.room += it->second.size();
    }
  };
};

struct FakeRegistry : Registry {
  std::map<Text, std::uint32_t> dwords;
  std::map<Text, Text> strings;
  static Text key(Hive h, const Text& k, const Text& v) {
    return (h == Hive::CurrentUser ? u"HKCU\\" : u"HKLM\\") + pathKey(k) + u"|" + upper(v);
  }
  std::optional<std::uint32_t> readDword(Hive h, const Text& k, const Text& v) override {
    auto it = dwords.find(key(h, k, v));
    if (it == dwords.end()) return std::nullopt;
    return it->second;
  }
  std::optional<Text> readString(Hive h, const Text& k, const Text& v) override {
    auto it = strings.find(key(h, k, v));
    if (it == strings.end()) return std::nullopt;
    return it->second;
  }
  void setDarkMode(bool dark) {
    dwords[key(Hive::CurrentUser,
               u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
               u"AppsUseLightTheme")] = dark ? 0 : 1;
  }
};

struct FakeSystem : System {
  OsVersion os{10, 0, 19045};
  int density = 96;
  Text exeDir = u"C:\\Pack";
  Date date{2026, 3, 5};
  std::map<Text, Bytes> resources;
  // Latin-1 stands in for the ANSI code page.
  AnsiCodePage ansiCodePage() override {
    return {[](const Bytes& b) { return Text(b.begin(), b.end()); },
            [](TextView t) -> std::optional<Bytes> {
              Bytes out;
              for (char16_t c : t) {
                if (c > 0xFF) return std::nullopt;
                out.push_back(static_cast<std::uint8_t>(c));
              }
              return out;
            }};
  }
  OsVersion osVersion() override { return os; }
  int screenDensity() override { return density; }
  Text executableDirectory() override { return exeDir; }
  Date today() override { return date; }
  std::optional<Bytes> ownResource(const Text& type, const Text& name) override {
    auto it = resources.find(type + u"/" + name);
    if (it == resources.end()) return std::nullopt;
    return it->second;
  }
  // A fixed border: 3 pixels each side, a caption of 22.
  ClientSize clientSize(int w, int h) override { return {w - 6, h - 28}; }
  bool contrast = false;
  bool highContrast() override { return contrast; }
};

struct Box {
  bool owned;
  Text caption, text;
  MessageIcon icon;
  MessageButtons buttons;
};

struct FakeDialogs : Dialogs {
  std::vector<Box> shown;
  std::deque<MessageAnswer> answers;  // default: No for questions, Ok otherwise
  MessageAnswer messageBox(bool owned, const Text& caption, const Text& text, MessageIcon icon,
                           MessageButtons buttons) override {
    shown.push_back({owned, caption, text, icon, buttons});
    if (!answers.empty()) {
      auto a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
  }
  struct Browse {
    Text title, initial;
  };
  std::vector<Browse> browsed;
  std::deque<std::optional<Text>> folders;  // default: cancelled
  std::optional<Text> browseForFolder(const Text& title, const Text& initial) override {
    browsed.push_back({title, initial});
    if (folders.empty()) return std::nullopt;
    auto f = folders.front();
    folders.pop_front();
    return f;
  }
};

struct FakeLocale : Locale {
  std::map<std::pair<std::uint16_t, std::uint32_t>, Text> fields;
  std::map<std::uint16_t, Text> names;
  Text localeText(std::uint16_t id, std::uint32_t field) override {
    auto it = fields.find({id, field});
    return it == fields.end() ? Text() : it->second;
  }
  Text localeName(std::uint16_t id) override {
    auto it = names.find(id);
    return it == names.end() ? Text() : it->second;
  }
  std::uint16_t uiLanguage = 1033;
  Text separator = u".";
  Text decimalSeparator() override { return separator; }
  std::uint16_t userInterfaceLanguage() override { return uiLanguage; }
  // The core's own folding up; down, ASCII and Latin-1 only.
  Text upperCase(std::uint16_t, const Text& text) override { return upper(text); }
  Text lowerCase(std::uint16_t, const Text& text) override {
    Text out = text;
    for (auto& c : out)
      if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 32;
    return out;
  }
  Text now = u"05.03.2026 14:07:09";
  Text dateTimeNow() override { return now; }
};

struct FakeShell : Shell {
  std::vector<Text> opened;
  void open(const Text& target) override { opened.push_back(target); }
  struct Started {
    Text program, workingDirectory;
    bool operator==(const Started&) const = default;
  };
  std::vector<Started> started;
  std::function<void()> onStart;  // runs as a program starts
  void start(const Text& program, const Text& workingDirectory) override {
    started.push_back({program, workingDirectory});
    if (onStart) onStart();
  }
  std::map<int, Text> folders;
  std::map<Text, Text> variables;  // names in upper case
  Text specialFolder(int csidl) override {
    auto it = folders.find(csidl);
    return it == folders.end() ? Text() : it->second;
  }
  Text environment(const Text& name) override {
    auto it = variables.find(upper(name));
    return it == variables.end() ? Text() : it->second;
  }
};

// Text metrics by rule: every character is three quarters of the point size
// wide, a line five pixels higher than the point size; a wrapped text takes
// as many lines as its width needs.
struct FakeMeasure : Measure {
  int listBorder = 4;
  static int charWidth(const Font& f) { return (f.points * 3 + 3) / 4; }
  static int lineHeight(const Font& f) { return f.points + 5; }
  Size textExtent(const Font& font, const Text& text, int wrapWidth) override {
    const int width = int(text.size()) * charWidth(font);
    if (wrapWidth <= 0 || width <= wrapWidth) return {width, lineHeight(font)};
    const int lines = (width + wrapWidth - 1) / wrapWidth;
    return {wrapWidth, lines * lineHeight(font)};
  }
  int listClientWidth(int outerWidth) override { return outerWidth - listBorder; }
  Margins groupBoxInsets(const Font& font) override { return {6, lineHeight(font), 6, 6}; }
};

// A process table. Every handle action is logged, in order, as
// "<action> <id>" (waits with their time: "wait 7 3000").
struct FakeProcesses : Processes {
  struct Process {
    std::uint32_t id = 0;
    Text path;  // the executable; the snapshot shows its file name
    std::uint64_t started = 1;
    bool running = true;
    bool readable = true;         // its path and start time can be read
    bool endable = true;          // the system lets it be ended
    bool hasWindow = true;        // it has a top-level window to ask
    bool closesWhenAsked = true;  // it closes on WM_CLOSE
    bool endsWhenEnded = true;    // ending it makes it end
  };
  std::vector<Process> table;  // in snapshot order
  int failingSnapshots = 0;    // the next snapshots that fail
  int snapshots = 0;           // snapshots asked for, failed ones included
  std::vector<std::string> log;

  Process& run(std::uint32_t id, const Text& path) {
    table.push_back({id, path});
    return table.back();
  }
  Process* find(std::uint32_t id) {
    for (auto& p : table)
      if (p.id == id) return &p;
    return nullptr;
  }
  std::optional<std::vector<ProcessEntry>> snapshot() override {
    ++snapshots;
    if (failingSnapshots > 0) return --failingSnapshots, std::nullopt;
    std::vector<ProcessEntry> out;
    for (const auto& p : table)
      if (p.running) out.push_back({p.id, fileName(p.path)});
    return out;
  }
  struct Handle : ProcessHandle {
    FakeProcesses& owner;
    Process process;  // the process as it was opened: a later entry of its id is another
    Handle(FakeProcesses& o, const Process& p) : owner(o), process(p) {}
    Process* live() {
      Process* p = owner.find(process.id);
      return p && p->started == process.started && p->path == process.path ? p : nullptr;
    }
    void note(const char* action, int ms = -1) {
      owner.log.push_back(std::string(action) + " " + std::to_string(process.id) +
                          (ms >= 0 ? " " + std::to_string(ms) : ""));
    }
    std::optional<Text> imagePath() override {
      if (!process.readable) return std::nullopt;
      return process.path;
    }
    std::optional<std::uint64_t> startTime() override {
      if (!process.readable) return std::nullopt;
      return process.started;
    }
    bool askToClose() override {
      note("close");
      Process* p = live();
      if (!p || !p->running || !p->hasWindow) return false;
      if (p->closesWhenAsked) p->running = false;
      return true;
    }
    bool end() override {
      note("end");
      Process* p = live();
      if (!p || !p->running || !p->endable) return false;
      if (p->endsWhenEnded) p->running = false;
      return true;
    }
    bool waitForEnd(int ms) override {
      note("wait", ms);
      Process* p = live();
      return !p || !p->running;
    }
  };
  std::vector<ProcessAccess> opened;
  std::unique_ptr<ProcessHandle> open(std::uint32_t id, ProcessAccess access) override {
    opened.push_back(access);
    Process* p = find(id);
    if (!p || !p->running) return nullptr;
    return std::make_unique<Handle>(*this, *p);
  }
};

struct FakePlatform {
  Files files;
  FakeRegistry registry;
  FakeSystem system;
  FakeDialogs dialogs;
  PeImageLibrary images{files};  // real library files, read with the portable reader
  FakeLocale locale;
  FakeShell shell;
  PeVersionResources versions{files};  // real executables, read with the portable reader
  FakeMeasure measure;
  FakeProcesses processes;
  Platform ports{files,  registry, system,   dialogs, images,
                 locale, shell,    versions, measure, processes};
};

}  // namespace lingvora::fake

namespace lingvora {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
}  // namespace lingvora
