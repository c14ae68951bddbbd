// lingvora-lint --fit, the Windows build: every page of both wizards and
// the language dialog built by the core for every language of the pack,
// laid out at the window's client size and measured with the system's
// fonts (the program's own measure), at 96 and 144 dpi. Each density runs
// in a process of its own, since the system takes it at process start;
// the pack is only read.
#include <windows.h>

#include "TextFitRun.h"

#include <cstdio>
#include <map>
#include <sstream>

#include "Fonts.h"
#include "Ports.h"
#include "Processes.h"
#include "app/MainWindow.h"
#include "driver/Machine.h"
#include "engine/Channel.h"
#include "lint/TextFit.h"

namespace lingvora {
namespace {

using namespace win32;

// The main window's styles, which decide its client size.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The pack's files as read, GUI.ini naming the language; what the wizard
// writes stays in memory.
struct PackFiles : Win32Files {
  Text guiPath;
  Bytes gui;
  std::map<Text, Bytes> written;
  bool fileExists(const Text& path) override {
    return written.count(upper(path)) || Win32Files::fileExists(path);
  }
  std::optional<Bytes> readWhole(const Text& path) override {
    if (auto it = written.find(upper(path)); it != written.end()) return it->second;
    if (equalsNoCase(path, guiPath)) return gui;
    return Win32Files::readWhole(path);
  }
  bool replaceWhole(const Text& path, const Bytes& bytes) override {
    written[upper(path)] = bytes;
    return true;
  }
};

struct PackSystem : Win32System {
  Text directory;
  PackSystem() : Win32System(kWindowStyle, kWindowExStyle) {}
  Text executableDirectory() override { return directory; }
};

// No box is shown: questions are answered Yes (go on), the rest OK.
struct SilentDialogs : Dialogs {
  MessageAnswer messageBox(bool, const Text&, const Text&, MessageIcon,
                           MessageButtons buttons) override {
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
  }
  std::optional<Text> browseForFolder(const Text&, const Text&) override { return std::nullopt; }
};

// Nothing is opened or started.
struct SilentShell : Win32Shell {
  void open(const Text&) override {}
  void start(const Text&, const Text&) override {}
};

struct Session {
  PackFiles files;
  Win32Registry registry;
  PackSystem system;
  SilentDialogs dialogs;
  Win32ImageLibrary images;
  Win32Locale locale;
  SilentShell shell;
  Win32VersionResources versions;
  Win32Measure measure;
  Win32Processes processes;
  Platform platform{files,  registry, system,   dialogs, images,
                    locale, shell,    versions, measure, processes};
  App app{platform};
  bool ended = false;

