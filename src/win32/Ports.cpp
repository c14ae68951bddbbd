#include "Ports.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "DarkStyle.h"
#include "Handles.h"
#include "files/SafeSave.h"

namespace lingvora::win32 {
namespace {

// Larger files are not configuration: refuse them instead of allocating.
constexpr LONGLONG kMaxReadSize = 64ll << 20;
// Drive figures are kept as signed 64-bit counts.
constexpr ULONGLONG kMaxInt64 = ULONGLONG(std::numeric_limits<std::int64_t>::max());

HKEY root(Hive hive) { return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

UniqueKey openKey(Hive hive, const Text& key) {
  HKEY k = nullptr;
  // The player and the pack register themselves as 32-bit programs.
  const REGSAM view = hive == Hive::LocalMachine ? KEY_WOW64_32KEY : 0;
  if (RegOpenKeyExW(root(hive), wide(key), 0, KEY_READ | view, &k) != ERROR_SUCCESS) return {};
  return UniqueKey(k);
}

}  // namespace

namespace {
// Opening follows links, so a link counts when its target exists.
std::optional<DWORD> attributesThroughLinks(const Text& path) {
  UniqueFile f(CreateFileW(wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!f || !GetFileInformationByHandle(f.get(), &info)) return std::nullopt;
  return info.dwFileAttributes;
}
}  // namespace

bool Win32Files::fileExists(const Text& path) {
  auto a = path.empty() ? std::nullopt : attributesThroughLinks(path);
  return a && !(*a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::directoryExists(const Text& path) {
  auto a = path.empty() ? std::nullopt : attributesThroughLinks(path);
  return a && (*a & FILE_ATTRIBUTE_DIRECTORY);
}

Text Win32Files::longPath(const Text& path) {
  if (path.empty()) return path;
  std::u16string out(MAX_PATH, u'\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD n =
        GetLongPathNameW(wide(path), reinterpret_cast<wchar_t*>(out.data()), DWORD(out.size()));
    if (n == 0) return path;  // it does not exist, or cannot be read
    if (n < out.size()) return out.substr(0, n);
    out.assign(n, u'\0');  // n counts the terminator when the buffer was too small
  }
  return path;
}

std::optional<DiskSpace> Win32Files::diskSpace(const Text& root) {
  ULARGE_INTEGER available{}, total{};
  // An empty root would ask for the current directory's drive.
  if (root.empty() || !GetDiskFreeSpaceExW(wide(root), &available, &total, nullptr))
    return std::nullopt;
  return DiskSpace{std::int64_t(std::min<ULONGLONG>(total.QuadPart, kMaxInt64)),
                   std::int64_t(std::min<ULONGLONG>(available.QuadPart, kMaxInt64))};
}

Text Win32Files::volumeLabel(const Text& root) {
  wchar_t label[MAX_PATH + 1] = {};
  if (root.empty() || !GetVolumeInformationW(wide(root), label, MAX_PATH + 1, nullptr, nullptr,
                                             nullptr, nullptr, 0))
    return {};
  return text(label);
}

std::optional<Bytes> Win32Files::readWhole(const Text& path) {
  UniqueFile f(CreateFileW(wide(path), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!f || !GetFileSizeEx(f.get(), &size) || size.QuadPart > kMaxReadSize) return std::nullopt;
  Bytes bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(f.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                  nullptr) ||
        got == 0)
      return std::nullopt;
    done += got;
  }
  return bytes;
}

namespace {

FileError lastFileError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
      return FileError::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::SharingViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    default:
      return FileError::Other;
  }
}

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(UniqueFile f) : f_(std::move(f)) {}
  FileError write(const Bytes& bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(f_.get(), bytes.data() + done, chunk, &written, nullptr))
        return lastFileError();
      if (written == 0) return FileError::DiskFull;
      done += written;
    }
    return FileError::None;
  }
  FileError finish() override {
    return SetEndOfFile(f_.get()) && FlushFileBuffers(f_.get()) ? FileError::None : lastFileError();
  }

 private:
  UniqueFile f_;
};

