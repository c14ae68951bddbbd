// The example pack's real installer (examples/installer, built with
// makensis) and the uninstaller it writes, driven through GUI.exe as a user
// would, against a player directory: what lands on disk and in the
// registry, what the progress page shows, and what is left afterwards.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::wstring kEntry = kUninstall + L"Lingvora Winamp Language Pack";

std::string shot(const std::string& name) {
  return env("LINGVORA_SCREENSHOTS") + "/" + name + ".png";
}

std::string readFile(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
  CloseHandle(f);
  return bytes;
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(f, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

// A file's size and FNV-1a hash: short enough to read in a failure.
std::string fingerprint(const std::string& bytes) {
  unsigned long long h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  char out[48];
  snprintf(out, sizeof out, "%zu bytes, %016llx", bytes.size(), h);
  return out;
}

// Every folder (ending in a backslash) and file below a folder, with the
// fingerprint of its bytes.
using Tree = std::map<std::wstring, std::string>;
void scan(const std::wstring& dir, const std::wstring& below, Tree& out) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      out[below + name + L"\\"] = "";
      scan(dir + L"\\" + name, below + name + L"\\", out);
    } else {
      out[below + name] = fingerprint(readFile(dir + L"\\" + name));
    }
  } while (FindNextFileW(h, &found));
  FindClose(h);
}
Tree tree(const std::wstring& dir) {
  Tree t;
  scan(dir, L"", t);
  return t;
}

void removeTree(const std::wstring& dir) {
  for (const auto& [path, bytes] : tree(dir))
    if (path.back() != L'\\') {
      SetFileAttributesW((dir + L"\\" + path).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW((dir + L"\\" + path).c_str());
    }
  const Tree left = tree(dir);
  for (auto it = left.rbegin(); it != left.rend(); ++it)
    RemoveDirectoryW((dir + L"\\" + it->first).c_str());
  RemoveDirectoryW(dir.c_str());
}

// The pack's uninstall entry in the 32-bit view, as the wizard reads it.
std::optional<std::wstring> entryValue(const wchar_t* name) {
  HKEY k;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEntry.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &k) !=
      ERROR_SUCCESS)
    return std::nullopt;
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  const LONG got = RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(k);
  if (got != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::wstring(value);
}
bool entryExists() {
  HKEY k;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEntry.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &k) !=
      ERROR_SUCCESS)
    return false;
  RegCloseKey(k);
  return true;
}
void deleteEntry() { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kEntry.c_str(), KEY_WOW64_32KEY, 0); }

// A player as Winamp lays itself out and registers itself: its program, a
// plugin the pack has a translation for (the stand-in file whose digest the
// example's GUI.ini names), a skin and an empty language folder. The pack
// is not installed.
struct Player {
  std::wstring dir = windowsPath(env("LINGVORA_TEST_DIR")) + L"\\installer-player";
  bool made = make();
  MachineValue registered{kUninstall + L"Winamp", L"UninstallString",
                          L"\"" + dir + L"\\UninstWA.exe\""};
  ~Player() { deleteEntry(); }

  bool make() const {
    deleteEntry();
    removeTree(dir);
    for (const wchar_t* sub : {L"", L"\\Plugins", L"\\Skins", L"\\Skins\\Bento", L"\\Lang"})
      CreateDirectoryW((dir + sub).c_str(), nullptr);
    writeFile(dir + L"\\Plugins\\vis_milk2.dll", "vis_milk2.dll of the test players\r\n");
    writeFile(dir + L"\\Skins\\Bento\\skin.xml", "<skin/>\r\n");
    const std::wstring player = windowsPath(env("LINGVORA_PLAYERS")) + L"\\winamp-5.9.2";
    return CopyFileW((player + L"\\winamp.exe").c_str(), (dir + L"\\winamp.exe").c_str(), FALSE);
  }
};

// A program started as the user starts it; ended with the wizard it
// started, should the test end first.
class Program {
 public:
  explicit Program(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                   &info_);
  }
  ~Program() {
    if (HWND main = FindWindowW(L"TORVA_GUI", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(main, &pid);
      if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
        TerminateProcess(p, 1);
        CloseHandle(p);
      }
    }
    if (info_.hProcess) {
      if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(info_.hProcess, 1);
      CloseHandle(info_.hProcess);
      CloseHandle(info_.hThread);
    }
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  bool started() const { return info_.hProcess != nullptr; }
  DWORD waitExit(DWORD timeoutMs = 30000) const {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// The installers' temporary folders (ns*.tmp) in the temporary folder.
std::vector<std::wstring> unpacked() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::vector<std::wstring> found;
  WIN32_FIND_DATAW entry;
  HANDLE h = FindFirstFileW((std::wstring(temp) + L"ns*.tmp").c_str(), &entry);
  if (h == INVALID_HANDLE_VALUE) return found;
  do found.push_back(entry.cFileName);
  while (FindNextFileW(h, &entry));
  FindClose(h);
  return found;
}

std::wstring installer() { return L"\"" + windowsPath(env("LINGVORA_INSTALLER_EXE")) + L"\""; }

HWND wizardWindow() {
  HWND main = nullptr;
  waitFor([&] { return (main = FindWindowW(L"TORVA_GUI", nullptr)) && IsWindowVisible(main); },
          30000);
  return main;
}

bool shown(HWND main, const wchar_t* name) {
  const ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}
std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

// Next, and the page it leads to.
void next(HWND main, const wchar_t* shows) {
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, shows); })) << "waiting for " << shows;
}

