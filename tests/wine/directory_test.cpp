// The installer's Directory page in the real GUI.exe on the example pack:
// players of several versions and kinds, the page's texts and Next read
// from outside, other folders chosen in the system's folder browser (and
// Cancel), and section INFO of GUI.ini after Next.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

std::string shot(const std::string& name) { return env("LINGVORA_SCREENSHOTS") + "/" + name; }

std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

bool shown(HWND main, const wchar_t* name) {
  ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}

std::wstring profile(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(section, key, L"(none)", value, 512, file.c_str());
  return value;
}

// A player folder beside the registered one, holding a fixture executable.
struct OtherPlayer {
  std::wstring dir;
  OtherPlayer(const std::wstring& name, const std::wstring& fixture) {
    dir = windowsPath(env("LINGVORA_TEST_DIR")) + L"\\" + name;
    CreateDirectoryW(dir.c_str(), nullptr);
    CopyFileW((windowsPath(env("LINGVORA_PLAYERS")) + L"\\" + fixture + L"\\winamp.exe").c_str(),
              (dir + L"\\winamp.exe").c_str(), FALSE);
  }
};

std::wstring driveOf(const std::wstring& path) { return path.substr(0, 2); }

// From Welcome over the licence and the components to the Directory page.
void walkToDirectory(HWND main) {
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Installer_WelcomePage_Title"); }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"RE_Installer_LicensePage"); }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"TV_Installer_ComponentsPage_InstallTypes"); }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"GB_Installer_DirectoryPage"); }));
}

// The open folder browser of the wizard and its tree.
struct Browser {
  HWND dialog = nullptr, tree = nullptr;
  std::vector<ChildWindow> parts;
};

std::wstring selectedText(const Browser& b) {
  const HTREEITEM selected = treeSelection(b.tree);
  for (const TreeItemInfo& item : treeItems(b.tree))
    if (item.handle == selected) return item.text;
  return {};
}

// Opens the browser and waits until it has gone down to the folder it
// starts at. The first browser of a fresh Wine session may stop on the way
// down while the shell is still listing folders; it is cancelled and
// opened once more.
Browser openBrowser(const Gui& gui, HWND main, const std::wstring& startsAt) {
  Browser b;
  for (int attempt = 0; attempt < 2; ++attempt) {
    click(control(main, L"Btn_Installer_DirectoryPage_Browse").hwnd);
    b = Browser{};
    b.dialog = gui.waitMessageBox();
    if (!b.dialog) return b;
    const bool arrived = waitFor(
        [&] {
          b.parts = children(b.dialog);
          for (const ChildWindow& c : b.parts)
            if (c.cls == L"SysTreeView32" && c.visible) b.tree = c.hwnd;
          return b.tree && selectedText(b) == startsAt;
        },
        15000);
    if (arrived) return b;
    answer(b.dialog, IDCANCEL);
    waitFor([&] { return !IsWindow(b.dialog) || !IsWindowVisible(b.dialog); });
  }
  return b;
}

// Picks the folder of that name next to the selected one, then OK.
bool chooseSibling(const Browser& b, const std::wstring& name) {
  const std::vector<TreeItemInfo> items = treeItems(b.tree);
  const HTREEITEM selected = treeSelection(b.tree);
  int depth = -1;
  for (const TreeItemInfo& item : items)
    if (item.handle == selected) depth = item.depth;
  for (const TreeItemInfo& item : items)
    if (item.depth == depth && _wcsicmp(item.text.c_str(), name.c_str()) == 0) {
      SendMessageW(b.tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(item.handle));
      answer(b.dialog, IDOK);
      return true;
    }
  return false;
}

