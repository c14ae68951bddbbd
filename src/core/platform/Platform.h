#pragma once
// The ports: every facility of the operating system that the logic needs,
// named after what the logic needs. The Win32 shell implements them on the
// real API; the tests implement them in memory.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ini/IniDocument.h"
#include "text/Text.h"
#include "ui/Form.h"

namespace lingvora {

struct DiskSpace {
  std::int64_t total = 0, available = 0;  // bytes; available to the calling user
};

// A file open for reading; read gives 0 at the end, nothing on an error.
struct FileReader {
  virtual ~FileReader() = default;
  virtual std::optional<std::size_t> read(std::uint8_t* buffer, std::size_t size) = 0;
};

struct FileSystem {
  virtual ~FileSystem() = default;
  // A link counts as existing when its target exists.
  virtual bool fileExists(const Text& path) = 0;
  virtual bool directoryExists(const Text& path) = 0;
  // The figures of a drive, asked with its root and trailing backslash
  // (C:\, \\server\share\); nothing when the system cannot tell.
  virtual std::optional<DiskSpace> diskSpace(const Text& root) = 0;
  // The volume label of a drive, asked the same way; empty when it cannot
  // be read.
  virtual Text volumeLabel(const Text& root) = 0;
  virtual std::optional<Bytes> readWhole(const Text& path) = 0;
  // Writes a temporary file beside the target, flushes it and replaces the
  // target with it, so that a failure never leaves a half-written file.
  // Where a reader holding the target refuses the replace, the content is
  // written over it in place instead.
  virtual bool replaceWhole(const Text& path, const Bytes& bytes) = 0;
  // Opened for reading while other writers are denied; nothing if it cannot be.
  virtual std::unique_ptr<FileReader> openForDigest(const Text& path) = 0;
  // The path with every step in its long name (8.3 names expanded); the
  // path as given when the system cannot tell.
  virtual Text longPath(const Text& path) = 0;
};

enum class Hive { CurrentUser, LocalMachine };

struct Registry {
  virtual ~Registry() = default;
  // Read-only; HKLM through the 32-bit view. A value of another type is absent.
  virtual std::optional<std::uint32_t> readDword(Hive hive, const Text& key, const Text& value) = 0;
  virtual std::optional<Text> readString(Hive hive, const Text& key, const Text& value) = 0;
};

struct OsVersion {
  unsigned major = 0, minor = 0, build = 0;
};

struct Date {
  int year = 0, month = 0, day = 0;
};

struct ClientSize {
  int width = 0, height = 0;
};

struct System {
  virtual ~System() = default;
  virtual OsVersion osVersion() = 0;
  // Logical pixels per inch of the screen, read once at start.
  virtual int screenDensity() = 0;
  // Directory of the running executable, without trailing separator.
  virtual Text executableDirectory() = 0;
  virtual AnsiCodePage ansiCodePage() = 0;
  virtual Date today() = 0;
  // A resource of the program itself (type and name as text), if it has one.
  virtual std::optional<Bytes> ownResource(const Text& type, const Text& name) = 0;
  // The client area of the main window when the whole window has this size.
  virtual ClientSize clientSize(int windowWidth, int windowHeight) = 0;
  // A high-contrast colour scheme is on.
  virtual bool highContrast() = 0;
};

enum class MessageIcon { Error, Warning };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Other };

struct Dialogs {
  virtual ~Dialogs() = default;
  // ownedByMainWindow false: a box with no owner window.
  virtual MessageAnswer messageBox(bool ownedByMainWindow, const Text& caption, const Text& text,
                                   MessageIcon icon, MessageButtons buttons) = 0;
  // The system's folder browser, owned by the main window: file-system
  // folders only, no button for a new folder, opened on initial (none when
  // empty). Nothing when the user cancels or picks what has no path.
  virtual std::optional<Text> browseForFolder(const Text& title, const Text& initial) = 0;
};

