// The ports on the real (Wine) API: what the core relies on.
#include <gtest/gtest.h>
#include <windows.h>

#include "Handles.h"
#include "Ports.h"
#include "appearance/Theme.h"
#include "config/Config.h"

using namespace lingvora;
using namespace lingvora::win32;

namespace {

Text tempDir() {
  wchar_t buf[MAX_PATH];
  GetTempPathW(MAX_PATH, buf);
  Text dir = text(buf) + u"lingvora-adapters-" + decimal(GetCurrentProcessId());
  CreateDirectoryW(wide(dir), nullptr);
  return dir;
}

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

TEST(Files, SavedDocumentReadsBackThroughTheProfileApi) {
  Win32Files files;
  Win32System system(WS_CAPTION, 0);
  const Text path = joinPath(tempDir(), u"GUI.ini");
  auto doc = IniDocument::parse(Bytes{'[', 'I', 'N', 'F', 'O', ']', '\r', '\n'},
                                system.ansiCodePage());
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
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                            nullptr),
            ERROR_SUCCESS);
  DWORD zero = 0;
  RegSetValueExW(k, L"Dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
  RegSetValueExW(k, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\Winamp"), 20);
  RegCloseKey(k);
  Win32Registry reg;
  const Text path = u"Software\\Lingvora\\AdapterTest";
  EXPECT_EQ(reg.readDword(Hive::CurrentUser, path, u"Dword"), 0u);
  EXPECT_EQ(reg.readString(Hive::CurrentUser, path, u"Text"), Text(u"C:\\Winamp"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, path, u"Text"));   // another type is absent
  EXPECT_FALSE(reg.readString(Hive::CurrentUser, path, u"Dword"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, path, u"Missing"));
  EXPECT_FALSE(reg.readDword(Hive::CurrentUser, u"Software\\Lingvora\\NoSuchKey", u"Dword"));
  // Dark mode follows AppsUseLightTheme through the same port.
  EXPECT_FALSE(detectDarkMode(reg));
}

TEST(Registry, LocalMachineThroughThe32BitView) {
  const wchar_t* key = L"Software\\Lingvora\\ViewTest";
  HKEY k;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &k, nullptr),
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