// The example pack, with the page's check run against the registered
// Winamp 5.9.2; a refused folder (older), WACUP, and back to the player.
void directoryPage(DWORD dpi, bool dark, const std::string& tag, bool full) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  OtherPlayer older(L"older", L"winamp-5.9.1");
  OtherPlayer wacup(L"wacup", L"wacup-branded");
  Density density(dpi);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("directory-" + tag, kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  SetForegroundWindow(main);
  walkToDirectory(main);

  // The registered player, accepted: its details, the drive's figures.
  EXPECT_EQ(text(main, L"Edt_Installer_DirectoryPage_Dir"), player.dir);
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Instaluj");
  EXPECT_EQ(text(main, L"Lbl_Installer_DefaultHeader_Title"), L"Katalog Winampa");
  EXPECT_EQ(text(main, L"GB_Installer_DirectoryPage"), L"Katalog docelowy");
  EXPECT_EQ(text(main, L"Btn_Installer_DirectoryPage_Browse"), L"Przeglądaj...");
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info_Version_Desc"), L"Wersja:");
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info_Version"),
            L"5.9.2.10042 (Radionomy Group)");
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info_Copyright"), L"Copyright (c) 1997-2026");
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info_InstallDir"), player.dir);
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info_ConfigFile"),
            player.dir + L"\\winamp.ini");
  EXPECT_FALSE(shown(main, L"Lbl_Installer_DirectoryPage_Info2"));
  EXPECT_TRUE(shown(main, L"PB_Installer_DirectoryPage_Usage"));
  EXPECT_FALSE(shown(main, L"P_Installer_DirectoryPage_UsageError"));
  // The capacity row carries the drive's byte count; the disk line its
  // label, both asked with the drive's root.
  const std::wstring root = driveOf(player.dir) + L"\\";
  ULARGE_INTEGER available{}, total{};
  ASSERT_TRUE(GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr));
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Total_Desc"), L"Pojemność dysku:");
  const std::wstring capacity = text(main, L"Lbl_Installer_DirectoryPage_Total");
  EXPECT_NE(capacity.find(L" (" + std::to_wstring(total.QuadPart) + L" B)"), std::wstring::npos)
      << capacity;
  wchar_t label[MAX_PATH + 1] = {};
  GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
  const std::wstring disk = text(main, L"Lbl_Installer_DirectoryPage_DiskInfo");
  const std::wstring start =
      L"Dysk " + driveOf(player.dir) + (label[0] ? L" (" + std::wstring(label) + L"): " : L" - ");
  EXPECT_EQ(disk.substr(0, start.size()), start) << disk;
  EXPECT_NE(disk.find(L" wolne z "), std::wstring::npos) << disk;
  EXPECT_NE(disk.find(L"(wymagane: "), std::wstring::npos) << disk;
  const int position =
      int(SendMessageW(control(main, L"PB_Installer_DirectoryPage_Usage").hwnd, PBM_GETPOS, 0, 0));
  const int used = int((total.QuadPart - available.QuadPart) * 100 / total.QuadPart);
  EXPECT_LE(std::abs(position - used), 1);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("directory-" + tag + ".png")));

  // An older player, chosen in the folder browser: refused, Next off.
  Browser b = openBrowser(gui, main, L"player");
  ASSERT_TRUE(b.dialog && b.tree);
  EXPECT_EQ(selectedText(b), L"player");  // opened on the directory
  int buttons = 0;
  bool titled = false;
  for (const ChildWindow& c : b.parts) {
    if (c.cls == L"Button" && c.visible) ++buttons;
    titled = titled || c.text == L"Wskaż katalog, w którym zainstalowano Winampa:";
  }
  EXPECT_EQ(buttons, 2);  // OK and Cancel, no new folder
  EXPECT_TRUE(titled);
  ASSERT_TRUE(chooseSibling(b, L"older"));
  ASSERT_TRUE(waitFor([&] { return text(main, L"Edt_Installer_DirectoryPage_Dir") == older.dir; }));
  EXPECT_TRUE(waitFor([&] { return !control(main, L"Btn_GUI_Next").enabled; }));
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info"),
            L"Nie można zainstalować pakietu w tym katalogu.");
  EXPECT_EQ(text(main, L"Lbl_Installer_DirectoryPage_Info2"),
            L"W tym katalogu jest starsza wersja Winampa (5.9.1.10029). Zaktualizuj odtwarzacz do "
            L"wersji 5.9.2.10042.");
  EXPECT_FALSE(shown(main, L"Lbl_Installer_DirectoryPage_DiskInfo"));
  EXPECT_FALSE(shown(main, L"Lbl_Installer_DirectoryPage_Info_Version"));
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("directory-refused-" + tag + ".png")));
  if (!full) return;

  // Cancel changes nothing; the browser opened on the refused folder.
  b = openBrowser(gui, main, L"older");
  ASSERT_TRUE(b.dialog && b.tree);
  EXPECT_EQ(selectedText(b), L"older");
  answer(b.dialog, IDCANCEL);
  ASSERT_TRUE(waitFor([&] { return !IsWindow(b.dialog) || !IsWindowVisible(b.dialog); }));
  Sleep(300);
  EXPECT_EQ(text(main, L"Edt_Installer_DirectoryPage_Dir"), older.dir);
  EXPECT_FALSE(control(main, L"Btn_GUI_Next").enabled);

  // WACUP under a pack for Winamp.
  b = openBrowser(gui, main, L"older");
  ASSERT_TRUE(b.dialog && b.tree);
  ASSERT_TRUE(chooseSibling(b, L"wacup"));
  ASSERT_TRUE(waitFor([&] { return text(main, L"Edt_Installer_DirectoryPage_Dir") == wacup.dir; }));
  EXPECT_TRUE(waitFor([&] {
    return text(main, L"Lbl_Installer_DirectoryPage_Info2") ==
           L"W tym katalogu jest WACUP. Ten pakiet językowy jest przeznaczony dla Winampa "
           L"5.9.2.10042.";
  }));
  EXPECT_FALSE(control(main, L"Btn_GUI_Next").enabled);

  // Back to the player: Next again, and INFO after it.
  b = openBrowser(gui, main, L"wacup");
  ASSERT_TRUE(b.dialog && b.tree);
  ASSERT_TRUE(chooseSibling(b, L"player"));
  ASSERT_TRUE(waitFor([&] { return control(main, L"Btn_GUI_Next").enabled; }));
  EXPECT_EQ(text(main, L"Edt_Installer_DirectoryPage_Dir"), player.dir);
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(
      waitFor([&] { return profile(pack.file(L"GUI.ini"), L"INFO", L"InstallDir") != L"(none)"; }));
  const std::wstring ini = pack.file(L"GUI.ini");
  const std::pair<const wchar_t*, std::wstring> info[] = {
      {L"InstallDir", player.dir},
      {L"ExeFileName", player.dir + L"\\winamp.exe"},
      {L"WacupType", L"0"},
      {L"OSPortable", L"0"},
      {L"Portable", L"1"},
      {L"PathsConfig", L""},
      {L"ConfigDir", player.dir},
      {L"ConfigFile", player.dir + L"\\winamp.ini"},
      {L"SkinsDir", player.dir + L"\\Skins"},
      {L"PluginsDir", player.dir + L"\\Plugins"},
      {L"LangPackDir", player.dir + L"\\Lang"},
      {L"Version", L"5.9.2.10042"},
      {L"CompanyName", L"Radionomy Group"},
      {L"FileVersion", L"5.9.2.10042"},
      {L"LegalCopyright", L"Copyright (c) 1997-2026"},
      {L"ProductName", L"Winamp"},
      {L"ProductVersion", L"5.9.2.10042"},
  };
  for (const auto& [key, value] : info) EXPECT_EQ(profile(ini, L"INFO", key), value) << key;
  EXPECT_EQ(profile(ini, L"PROJECT", L"ProjectFullName"), L"Lingvora PL");
}

TEST(DirectoryPage, PlayersChosenInTheFolderBrowserAndInfoAfterNext) {
  directoryPage(96, false, "light", true);
}
TEST(DirectoryPage, DarkTheme) { directoryPage(96, true, "dark", false); }
TEST(DirectoryPage, At144Dpi) { directoryPage(144, false, "144dpi", false); }

}  // namespace