struct Shell {
  virtual ~Shell() = default;
  // The folder of a CSIDL number, without creating it; empty if unknown.
  virtual Text specialFolder(int csidl) = 0;
  // Empty when the variable is not defined.
  virtual Text environment(const Text& name) = 0;
  // Opens a file, web address or mailto address with the verb "open";
  // the result is not checked. The open is complete when this returns, so
  // the process may end right after.
  virtual void open(const Text& target) = 0;
  // Starts a program the same way, in that working directory.
  virtual void start(const Text& program, const Text& workingDirectory) = 0;
};

// The version resource of an executable, as GetFileVersionInfo and
// VerQueryValue see it.
struct VersionResources {
  virtual ~VersionResources() = default;
  // The whole version resource of the file; nothing if it has none.
  virtual std::optional<Bytes> load(const Text& file) = 0;
  // The value at a sub-block path such as \StringFileInfo\040904B0\ProductName.
  virtual std::optional<Bytes> query(const Bytes& block, const Text& subBlock) = 0;
};

enum class LibraryResource { Picture, Bitmap };  // RCDATA (10), BITMAP (2)

struct ImageLibrary {
  virtual ~ImageLibrary() = default;
  // Opens the library as a resource-only image, copies out the named
  // resource and closes the library again; nothing when either is missing.
  virtual std::optional<Bytes> resource(const Text& libraryPath, LibraryResource type,
                                        const Text& name) = 0;
};

struct Locale {
  virtual ~Locale() = default;
  // One field of the system's information about a language; empty if none.
  virtual Text localeText(std::uint16_t languageId, std::uint32_t field) = 0;
  // The locale name, such as pl-PL; empty if none.
  virtual Text localeName(std::uint16_t languageId) = 0;
  // The user's default user-interface language.
  virtual std::uint16_t userInterfaceLanguage() = 0;
  // Upper or lower case by the rules of that language.
  virtual Text upperCase(std::uint16_t languageId, const Text& text) = 0;
  virtual Text lowerCase(std::uint16_t languageId, const Text& text) = 0;
  // The decimal separator of the user's number format.
  virtual Text decimalSeparator() = 0;
  // The local date and time now: the user's short date, a space and the
  // user's long time.
  virtual Text dateTimeNow() = 0;
};

// One entry of a snapshot of the running processes.
struct ProcessEntry {
  std::uint32_t id = 0;
  Text exeName;  // the executable's file name, without directory
};

// A process opened by its identifier; the handle holds on to that very
// process (its identifier cannot be reused while it is open) and is closed
// when this is destroyed.
struct ProcessHandle {
  virtual ~ProcessHandle() = default;
  // The full path of its executable, without a length limit, also of a
  // 64-bit process; nothing when it cannot be read.
  virtual std::optional<Text> imagePath() = 0;
  // When it started, in the system's units; nothing when it cannot be read.
  virtual std::optional<std::uint64_t> startTime() = 0;
  // Asks it to close: WM_CLOSE posted to each of its top-level windows.
  // False when it has none to ask.
  virtual bool askToClose() = 0;
  // Ends it at once with exit code 0; false when the system refuses.
  virtual bool end() = 0;
  // True once it has ended, waiting at most that long for it.
  virtual bool waitForEnd(int milliseconds) = 0;
};

// Query: read its path and start time. End: also ask it to close, end it
// and wait for it.
enum class ProcessAccess { Query, End };

struct Processes {
  virtual ~Processes() = default;
  // The running processes (not their heaps or modules); nothing when the
  // snapshot cannot be taken.
  virtual std::optional<std::vector<ProcessEntry>> snapshot() = 0;
  // Nothing when it cannot be opened with that access (gone, or no rights).
  virtual std::unique_ptr<ProcessHandle> open(std::uint32_t id, ProcessAccess access) = 0;
};

struct Platform {
  FileSystem& files;
  Registry& registry;
  System& system;
  Dialogs& dialogs;
  ImageLibrary& images;
  Locale& locale;
  Shell& shell;
  VersionResources& versions;
  Measure& measure;
  Processes& processes;
};

}  // namespace lingvora
