// The ports on the real (Wine) API: what the core relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "Fonts.h"
#include "Handles.h"
#include "Ports.h"
#include "Processes.h"
#include "appearance/Theme.h"
#include "config/Config.h"
#include "digest/Md5.h"
#include "engine/Exchange.h"
#include "images/PeImageLibrary.h"
#include "images/Pictures.h"
#include "pe/VersionResources.h"
#include "player/Probe.h"
#include "player/Version.h"

using namespace lingvora;
using namespace lingvora::win32;

namespace {

// An empty directory of this run's own.
Text tempDir() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  Text dir = text(buf) + u"lingvora-adapters";
  CreateDirectoryW(wide(dir), nullptr);
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW(wide(joinPath(dir, u"*")), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const Text file = joinPath(dir, text(fd.cFileName));
      SetFileAttributesW(wide(file), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(wide(file));
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  return dir;
}

// Every port on the real API, as GUI.exe bundles them.
struct RealPlatform {
  Win32Files files;
  Win32Registry registry;
  Win32System system{WS_CAPTION, 0};
  Win32Dialogs dialogs;
  Win32ImageLibrary images;
  Win32Locale locale;
  Win32Shell shell;
  Win32VersionResources versions;
  Win32Measure measure;
  Win32Processes processes;
  Platform ports{files,  registry, system,   dialogs, images,
                 locale, shell,    versions, measure, processes};
};

TEST(Files, ReplaceWholeReadWholeAndExistence) {
  Win32Files files;
  const Text dir = tempDir();
  const Text path = joinPath(dir, u"DATA.ini");
  EXPECT_FALSE(files.fileExists(path));
  EXPECT_FALSE(files.fileExists(dir));  // a directory is not a file
  EXPECT_FALSE(files.readWhole(path));

  ASSERT_TRUE(files.replaceWhole(path, Bytes{'a', 'b'}));
  ASSERT_TRUE(files.replaceWhole(path, Bytes{'x', 'y', 'z'}));
  EXPECT_TRUE(files.fileExists(path));
  EXPECT_EQ(files.readWhole(path), (Bytes{'x', 'y', 'z'}));
  ASSERT_TRUE(files.replaceWhole(path, Bytes{}));
  EXPECT_EQ(files.readWhole(path), Bytes{});

  // No temporary file is left beside the target.
  WIN32_FIND_DATAW fd;
  int count = 0;
  HANDLE find = FindFirstFileW(wide(joinPath(dir, u"*")), &fd);
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  EXPECT_EQ(count, 1);

  // A read-only target is refused and keeps its content.
  SetFileAttributesW(wide(path), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.replaceWhole(path, Bytes{'n', 'o'}));
  EXPECT_EQ(files.readWhole(path), Bytes{});
  SetFileAttributesW(wide(path), FILE_ATTRIBUTE_NORMAL);
}

// The engine may be reading the file at the moment of the save, through a
// handle without delete sharing, which refuses the replace: the save still
// happens, whole, in place.
TEST(Files, ReplaceWholeWhileAReaderHoldsTheFile) {
  Win32Files files;
  const Text path = joinPath(tempDir(), u"held.ini");
  ASSERT_TRUE(files.replaceWhole(path, Bytes{'o', 'l', 'd', '-', 'l', 'o', 'n', 'g'}));
  HANDLE reader = CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(files.replaceWhole(path, Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(files.readWhole(path), (Bytes{'n', 'e', 'w'}));
  CloseHandle(reader);
  // A holder that shares nothing: the save fails and the file stays as it was.
  HANDLE exclusive = CreateFileW(wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(files.replaceWhole(path, Bytes{'x'}));
  CloseHandle(exclusive);
  EXPECT_EQ(files.readWhole(path), (Bytes{'n', 'e', 'w'}));
}

// The engine is another process: this test program, started again, plays
// it, holding the file open for reading without delete sharing.
TEST(FileHolder, HoldsTheFileNamedInTheEnvironment) {
  wchar_t path[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"LINGVORA_HOLD", path, MAX_PATH)) GTEST_SKIP();
  HANDLE held = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, L"LingvoraHoldReady"));
  WaitForSingleObject(OpenEventW(SYNCHRONIZE, FALSE, L"LingvoraHoldRelease"), 20000);
  CloseHandle(held);
}

TEST(Files, ReplaceWholeWhileAnotherProcessHoldsTheFile) {
  Win32Files files;
  const Text path = joinPath(tempDir(), u"DATA.ini");
  ASSERT_TRUE(files.replaceWhole(path, Bytes{'o', 'l', 'd', '-', 'l', 'o', 'n', 'g'}));
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, L"LingvoraHoldReady");
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"LingvoraHoldRelease");
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) +
                         L"\" --gtest_filter=FileHolder.HoldsTheFileNamedInTheEnvironment";
  SetEnvironmentVariableW(L"LINGVORA_HOLD", wide(path));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi));
  SetEnvironmentVariableW(L"LINGVORA_HOLD", nullptr);
  ASSERT_EQ(WaitForSingleObject(ready, 20000), WAIT_OBJECT_0);
  EXPECT_TRUE(files.replaceWhole(path, Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(files.readWhole(path), (Bytes{'n', 'e', 'w'}));
  SetEvent(release);
  WaitForSingleObject(pi.hProcess, 20000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  for (HANDLE h : {pi.hProcess, pi.hThread, ready, release}) CloseHandle(h);
  // Nothing is left beside it.
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(wide(joinPath(tempDir(), u"DATA.ini.~*")), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST(Files, SavedDocumentReadsBackThroughTheProfileApi) {
  Win32Files files;
  Win32System system(WS_CAPTION, 0);
  const Text path = joinPath(tempDir(), u"GUI.ini");
  auto doc =
      IniDocument::parse(Bytes{'[', 'I', 'N', 'F', 'O', ']', '\r', '\n'}, system.ansiCodePage());
  const Text value = fromUtf8("C:\\Gry\\Łódź Программы 播放器");
  doc.write(u"INFO", u"InstallDir", value);
  doc.write(u"INFO", u"Portable", u"1");
  ASSERT_TRUE(files.replaceWhole(path, doc.serialize(system.ansiCodePage())));
  wchar_t buf[256];
  GetPrivateProfileStringW(L"INFO", L"InstallDir", L"", buf, 256, wide(path));
  EXPECT_EQ(text(buf), value);
  EXPECT_EQ(GetPrivateProfileIntW(L"INFO", L"Portable", 7, wide(path)), 1u);
}

TEST(Registry, ReadsDwordsAndStringsByType) {
  const wchar_t* key = L"Software\\Lingvora\\AdapterTest";
  HKEY k;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
      ERROR_SUCCESS);
  DWORD zero = 0;
  RegSetValueExW(k, L"Dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegSetValueExW(k, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Winamp"), 20);
  RegCloseKey(k);
  Win32Registry reg;
  const Text path = u"Software\\Lingvora\\AdapterTest";
  EXPECT_EQ(reg.readDword(Hive::CurrentUser, path, u"Dword"), 0u);
  EXPECT_EQ(reg.readString(Hive::CurrentUser, path, u"Text"), Text(u"C:\\Winamp"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, path, u"Text"));  // another type is absent
  EXPECT_FALSE(reg.readString(Hive::CurrentUser, path, u"Dword"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, path, u"Missing"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, u"Software\\Lingvora\\NoSuchKey", u"Dword"));
  // Dark mode follows AppsUseLightTheme through the same port.
  EXPECT_FALSE(detectDarkMode(reg));
}

TEST(Registry, LocalMachineThroughThe32BitView) {
  const wchar_t* key = L"Software\\Lingvora\\ViewTest";
  HKEY k;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                            nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(k, L"View", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"32"), 6);
  RegCloseKey(k);
  Win32Registry reg;
  EXPECT_EQ(reg.readString(Hive::LocalMachine, u"Software\\Lingvora\\ViewTest", u"View"),
            Text(u"32"));
}

TEST(System, FactsOfTheRunningProgram) {
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  Win32System system(style, 0);
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const Text dir = system.executableDirectory();
  EXPECT_EQ(dir + u"\\win32_adapter_tests.exe", text(exe));
  EXPECT_GE(system.osVersion().major, 6u);
  EXPECT_EQ(system.screenDensity(), 96);
  EXPECT_GE(system.today().year, 2024);

  RECT frame{0, 0, 544, 437};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const ClientSize client = system.clientSize(544, 437);
  EXPECT_EQ(client.width + (frame.right - frame.left - 544), 544);
  EXPECT_EQ(client.height + (frame.bottom - frame.top - 437), 437);

  AnsiCodePage ansi = system.ansiCodePage();
  EXPECT_EQ(ansi.decode(Bytes{'a', 'b', 'c'}), u"abc");
  EXPECT_EQ(ansi.encode(u"abc"), (Bytes{'a', 'b', 'c'}));
  EXPECT_FALSE(ansi.encode(fromUtf8("播放器")));  // no ANSI form
}

TEST(System, BuiltInDarkStylesAreWellFormed) {
  Win32System system(WS_CAPTION, 0);
  StyleManager styles;
  registerBuiltInStyles(styles, system);
  EXPECT_EQ(styles.registeredNames(), (std::vector<Text>{u"Windows", u"iGUI", u"uGUI"}));
  applyTheme(styles, true, false);
  EXPECT_EQ(styles.active().name, u"uGUI");
  EXPECT_TRUE(styles.enabled());
}

}  // namespace