  Session(const Text& pack, const Text& language) {
    system.directory = pack;
    files.guiPath = joinPath(pack, u"GUI.ini");
    if (auto bytes = files.Win32Files::readWhole(files.guiPath)) {
      IniDocument doc = IniDocument::parse(*bytes, system.ansiCodePage());
      doc.write(u"LANG", u"Lang", language);
      files.gui = doc.serialize(system.ansiCodePage());
    }
  }
  template <typename F>
  void step(F action) {
    if (ended) return;
    try {
      action();
    } catch (const ProcessExit&) {
      ended = true;
    } catch (const std::exception&) {
      ended = true;
    }
    if (app.closing) ended = true;
    const ClientSize client = system.clientSize(app.form.width, app.form.height);
    app.form.layoutClient(client.width, client.height);
  }
  void engine(const Text& message) {
    Bytes b;
    for (char16_t c : message) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
    step([&] { receiveEngineMessage(app, kEngineMessageId, b.data(), b.size()); });
  }
};

constexpr const char16_t* kInstallerPages[] = {u"welcome",   u"license",         u"components",
                                               u"directory", u"process-monitor", u"installation",
                                               u"donation",  u"finish"};
constexpr const char16_t* kUninstallerPages[] = {u"welcome", u"summary", u"process-monitor",
                                                 u"uninstallation", u"finish"};

void report(std::FILE* out, const Text& language, const char* wizard, const Text& page,
            const std::vector<CutText>& cut, int density) {
  for (const CutText& c : cut) {
    Text text = c.text;
    for (char16_t& ch : text)
      if (ch == u'\t' || ch == u'\n' || ch == u'\r') ch = u' ';
    std::fprintf(out, "%s\t%s\t%s\t%s\t%d\t%d\t%d\t%s\n", toUtf8(language).c_str(), wizard,
                 toUtf8(page).c_str(), c.control.c_str(), c.pixels, c.height ? 1 : 0, density,
                 toUtf8(text).c_str());
  }
}

// Next from page to page, the engine's messages on the progress page and
// the countdown on the Donation page, up to the last page.
void walkWizard(std::FILE* out, const Text& pack, const Text& language, bool installer) {
  Session s(pack, language);
  s.step([&] { formCreate(s.app, {installer ? u"/ACTION=0" : u"/ACTION=1"}); });
  WizardState& w = installer ? s.app.state.installer : s.app.state.uninstaller;
  const int last = installer ? 7 : 4, progress = installer ? 5 : 3;
  MainForm& f = s.app.form;
  int seen = -1;
  for (int guard = 0; guard < 20 && !s.ended && seen < last; ++guard) {
    const int page = w.pageIndex;
    if (page != seen) {
      const Text name = installer ? kInstallerPages[page] : kUninstallerPages[page];
      report(out, language, installer ? "installer" : "uninstaller", name, cutTexts(f, s.measure),
             s.app.density());
      // Each component's description, as pointing at it shows it.
      if (installer && page == 2)
        for (int i = 0; i < int(f.TV_Installer_ComponentsPage_InstallTypes.items.size()); ++i) {
          s.step([&] {
            userTreeMouseMove(f.TV_Installer_ComponentsPage_InstallTypes, {treehit::OnLabel, i});
          });
          report(out, language, "installer", name, cutTexts(f, s.measure), s.app.density());
        }
      seen = page;
    }
    if (page == last) break;
    if (page == progress) {
      for (const Text& component : std::vector<Text>(w.workList))
        s.engine(u"ID_SECTION_" + component);
      s.engine(u"ID_SECTION_END");
      s.engine(u"ID_SECTION_FINISH");
    }
    if (installer && page == 6)
      for (int i = 0; i < 200 && f.TimerDonation.enabled; ++i)
        s.step([&] { timerTick(f.TimerDonation); });
    s.step([&] { userClick(f.Btn_GUI_Next); });
  }
  // How far the walk came, so that a wizard that stopped early is told.
  const Text reached = seen < 0    ? Text(u"start")
                       : installer ? Text(kInstallerPages[seen])
                                   : Text(kUninstallerPages[seen]);
  std::fprintf(out, "reached\t%s\t%s\t%s\t%d\n", toUtf8(language).c_str(),
               installer ? "installer" : "uninstaller", toUtf8(reached).c_str(),
               seen == last ? 1 : 0);
}

void languageDialog(std::FILE* out, const Text& pack) {
  Session s(pack, u"1033");
  s.step([&] { formCreate(s.app, {u"/LANG=languages.ini"}); });
  s.step([&] { formShow(s.app); });
  Control& list = s.app.form.CB_Lang_Languages;
  for (int i = 0; i < int(list.entries.size()) && !s.ended; ++i) {
    s.step([&] { userSelect(list, i); });
    report(out, decimal(list.entries[std::size_t(i)].value), "language", u"dialog",
           cutTexts(s.app.form, s.measure), s.app.density());
  }
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> parts;
  std::stringstream in(line);
  for (std::string part; std::getline(in, part, '\t');) parts.push_back(part);
  return parts;
}

// Runs this program at the density and reads what it reports.
std::string runAt(DWORD dpi, const std::wstring& commandLine) {
  driver::Density density(dpi);
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &sa, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = write;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  const bool started =
      CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  std::string output;
  if (started) {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) output.append(buffer, n);
    WaitForSingleObject(pi.hProcess, INFINITE);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(read);
  return output;
}

}  // namespace

int reportCutTexts(const Text& pack, const std::vector<Text>& languages) {
  for (const Text& language : languages)
    for (bool installer : {true, false}) walkWizard(stdout, pack, language, installer);
  languageDialog(stdout, pack);
  return 0;
}

std::vector<Finding> textFitFindings(const Text& pack) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::vector<Finding> findings;
  for (DWORD dpi : {96u, 144u}) {
    const std::wstring cmd = L"\"" + std::wstring(self) + L"\" --fit-here \"" +
                             std::wstring(pack.begin(), pack.end()) + L"\"";
    std::stringstream lines(runAt(dpi, cmd));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();  // a text-mode stdout
      const std::vector<std::string> p = split(line);
      if (p.size() == 5 && p[0] == "reached") {
        if (p[4] != "1")
          findings.push_back(
              {Severity::Warning, fromUtf8(p[1] + ".ini"), 0, "text-fit",
               fromUtf8("the " + p[2] + " stopped on page " + p[3] + " at " + std::to_string(dpi) +
                        " dpi: later pages were not measured")});
        continue;
      }
      if (p.size() < 8) continue;
      // language, wizard, page, control, pixels, by height, density, text
      const Text message = fromUtf8(
          p[1] + " page " + p[2] + " at " + p[6] + " dpi: " + p[3] +
          (p[5] == "1" ? " is " + p[4] + " px too short" : " is " + p[4] + " px too narrow") +
          " for \"" + p[7] + "\"");
      findings.push_back({Severity::Error, fromUtf8(p[0] + ".ini"), 0, "text-fit", message});
    }
  }
  return findings;
}

}  // namespace lingvora