// Welcome, License and Components (the classic skin left out) to the
// Directory page, which proposes the registered player.
void walkToDirectory(HWND main, const Player& player) {
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Installer_WelcomePage_Title"); }));
  next(main, L"RE_Installer_LicensePage");
  next(main, L"TV_Installer_ComponentsPage_InstallTypes");
  HWND tree = control(main, L"TV_Installer_ComponentsPage_InstallTypes").hwnd;
  const std::vector<TreeItemInfo> items = treeItems(tree);
  ASSERT_EQ(items.size(), 6u);
  ASSERT_EQ(items[2].text, L"Klasyczna skórka");
  const RECT label = treeItemRect(tree, items[2].handle, true);
  clickAt(tree, {label.left - 8, (label.top + label.bottom) / 2});
  ASSERT_TRUE(waitFor([&] { return treeItems(tree)[2].state == 1; }));
  next(main, L"Edt_Installer_DirectoryPage_Dir");
  EXPECT_EQ(text(main, L"Edt_Installer_DirectoryPage_Dir"), player.dir);
}

const wchar_t* const kProjectLines[][2] = {
    {L"_Item_Name", L"Lingvora (projekt)"},
    {L"_Item_Version", L"Wersja: 4.0.0.112"},
    {L"_Item_License", L"Licencja: GNU GPL 3.0"},
    {L"_Item_Publisher", L"Strona: https://lingvora.pl/winamp/index.php"}};

// The progress page at its end: completed, with the project's lines.
void expectCompleted(HWND main, const std::wstring& wizard, const std::wstring& result,
                     const std::wstring& title) {
  const std::wstring page = L"Lbl_" + wizard + L"_InstallationPage";
  ASSERT_TRUE(waitFor(
      [&] { return text(main, (L"GB_" + wizard + L"_InstallationPage").c_str()) == result; },
      30000));
  EXPECT_EQ(text(main, (L"Lbl_" + wizard + L"_DefaultHeader_Title").c_str()), title);
  for (const auto& [line, expected] : kProjectLines)
    EXPECT_EQ(text(main, (page + line).c_str()), expected) << line;
  EXPECT_NE(text(main, (page + L"_Item_Copyright").c_str()).find(L"Zespół Lingvora"),
            std::wstring::npos);
  EXPECT_EQ(SendMessageW(control(main, (L"PB_" + wizard + L"_InstallationPage").c_str()).hwnd,
                         PBM_GETPOS, 0, 0),
            100);
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
}

std::wstring today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t date[16];
  swprintf(date, 16, L"%04u%02u%02u", t.wYear, t.wMonth, t.wDay);
  return date;
}