struct Win32FileSteps : FileSteps {
  bool isProtected(const Text& path) override {
    // Windows refuses to replace a read-only file (Wine would not): say so
    // before writing anything, on every system alike.
    const DWORD attributes = GetFileAttributesW(wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  }
  Text temporaryName(const Text& target) override {
    return target + u".~" + decimal(GetCurrentProcessId()) + u".tmp";
  }
  std::unique_ptr<WritableFile> open(const Text& path, DWORD share, DWORD disposition,
                                     FileError& error) {
    UniqueFile f(CreateFileW(wide(path), GENERIC_WRITE, share, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) {
      error = lastFileError();
      return nullptr;
    }
    return std::make_unique<Win32WritableFile>(std::move(f));
  }
  std::unique_ptr<WritableFile> create(const Text& path, FileError& error) override {
    return open(path, 0, CREATE_ALWAYS, error);
  }
  std::unique_ptr<WritableFile> openExisting(const Text& path, FileError& error) override {
    return open(path, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, error);
  }
  std::optional<Bytes> readWhole(const Text& path) override { return Win32Files().readWhole(path); }
  FileError replace(const Text& from, const Text& to) override {
    return MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? FileError::None
               : lastFileError();
  }
  void remove(const Text& path) override { DeleteFileW(wide(path)); }
  void pause(int milliseconds) override { Sleep(DWORD(milliseconds)); }
};

}  // namespace

bool Win32Files::replaceWhole(const Text& path, const Bytes& bytes) {
  Win32FileSteps steps;
  return saveWholeFile(steps, path, bytes);
}

namespace {
class Win32Reader : public FileReader {
 public:
  explicit Win32Reader(UniqueFile f) : f_(std::move(f)) {}
  std::optional<std::size_t> read(std::uint8_t* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(f_.get(), buffer, DWORD(size), &got, nullptr)) return std::nullopt;
    return got;
  }

 private:
  UniqueFile f_;
};
}  // namespace

std::unique_ptr<FileReader> Win32Files::openForDigest(const Text& path) {
  // Readers may share the file; writers may not change it meanwhile.
  UniqueFile f(CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!f) return nullptr;
  return std::make_unique<Win32Reader>(std::move(f));
}

std::optional<std::uint32_t> Win32Registry::readDword(Hive hive, const Text& key,
                                                      const Text& value) {
  UniqueKey k = openKey(hive, key);
  DWORD type = 0, data = 0, size = sizeof data;
  if (!k ||
      RegQueryValueExW(k.get(), wide(value), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data)
    return std::nullopt;
  return data;
}

std::optional<Text> Win32Registry::readString(Hive hive, const Text& key, const Text& value) {
  UniqueKey k = openKey(hive, key);
  DWORD type = 0, size = 0;
  if (!k ||
      RegQueryValueExW(k.get(), wide(value), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size > (1u << 20))
    return std::nullopt;
  std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = DWORD(buf.size() * sizeof(wchar_t));
  if (RegQueryValueExW(k.get(), wide(value), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                       &got) != ERROR_SUCCESS)
    return std::nullopt;
  buf.resize(got / sizeof(wchar_t));
  while (!buf.empty() && buf.back() == L'\0') buf.pop_back();
  return text(buf.c_str(), buf.size());
}

Win32System::Win32System(DWORD style, DWORD exStyle) : style_(style), exStyle_(exStyle) {}

OsVersion Win32System::osVersion() {
  // GetVersionEx answers according to the manifest; RtlGetVersion tells the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  auto fn = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  if (!fn || fn(&info) != 0) {
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
  }
  return {unsigned(info.dwMajorVersion), unsigned(info.dwMinorVersion),
          unsigned(info.dwBuildNumber)};
}

bool Win32System::highContrast() {
  HIGHCONTRASTW hc{sizeof hc, 0, nullptr};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
         (hc.dwFlags & HCF_HIGHCONTRASTON);
}

int Win32System::screenDensity() {
  WindowDc dc(nullptr);
  return dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
}

Text Win32System::executableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  auto slash = path.find_last_of(L"\\/");
  return text(path.c_str(), slash == std::wstring::npos ? 0 : slash);
}

