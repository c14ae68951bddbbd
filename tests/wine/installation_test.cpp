// The installation progress page of the real GUI.exe, started and driven by
// the stand-in engine as the real engine would: the cue in DATA.ini, the
// status after each message, the end states, an engine that vanishes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

std::string shot(const std::string& name) {
  return env("LINGVORA_SCREENSHOTS") + "/" + name + ".png";
}

HWND wizardWindow() {
  HWND main = nullptr;
  waitFor([&] { return (main = FindWindowW(L"TORVA_GUI", nullptr)) && IsWindowVisible(main); });
  return main;
}

std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

// Whether a file of the pack (UTF-16LE, as the engine's files are) holds an ASCII text.
bool holds(const std::string& utf16, const std::string& ascii) {
  std::string wide;
  for (char c : ascii) wide += std::string{c, '\0'};
  return utf16.find(wide) != std::string::npos;
}

// From Welcome over the licence, the components and the directory to the
// progress page, as a user presses Next.
void walkToInstallation(HWND main) {
  for (int page = 0; page < 4; ++page) {
    HWND next = control(main, L"Btn_GUI_Next").hwnd;
    ASSERT_TRUE(next);
    click(next);
    Sleep(150);
  }
  ASSERT_TRUE(waitFor([&] { return control(main, L"GB_Installer_InstallationPage").visible; }));
}

void installs(bool dark, const std::string& tag) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("installation-" + tag, kFullPack);
  Engine engine(pack, L"--pause 700");
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  walkToInstallation(main);

  // The cue, and the choices it follows.
  EXPECT_NE(pack.read(L"DATA.ini").find("InstallDir="), std::string::npos);
  HWND bar = control(main, L"PB_Installer_InstallationPage").hwnd;
  ASSERT_TRUE(waitFor([&] { return SendMessageW(bar, PBM_GETPOS, 0, 0) == 20; }));
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  const std::wstring status = text(main, L"GB_Installer_InstallationPage");
  EXPECT_GE(status.size(), 3u);
  EXPECT_EQ(status.substr(status.size() - 3), L"...");
  EXPECT_FALSE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);
  // The window refuses to close while the engine works: no question either.
  PostMessageW(main, WM_CLOSE, 0, 0);
  Sleep(300);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr));
  EXPECT_TRUE(screenshot(main, shot("installation-working-" + tag)));

  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Installer_InstallationPage") == L"Instalacja zakończona pomyślnie";
  }));
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(text(main, L"Lbl_Installer_DefaultHeader_Title"), L"Instalacja zakończona");
  EXPECT_EQ(text(main, L"Lbl_Installer_InstallationPage_Item_Name"), L"Lingvora (projekt)");
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  const std::string data = pack.read(L"DATA.ini");
  EXPECT_NE(data.find("InstallDir="), std::string::npos) << data;
  EXPECT_TRUE(holds(pack.read(L"GUI.ini"), "UserAction=1"));
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("installation-completed-" + tag)));

  // On to the end of the wizard, over the Donation page's countdown and
  // Finish; the engine returns GUI.exe's exit code.
  ASSERT_TRUE(finishWithoutStartingThePlayer(main));
  EXPECT_EQ(engine.waitExit(), 0u);
}

TEST(InstallationPage, CompletedInTheLightTheme) { installs(false, "light"); }
TEST(InstallationPage, CompletedInTheDarkTheme) { installs(true, "dark"); }

// An engine that aborts, and one that vanishes without a word: both leave
// the page in its aborted state, from which Next ends the wizard.
void aborts(const std::wstring& options, const std::string& tag) {
  InstalledPlayer player;
  PackDir pack("installation-" + tag, kFullPack);
  Engine engine(pack, L"--pause 300 " + options);
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  walkToInstallation(main);
  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Installer_InstallationPage") == L"Instalacja nie powiodła się";
  }));
  EXPECT_EQ(text(main, L"Lbl_Installer_DefaultHeader_Title"), L"Instalacja przerwana");
  EXPECT_EQ(SendMessageW(control(main, L"PB_Installer_InstallationPage").hwnd, PBM_GETPOS, 0, 0),
            100);
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_TRUE(control(main, L"Btn_GUI_Cancel").enabled);
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("installation-" + tag)));
  click(control(main, L"Btn_GUI_Next").hwnd);  // ends without a question
  EXPECT_TRUE(waitFor([&] { return !IsWindow(main); }));
}

TEST(InstallationPage, AbortedByTheEngine) { aborts(L"--abort-after 1", "aborted"); }
TEST(InstallationPage, AbortedWhenTheEngineVanishes) { aborts(L"--vanish-after 1", "vanished"); }

TEST(InstallationPage, ADataIniThatCannotBeWrittenGivesNoCue) {
  InstalledPlayer player;
  PackDir pack("installation-no-data", kFullPack);
  // A folder where the file should be: it can be neither read nor replaced.
  CreateDirectoryW(pack.file(L"DATA.ini").c_str(), nullptr);
  ASSERT_TRUE(GetFileAttributesW(pack.file(L"DATA.ini").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  walkToInstallation(main);
  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Installer_InstallationPage") == L"Instalacja nie powiodła się";
  }));
  EXPECT_TRUE(holds(pack.read(L"GUI.ini"), "UserAction=1"));
  click(control(main, L"Btn_GUI_Cancel").hwnd);  // Cancel asks the quit question
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

}  // namespace