TEST(ExampleInstaller, InstallsTheChosenComponentsAndItsUninstallerRemovesThem) {
  Player player;
  ASSERT_TRUE(player.made);
  const Tree before = tree(player.dir);
  {
    Program setup(installer());
    ASSERT_TRUE(setup.started());
    HWND main = wizardWindow();
    ASSERT_TRUE(main);
    walkToDirectory(main, player);
    next(main, L"GB_Installer_InstallationPage");
    expectCompleted(main, L"Installer", L"Instalacja zakończona pomyślnie",
                    L"Instalacja zakończona");
    Sleep(200);
    EXPECT_TRUE(screenshot(main, shot("example-installer-completed")));

    // The chosen components, the uninstaller, and nothing else: no skin
    // (left out), no AVS translation (the player lacks its plugin).
    const std::wstring files = windowsPath(env("LINGVORA_INSTALLER_FILES"));
    Tree expected = before;
    expected[L"Lang\\Lingvora-pl.wlz"] = fingerprint(readFile(files + L"\\Lingvora-pl.wlz"));
    expected[L"Plugins\\gen_velmo.dll"] =
        fingerprint(readFile(windowsPath(env("LINGVORA_PLUGIN_DLL"))));
    expected[L"Plugins\\vis_milk2_pl.lng"] =
        fingerprint(readFile(files + L"\\plugins\\vis_milk2_pl.lng"));
    Tree installed = tree(player.dir);
    ASSERT_EQ(installed.count(L"UninstLingvora.exe"), 1u);
    installed.erase(L"UninstLingvora.exe");
    EXPECT_EQ(installed, expected);

    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"InstallLocation", player.dir},
        {L"InstallDate", today()},
        {L"UninstallString", L"\"" + player.dir + L"\\UninstLingvora.exe\""},
        {L"DisplayName", L"Lingvora PL"},
        {L"DisplayVersion", L"4.0.0.112"},
        {L"Publisher", L"Zespół Lingvora"}};
    for (const auto& [name, value] : values) EXPECT_EQ(entryValue(name), value) << name;

    ASSERT_TRUE(finishWithoutStartingThePlayer(main));
    EXPECT_EQ(setup.waitExit(), 0u);
  }

  // The uninstaller as the system starts it, from the entry.
  const std::optional<std::wstring> uninstall = entryValue(L"UninstallString");
  ASSERT_TRUE(uninstall);
  Program remover(*uninstall);
  ASSERT_TRUE(remover.started());
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Uninstaller_WelcomePage_Title"); }));
  next(main, L"GB_Uninstaller_SummaryPage");
  next(main, L"GB_Uninstaller_InstallationPage");
  expectCompleted(main, L"Uninstaller", L"Dezinstalacja zakończona pomyślnie",
                  L"Dezinstalacja zakończona");
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("example-uninstaller-completed")));
  EXPECT_EQ(tree(player.dir), before);
  EXPECT_FALSE(entryExists());
  next(main, L"CB_Uninstaller_FinishPage_Run");
  click(control(main, L"Btn_GUI_Next").hwnd);
  EXPECT_TRUE(waitFor([&] { return !IsWindow(main); }));
}

// Without the user's confirmation the installer writes nothing (and leaves
// no temporary folder behind), and ends
// with the wizard's exit code: 0 after Cancel, 6 when no player was found
// and the user did not go on.
TEST(ExampleInstaller, CancelledAtTheDirectoryPageWritesNothing) {
  Player player;
  ASSERT_TRUE(player.made);
  const Tree before = tree(player.dir);
  const std::vector<std::wstring> temporary = unpacked();
  Program setup(installer());
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  walkToDirectory(main, player);
  EXPECT_GT(unpacked().size(), temporary.size());  // GUI.exe runs from there
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("example-installer-directory")));
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  HWND question = nullptr;
  ASSERT_TRUE(waitFor([&] { return (question = FindWindowW(L"#32770", nullptr)) != nullptr; }));
  answer(question, IDYES);
  EXPECT_EQ(setup.waitExit(), 0u);
  EXPECT_EQ(tree(player.dir), before);
  EXPECT_FALSE(entryExists());
  EXPECT_EQ(unpacked(), temporary);
}

// A file that cannot be replaced (another program holds it open without
// sharing): the installer tells the wizard, which ends aborted, and stops.
TEST(ExampleInstaller, AFailedCopyAbortsTheInstallation) {
  Player player;
  ASSERT_TRUE(player.made);
  const std::wstring busy = player.dir + L"\\Lang\\Lingvora-pl.wlz";
  writeFile(busy, "an older pack's language file\r\n");
  const Tree before = tree(player.dir);
  {
    struct Held {
      HANDLE h;
      ~Held() { CloseHandle(h); }
    } held{CreateFileW(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)};
    ASSERT_NE(held.h, INVALID_HANDLE_VALUE);
    Program setup(installer());
    HWND main = wizardWindow();
    ASSERT_TRUE(main);
    walkToDirectory(main, player);
    next(main, L"GB_Installer_InstallationPage");
    ASSERT_TRUE(waitFor(
        [&] {
          return text(main, L"GB_Installer_InstallationPage") == L"Instalacja nie powiodła się";
        },
        30000));
    EXPECT_EQ(text(main, L"Lbl_Installer_DefaultHeader_Title"), L"Instalacja przerwana");
    EXPECT_TRUE(control(main, L"Btn_GUI_Cancel").enabled);
    Sleep(200);
    EXPECT_TRUE(screenshot(main, shot("example-installer-aborted")));
    click(control(main, L"Btn_GUI_Next").hwnd);  // ends without a question
    EXPECT_EQ(setup.waitExit(), 0u);
  }
  EXPECT_EQ(tree(player.dir), before);
  EXPECT_FALSE(entryExists());
}

TEST(ExampleInstaller, EndsWithTheWizardsExitCode) {
  Player player;
  ASSERT_TRUE(player.made);
  MachineValue::remove(kUninstall + L"Winamp", L"UninstallString");  // no player to find
  Program setup(installer());
  HWND question = nullptr;
  ASSERT_TRUE(
      waitFor([&] { return (question = FindWindowW(L"#32770", nullptr)) != nullptr; }, 30000));
  answer(question, IDNO);
  EXPECT_EQ(setup.waitExit(), 6u);
  EXPECT_FALSE(entryExists());
}

}  // namespace