namespace {

Text examplePixora() {
  const char* dir = std::getenv("LINGVORA_EXAMPLE_PACK");
  Text path = u"Z:" + fromUtf8(dir ? dir : "");
  for (auto& c : path)
    if (c == u'/') c = u'\\';
  return path + u"\\Pixora.dll";
}

TEST(ImageLibrary, RealApiAnswersAsThePortableReader) {
  Win32ImageLibrary real;
  Win32Files files;
  PeImageLibrary portable(files);
  const Text lib = examplePixora();
  ASSERT_TRUE(files.fileExists(lib)) << toUtf8(lib);
  for (const Text& name : {Text(u"HEADER_WINAMP_96"), Text(u"wacup_192"), Text(u"FLAG_1045_144")}) {
    auto a = real.resource(lib, LibraryResource::Picture, name);
    auto b = portable.resource(lib, LibraryResource::Picture, name);
    ASSERT_TRUE(a) << toUtf8(name);
    EXPECT_EQ(a, b);
    // The same pixels as the native decode.
    Form form;
    Control img{form, "Img", ControlKind::Picture, nullptr};
    loadPicture(real, lib, name, img);
    ASSERT_TRUE(img.picture);
    EXPECT_EQ(*img.picture, *decodePng(*b));
  }
  EXPECT_FALSE(real.resource(lib, LibraryResource::Picture, u"NO_SUCH_PICTURE"));
  EXPECT_FALSE(real.resource(lib, LibraryResource::Bitmap, u"HEADER_WINAMP_96"));
  EXPECT_FALSE(real.resource(lib + u".missing", LibraryResource::Picture, u"HEADER_WINAMP_96"));
}

TEST(ImageLibrary, BitmapsDecodeAsTheSystemLoadsThem) {
  Win32ImageLibrary real;
  const Text lib = examplePixora();
  HMODULE module = LoadLibraryExW(wide(lib), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(module);
  UniqueLibrary owner(module);
  for (bool dark : {false, true}) {
    for (const Text& name : pictureName::checkStates(dark)) {
      Form form;
      Control list{form, "IL", ControlKind::ImageList, nullptr};
      loadImageListBitmap(real, lib, name, list);
      ASSERT_EQ(list.images.size(), 1u) << toUtf8(name);
      const MaskedImage& ours = list.images[0];

      UniqueGdi bitmap(LoadImageW(module, wide(name), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
      ASSERT_TRUE(bitmap);
      BITMAPINFO bi{};
      bi.bmiHeader = {sizeof(BITMAPINFOHEADER),
                      ours.image.width,
                      -ours.image.height,
                      1,
                      32,
                      BI_RGB,
                      0,
                      0,
                      0,
                      0,
                      0};
      std::vector<std::uint8_t> pixels(ours.image.bgra.size());
      WindowDc screen(nullptr);
      ASSERT_EQ(GetDIBits(screen.get(), static_cast<HBITMAP>(bitmap.get()), 0,
                          UINT(ours.image.height), pixels.data(), &bi, DIB_RGB_COLORS),
                ours.image.height);
      for (std::size_t i = 0; i < ours.mask.size(); ++i) {
        const bool magenta =
            pixels[i * 4] == 0xFF && pixels[i * 4 + 1] == 0 && pixels[i * 4 + 2] == 0xFF;
        ASSERT_EQ(ours.mask[i], magenta ? 1 : 0) << i;
        for (int c = 0; c < 3 && !magenta; ++c)
          ASSERT_EQ(ours.image.bgra[i * 4 + c], pixels[i * 4 + c]) << i;
      }
    }
  }
}

TEST(Locale, FieldsAndNamesOfALanguage) {
  Win32Locale locale;
  EXPECT_EQ(locale.localeName(1045), u"pl-PL");
  EXPECT_EQ(locale.localeText(1045, 1), u"0415");
  EXPECT_EQ(locale.localeText(1033, 0x1001), u"English");
  EXPECT_EQ(locale.localeText(0x7FFF, 2), u"");
  EXPECT_EQ(locale.localeName(0x7FFF), u"");
}

TEST(Locale, CaseMappingOfALanguage) {
  Win32Locale locale;
  EXPECT_EQ(locale.upperCase(1045, u"pomóż w tłumaczeniu"), u"POMÓŻ W TŁUMACZENIU");
  EXPECT_EQ(locale.lowerCase(1045, u"ŻÓŁW"), u"żółw");
  EXPECT_EQ(locale.upperCase(0x7FFF, u"ąb"), u"ĄB");  // unknown: the default rules
  EXPECT_EQ(locale.lowerCase(1033, u""), u"");
}

}  // namespace

namespace {

Text fromEnvPath(const char* variable, const char16_t* below) {
  const char* dir = std::getenv(variable);
  Text path = u"Z:" + fromUtf8(dir ? dir : "") + u"/" + below;
  for (auto& c : path)
    if (c == u'/') c = u'\\';
  return path;
}

TEST(VersionResources, RealApiAnswersAsThePortableReader) {
  Win32Files files;
  Win32VersionResources real;
  PeVersionResources portable(files);
  for (const char16_t* player :
       {u"winamp-5.9.2\\winamp.exe", u"winamp-5.9.3\\winamp.exe", u"wacup\\wacup.exe",
        u"other-translation\\winamp.exe", u"no-version\\winamp.exe"}) {
    const Text exe = fromEnvPath("LINGVORA_PLAYERS", player);
    SCOPED_TRACE(toUtf8(exe));
    ASSERT_TRUE(files.fileExists(exe));
    const TEXEVersionData a = readVersionData(real, exe), b = readVersionData(portable, exe);
    EXPECT_EQ(a.ProductName, b.ProductName);
    EXPECT_EQ(a.FileVersion, b.FileVersion);
    EXPECT_EQ(a.CompanyName, b.CompanyName);
    EXPECT_EQ(a.LegalCopyright, b.LegalCopyright);
    EXPECT_EQ(a.ProductVersion, b.ProductVersion);
    EXPECT_EQ(readFileVersion(files, real, exe), readFileVersion(files, portable, exe));
  }
  const Text exe = fromEnvPath("LINGVORA_PLAYERS", u"winamp-5.9.2\\winamp.exe");
  EXPECT_EQ(readVersionData(real, exe).FileVersion, u"5.9.2.10042");
  EXPECT_EQ(readFileVersion(files, real, exe), u"5.9.2.10042");
  EXPECT_EQ(readFileVersion(files, real, exe + u".missing"), u"");
}

TEST(Shell, SpecialFoldersEnvironmentAndDisks) {
  Win32Shell shell;
  Win32Files files;
  const Text programFiles = shell.specialFolder(38);
  EXPECT_FALSE(programFiles.empty());
  EXPECT_NE(programFiles.back(), u'\\');
  EXPECT_TRUE(files.directoryExists(programFiles));
  EXPECT_EQ(shell.specialFolder(26), shell.environment(u"APPDATA"));
  EXPECT_EQ(shell.specialFolder(12345), u"");
  SetEnvironmentVariableW(L"LINGVORA_TEST", L"value");
  EXPECT_EQ(shell.environment(u"lingvora_test"), u"value");
  EXPECT_EQ(shell.environment(u"LINGVORA_UNDEFINED"), u"");

  EXPECT_TRUE(files.directoryExists(u"C:\\windows\\"));
  EXPECT_FALSE(files.directoryExists(u"C:\\windows\\notepad.exe"));
  EXPECT_FALSE(files.directoryExists(u""));
  auto disk = files.diskSpace(u"C:");
  ASSERT_TRUE(disk);
  EXPECT_GT(disk->total, 0);
  EXPECT_LE(disk->available, disk->total);
  EXPECT_FALSE(files.diskSpace(u"\\\\nosuchserver\\share"));
}

struct ProfileCase {
  const char* name;
  std::string bytes;
};

// The core's reader answers as GetPrivateProfileStringW does.
TEST(Profile, ReaderMatchesTheSystemOnAwkwardFiles) {
  const std::string longValue(3000, 'v');
  auto utf16 = [](const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
  };
  const std::string body = "[Winamp]\r\ninidir=C:\\Config\r\n";
  const std::vector<ProfileCase> cases = {
      {"quotes", "[Winamp]\r\ninidir=\"C:\\Quoted Dir\"\r\ninifile='single'\r\nmixed=\"a'\r\n"},
      {"spaces", "  [ Winamp ]  \r\n   inidir   =   C:\\Spaced Dir   \r\n"},
      {"comments",
       "; comment\r\n[Winamp]\r\n;inidir=C:\\Commented\r\ninidir=C:\\Real\r\n# x=y\r\n"},
      {"duplicate keys", "[Winamp]\r\ninidir=C:\\First\r\ninidir=C:\\Second\r\n"},
      {"duplicate sections", "[Winamp]\r\ninifile=a.ini\r\n[WINAMP]\r\ninidir=C:\\Second\r\n"},
      {"case", "[WINAMP]\r\nINIDIR=C:\\Upper\r\n"},
      {"utf-8 bom", "\xEF\xBB\xBF" + body},
      {"utf-16le bom", utf16(body, false)},
      {"utf-16be bom", utf16(body, true)},
      {"no trailing newline", "[Winamp]\r\ninidir=C:\\Last"},
      {"lf only", "[Winamp]\ninidir=C:\\Unix\n"},
      {"long line", "[Winamp]\r\ninidir=" + longValue + "\r\n"},
      {"empty value", "[Winamp]\r\ninidir=\r\ninifile\r\n"},
  };
  RealPlatform real;
  Platform& p = real.ports;
  Win32Files& files = real.files;
  const Text path = joinPath(tempDir(), u"paths.ini");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(files.replaceWhole(path, Bytes(c.bytes.begin(), c.bytes.end())));
    for (const char16_t* key : {u"inidir", u"inifile", u"mixed", u"missing"}) {
      std::vector<wchar_t> buf(8192);
      GetPrivateProfileStringW(L"Winamp", wide(Text(key)), L"<default>", buf.data(),
                               DWORD(buf.size()), wide(path));
      EXPECT_EQ(toUtf8(readProfileString(p, path, u"Winamp", key, u"<default>")),
                toUtf8(text(buf.data())))
          << toUtf8(key);
    }
  }
}

}  // namespace

namespace {

TEST(DataIni, WrittenByTheProgramReadBackByTheProfileApi) {
  RealPlatform real;
  Platform& p = real.ports;
  Win32Files& files = real.files;
  App app(p);
  const Text data = joinPath(tempDir(), u"DATA.ini");
  const Text dir = fromUtf8("D:\\Gry\\Łódź Winamp");
  ASSERT_TRUE(
      files.replaceWhole(data, Bytes{'[', 'E', ']', '\r', '\n', 'k', '=', 'v', '\r', '\n'}));
  ASSERT_TRUE(writeInstallDirToDataIni(app, data, dir));
  wchar_t buf[512];
  GetPrivateProfileStringW(L"SYSTEM", L"InstallDir", L"", buf, 512, wide(data));
  EXPECT_EQ(text(buf), dir);
  GetPrivateProfileStringW(L"E", L"k", L"", buf, 512, wide(data));
  EXPECT_EQ(text(buf), u"v");
  // A missing file is created; a read-only one is refused.
  const Text fresh = joinPath(tempDir(), u"DATA.ini");
  ASSERT_TRUE(writeInstallDirToDataIni(app, fresh, u"C:\\Winamp"));
  GetPrivateProfileStringW(L"SYSTEM", L"InstallDir", L"", buf, 512, wide(fresh));
  EXPECT_EQ(text(buf), u"C:\\Winamp");
  SetFileAttributesW(wide(fresh), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(writeInstallDirToDataIni(app, fresh, u"E:\\Other"));
  SetFileAttributesW(wide(fresh), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileDigest, DeniesWritersWhileReading) {
  Win32Files files;
  const Text path = joinPath(tempDir(), u"plugin.dll");
  ASSERT_TRUE(files.replaceWhole(path, Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(fileDigest(files, path), Text(u"900150983cd24fb0d6963f7d28e17f72"));
  auto reader = files.openForDigest(path);
  ASSERT_TRUE(reader);
  HANDLE writer = CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  // A file held open for writing by someone else cannot be read: no digest.
  reader.reset();
  HANDLE holder =
      CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(fileDigest(files, path));
  CloseHandle(holder);
  EXPECT_FALSE(fileDigest(files, path + u".missing"));
}

}  // namespace

namespace {

// The running fixture player, started from its build directory.
PROCESS_INFORMATION startPlayer(bool ignoresClose) {
  std::wstring cmd = L"\"" +
                     std::wstring(wide(fromEnvPath("LINGVORA_PLAYERS", u"running\\winamp.exe"))) +
                     L"\"" + (ignoresClose ? L" --ignore-close" : L"");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION info{};
  CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info);
  // Running once its window is there to be asked.
  for (int i = 0; i < 500 && info.hProcess; ++i) {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"LingvoraFixturePlayer", nullptr))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == info.dwProcessId) return info;
    }
    Sleep(20);
  }
  return info;
}

}  // namespace

TEST(Processes, SnapshotPathStartTimeAndLongPaths) {
  Win32Files files;
  Win32Processes processes;
  const auto entries = processes.snapshot();
  ASSERT_TRUE(entries);
  wchar_t own[MAX_PATH];
  GetModuleFileNameW(nullptr, own, MAX_PATH);
  const Text ownPath = text(own);
  const auto self = std::find_if(entries->begin(), entries->end(), [](const ProcessEntry& e) {
    return e.id == GetCurrentProcessId();
  });
  ASSERT_NE(self, entries->end());
  EXPECT_TRUE(equalsNoCase(self->exeName, ownPath.substr(ownPath.find_last_of(u'\\') + 1)));

  auto process = processes.open(GetCurrentProcessId(), ProcessAccess::Query);
  ASSERT_TRUE(process);
  const auto image = process->imagePath();
  ASSERT_TRUE(image);
  EXPECT_TRUE(samePath(files.longPath(*image), files.longPath(ownPath))) << toUtf8(*image);
  const auto started = process->startTime();
  ASSERT_TRUE(started);
  EXPECT_EQ(processes.open(GetCurrentProcessId(), ProcessAccess::Query)->startTime(), started);

  // A short name stands for the long one; a path that does not exist stays as given.
  const Text dir = joinPath(tempDir(), u"Long Directory Name");
  CreateDirectoryW(wide(dir), nullptr);
  wchar_t shortName[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(wide(dir), shortName, MAX_PATH), 0u);
  EXPECT_TRUE(samePath(files.longPath(text(shortName)), dir)) << toUtf8(text(shortName));
  EXPECT_EQ(files.longPath(u"C:\\no\\such\\PROGRA~9"), u"C:\\no\\such\\PROGRA~9");
}

TEST(Processes, AskedToCloseOrEndedAndWaitedFor) {
  Win32Processes processes;
  for (bool ignoresClose : {false, true}) {
    SCOPED_TRACE(ignoresClose);
    PROCESS_INFORMATION info = startPlayer(ignoresClose);
    ASSERT_TRUE(info.hProcess);
    auto player = processes.open(info.dwProcessId, ProcessAccess::End);
    ASSERT_TRUE(player);
    EXPECT_FALSE(player->waitForEnd(0));
    EXPECT_TRUE(player->askToClose());
    if (ignoresClose) {
      EXPECT_FALSE(player->waitForEnd(500));
      EXPECT_TRUE(player->end());
    }
    EXPECT_TRUE(player->waitForEnd(5000));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    EXPECT_EQ(code, 0u);
    // Gone: no window left to ask.
    EXPECT_FALSE(player->askToClose());
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
}