AnsiCodePage Win32System::ansiCodePage() {
  return {[](const Bytes& b) -> Text {
            if (b.empty()) return {};
            int n = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(b.data()),
                                        int(b.size()), nullptr, 0);
            std::wstring w(size_t(n > 0 ? n : 0), L'\0');
            if (n > 0)
              MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(b.data()), int(b.size()),
                                  w.data(), n);
            return text(w.c_str(), w.size());
          },
          [](TextView t) -> std::optional<Bytes> {
            if (t.empty()) return Bytes{};
            BOOL lossy = FALSE;
            auto w = reinterpret_cast<const wchar_t*>(t.data());
            int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, int(t.size()), nullptr, 0,
                                        nullptr, &lossy);
            if (n <= 0 || lossy) return std::nullopt;
            Bytes out(size_t(n), 0);
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, int(t.size()),
                                reinterpret_cast<char*>(out.data()), n, nullptr, &lossy);
            if (lossy) return std::nullopt;
            return out;
          }};
}

Date Win32System::today() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay};
}

std::optional<Bytes> Win32System::ownResource(const Text& type, const Text& name) {
  HRSRC r = FindResourceW(nullptr, wide(name), wide(type));
  if (!r) return std::nullopt;
  HGLOBAL g = LoadResource(nullptr, r);
  const void* data = g ? LockResource(g) : nullptr;
  if (!data) return std::nullopt;
  auto p = static_cast<const std::uint8_t*>(data);
  return Bytes(p, p + SizeofResource(nullptr, r));
}

ClientSize Win32System::clientSize(int windowWidth, int windowHeight) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style_, FALSE, exStyle_);
  return {windowWidth - (frame.right - frame.left), windowHeight - (frame.bottom - frame.top)};
}

std::optional<Bytes> Win32ImageLibrary::resource(const Text& libraryPath, LibraryResource type,
                                                 const Text& name) {
  // Only as a resource container: none of the library's code runs.
  HMODULE module = LoadLibraryExW(wide(libraryPath), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (reinterpret_cast<ULONG_PTR>(module) <= 32) return std::nullopt;
  UniqueLibrary library(module);
  HRSRC r =
      FindResourceW(module, wide(name), type == LibraryResource::Picture ? RT_RCDATA : RT_BITMAP);
  HGLOBAL g = r ? LoadResource(module, r) : nullptr;
  const void* data = g ? LockResource(g) : nullptr;
  if (!data) return std::nullopt;
  auto p = static_cast<const std::uint8_t*>(data);
  return Bytes(p, p + SizeofResource(module, r));
}

Text Win32Locale::localeText(std::uint16_t languageId, std::uint32_t field) {
  const int length = GetLocaleInfoW(languageId, field, nullptr, 0);
  if (length <= 0) return {};
  std::wstring buf(size_t(length), L'\0');
  if (GetLocaleInfoW(languageId, field, buf.data(), length) <= 0) return {};
  return text(buf.c_str());
}

Text Win32Locale::localeName(std::uint16_t languageId) {
  wchar_t buf[85];
  if (LCIDToLocaleName(languageId, buf, 85, 0) == 0) return {};
  return text(buf);
}

std::uint16_t Win32Locale::userInterfaceLanguage() { return GetUserDefaultUILanguage(); }

namespace {

// The language's own casing rules (Turkish dotted I and the like); a
// language the system does not know maps by the system's default rules.
Text mapCase(std::uint16_t languageId, const Text& t, DWORD how) {
  if (t.empty()) return t;
  std::wstring in(wide(t));
  const LCID lcid = MAKELCID(languageId, SORT_DEFAULT);
  const DWORD flags = how | LCMAP_LINGUISTIC_CASING;
  const int n = LCMapStringW(lcid, flags, in.c_str(), int(in.size()), nullptr, 0);
  if (n > 0) {
    std::wstring out(size_t(n), L'\0');
    if (LCMapStringW(lcid, flags, in.c_str(), int(in.size()), out.data(), n) == n)
      return text(out.c_str(), size_t(n));
  }
  if (how == LCMAP_UPPERCASE)
    CharUpperBuffW(in.data(), DWORD(in.size()));
  else
    CharLowerBuffW(in.data(), DWORD(in.size()));
  return text(in.c_str(), in.size());
}

}  // namespace

Text Win32Locale::upperCase(std::uint16_t languageId, const Text& t) {
  return mapCase(languageId, t, LCMAP_UPPERCASE);
}

Text Win32Locale::lowerCase(std::uint16_t languageId, const Text& t) {
  return mapCase(languageId, t, LCMAP_LOWERCASE);
}

Text Win32Locale::decimalSeparator() { return localeText(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL); }
Text Win32Locale::dateTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  wchar_t date[128] = {}, time[128] = {};
  const int d = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128);
  const int t = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, 128);
  return text(d > 0 ? date : L"") + u" " + text(t > 0 ? time : L"");
}

Text Win32Shell::specialFolder(int csidl) {
  wchar_t buf[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buf, csidl, FALSE)) return {};
  return text(buf);
}

Text Win32Shell::environment(const Text& name) {
  const DWORD n = GetEnvironmentVariableW(wide(name), nullptr, 0);
  if (n == 0) return {};
  std::wstring buf(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(wide(name), buf.data(), n);
  if (got == 0 || got >= n) return {};
  return text(buf.c_str(), got);
}

namespace {

// Synchronous, so that an open the shell would finish on another thread is
// not cut off when the process ends right after; without the shell's own
// error boxes, since a failure is not reported.
void shellOpen(const Text& target, const Text& directory) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = wide(target);
  info.lpDirectory = directory.empty() ? nullptr : wide(directory);
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

}  // namespace

void Win32Shell::open(const Text& target) { shellOpen(target, u""); }

void Win32Shell::start(const Text& program, const Text& workingDirectory) {
  shellOpen(program, workingDirectory);
}

std::optional<Bytes> Win32VersionResources::load(const Text& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(wide(file), &ignored);
  if (size == 0) return std::nullopt;
  Bytes block(size);
  if (!GetFileVersionInfoW(wide(file), 0, size, block.data())) return std::nullopt;
  return block;
}

std::optional<Bytes> Win32VersionResources::query(const Bytes& block, const Text& subBlock) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), wide(subBlock), &value, &length) || !value) return std::nullopt;
  auto p = static_cast<const std::uint8_t*>(value);
  const auto* end = block.data() + block.size();
  // String values count characters; keep what lies inside the block.
  const bool text = subBlock.find(u"StringFileInfo") != Text::npos;
  size_t bytes = text ? size_t(length) * 2 : size_t(length);
  if (p < block.data() || p > end) return std::nullopt;
  bytes = std::min(bytes, size_t(end - p));
  return Bytes(p, p + bytes);
}

MessageAnswer Win32Dialogs::messageBox(bool owned, const Text& caption, const Text& t,
                                       MessageIcon icon, MessageButtons buttons) {
  HWND owner = owned ? mainWindow : nullptr;
  if (styles && styles->enabled()) {
    Win32System system{0, 0};
    return styledMessageBox(owner, caption, t, icon, buttons, styles->active(), system.osVersion());
  }
  UINT flags = (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONWARNING) |
               (buttons == MessageButtons::Ok ? MB_OK : MB_YESNO);
  switch (MessageBoxW(owner, wide(t), wide(caption), flags)) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Other;
  }
}

namespace {

// Opens the browser on the initial folder once it stands.
int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM initial) {
  if (message == BFFM_INITIALIZED && initial)
    SendMessageW(window, BFFM_SETSELECTIONW, TRUE, initial);
  return 0;
}

}  // namespace

std::optional<Text> Win32Dialogs::browseForFolder(const Text& title, const Text& initial) {
  BROWSEINFOW info{};
  info.hwndOwner = mainWindow;
  info.lpszTitle = wide(title);
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON;
  info.lpfn = browseCallback;
  info.lParam = initial.empty() ? 0 : LPARAM(wide(initial));
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH + 1] = {};
  const BOOL isPath = SHGetPathFromIDListW(chosen, path);
  CoTaskMemFree(chosen);
  if (!isPath || !path[0]) return std::nullopt;
  return text(path);
}

}  // namespace lingvora::win32
