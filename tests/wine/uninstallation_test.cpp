// The uninstaller's progress and Finish pages of the real GUI.exe, started
// and driven by the stand-in engine as the real engine would: the cue in
// DATA.ini, the status after each message, the end states, and Finish with
// its three offers, recorded by a fixture player and a recording mail
// program and browser.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

std::string shot(const std::string& name) {
  return env("LINGVORA_SCREENSHOTS") + "/" + name + ".png";
}

std::string readAll(const std::string& unixPath) {
  std::ifstream in(unixPath, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The mail program and the browser of the prefix, for the scope of a test:
// a program that appends each address it is asked to open to urls.log.
class RecordingHandlers {
 public:
  RecordingHandlers() {
    DeleteFileW(windowsPath(log()).c_str());
    SetEnvironmentVariableW(L"LINGVORA_URL_LOG", windowsPath(log()).c_str());
  }
  static std::string log() { return env("LINGVORA_TEST_DIR") + "/urls.log"; }

 private:
  SchemeHandlers handlers_{{L"mailto", L"http", L"https"},
                           L"\"" + windowsPath(env("LINGVORA_URL_RECORDER")) + L"\" \"%1\""};
};

// The fixture player writes where it was started from into player.log.
struct PlayerLog {
  PlayerLog() {
    DeleteFileW(windowsPath(path()).c_str());
    SetEnvironmentVariableW(L"LINGVORA_PLAYER_LOG", windowsPath(path()).c_str());
  }
  static std::string path() { return env("LINGVORA_TEST_DIR") + "/player.log"; }
};

HWND wizardWindow() {
  HWND main = nullptr;
  waitFor([&] { return (main = FindWindowW(L"TORVA_GUI", nullptr)) && IsWindowVisible(main); });
  return main;
}

std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

// The named child windows of the wizard as they are at one moment.
class Windows {
 public:
  explicit Windows(HWND main) {
    for (ChildWindow& c : children(main))
      if (!c.name.empty()) byName_.emplace(c.name, c);
  }
  ChildWindow operator[](const std::wstring& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? ChildWindow{nullptr, name, {}, {}, false, false, {}} : it->second;
  }

 private:
  std::map<std::wstring, ChildWindow> byName_;
};
bool checked(HWND main, const wchar_t* name) {
  return SendMessageW(control(main, name).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// From Welcome over the Summary to the progress page, as a user presses Next.
void walkToUninstallation(HWND main) {
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return control(main, L"GB_Uninstaller_SummaryPage").visible; }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return control(main, L"GB_Uninstaller_InstallationPage").visible; }));
}

const wchar_t* const kLines[] = {L"Lbl_Uninstaller_InstallationPage_Item_Name",
                                 L"Lbl_Uninstaller_InstallationPage_Item_Version",
                                 L"Lbl_Uninstaller_InstallationPage_Item_License",
                                 L"Lbl_Uninstaller_InstallationPage_Item_Copyright",
                                 L"Lbl_Uninstaller_InstallationPage_Item_Publisher"};

struct Offers {
  bool run, mail, home;
};

void uninstalls(bool dark, const std::string& tag, Offers offers) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  RecordingHandlers handlers;
  PlayerLog playerLog;
  PackDir pack("uninstallation-" + tag, kFullPack);
  Engine engine(pack, L"--uninstall --pause 1200");
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  walkToUninstallation(main);

  // The cue, with the registered installation's directory.
  EXPECT_NE(pack.read(L"DATA.ini").find("InstallDir="), std::string::npos);
  HWND bar = control(main, L"PB_Uninstaller_InstallationPage").hwnd;
  // Each state read in one look at all windows: the engine moves on soon.
  ASSERT_TRUE(waitFor([&] { return SendMessageW(bar, PBM_GETPOS, 0, 0) == 20; }));
  Windows shown(main);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(shown[L"GB_Uninstaller_InstallationPage"].text, L"Usuwanie pakietu językowego...");
  EXPECT_EQ(shown[L"Lbl_Uninstaller_InstallationPage_Item_Name"].text, L"PAKIET JĘZYKOWY");
  EXPECT_EQ(shown[L"Lbl_Uninstaller_DefaultHeader_Title"].text, L"Dezinstalacja");
  EXPECT_EQ(shown[L"Lbl_Uninstaller_DefaultHeader_SubTitle"].text,
            L"Poczekaj, aż dezinstalator usunie pliki pakietu 4.0.");
  for (const wchar_t* line : kLines) EXPECT_TRUE(shown[line].visible);
  EXPECT_FALSE(shown[L"Btn_GUI_Next"].enabled);
  EXPECT_FALSE(shown[L"Btn_GUI_Cancel"].enabled);
  EXPECT_FALSE(shown[L"Btn_GUI_Back"].visible);
  // The help plugin next, one step of 70 / (5 - 1) further.
  ASSERT_TRUE(waitFor([&] { return SendMessageW(bar, PBM_GETPOS, 0, 0) == 37; }));
  shown = Windows(main);
  EXPECT_EQ(shown[L"GB_Uninstaller_InstallationPage"].text, L"Usuwanie polskiej pomocy...");
  EXPECT_EQ(shown[L"Lbl_Uninstaller_InstallationPage_Item_Publisher"].text,
            L"Strona: https://lingvora.pl/winamp/info.php");

  // The window refuses to close while the engine works: no question either.
  PostMessageW(main, WM_CLOSE, 0, 0);
  Sleep(300);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr));
  EXPECT_TRUE(screenshot(main, shot("uninstallation-working-" + tag)));

  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Uninstaller_InstallationPage") == L"Dezinstalacja zakończona pomyślnie";
  }));
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_DefaultHeader_Title"), L"Dezinstalacja zakończona");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_InstallationPage_Item_Name"), L"Lingvora (projekt)");
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("uninstallation-completed-" + tag)));

  // The Finish page: three offers, none taken yet.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return control(main, L"Lbl_Uninstaller_FinishPage_Title").visible; }));
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_FinishPage_Title"), L"GOTOWE");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_FinishPage_Subtitle"),
            L"Polski pakiet językowy 4.0 został usunięty z Winampa 5.9.2.10042.");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_FinishPage_Question"), L"Co chcesz teraz zrobić?");
  const std::pair<const wchar_t*, const wchar_t*> boxes[] = {
      {L"CB_Uninstaller_FinishPage_Run", L"Uruchom Winampa"},
      {L"CB_Uninstaller_FinishPage_Skin", L"Napisz nam, dlaczego usuwasz pakiet"},
      {L"CB_Uninstaller_FinishPage_HomePage", L"Odwiedź stronę projektu"}};
  for (const auto& [name, caption] : boxes) {
    ChildWindow box = control(main, name);
    EXPECT_TRUE(box.visible && box.enabled);
    EXPECT_EQ(box.text, caption);
    EXPECT_FALSE(checked(main, name));
  }
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_FinishPage_LangPack"), L"Lingvora 4.0 (5.9.2.10042)");
  EXPECT_TRUE(control(main, L"Img_Uninstaller_FinishPage").visible);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Zakończ");
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);

  const bool choices[] = {offers.run, offers.mail, offers.home};
  for (std::size_t i = 0; i < 3; ++i)
    if (choices[i]) click(control(main, boxes[i].first).hwnd);
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_TRUE(waitFor([&] { return checked(main, boxes[i].first) == choices[i]; }));
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("uninstaller-finish-" + tag)));

  click(control(main, L"Btn_GUI_Next").hwnd);
  EXPECT_EQ(engine.waitExit(), 0u);

  const std::string expectedStart = [&] {
    std::wstring line = player.dir + L"\\winamp.exe|" + player.dir + L"\n";
    return std::string(line.begin(), line.end());
  }();
  if (offers.run) {
    EXPECT_TRUE(waitFor([&] { return !readAll(PlayerLog::path()).empty(); }));
    EXPECT_EQ(readAll(PlayerLog::path()), expectedStart);
  }
  // The recorder logs its arguments: the address, quoted as the command gives it.
  const std::string mail =
      "\"mailto:kontakt@lingvora.pl?subject=Lingvora%204.0%3A%20uwagi%20%26%20opinie"
      "&body=Velmar%2C%20%0A%0AUsun%C4%85%C5%82em%20pakiet%204.0%20z%20Winampa%205.9.2.10042%2C"
      "%20poniewa%C5%BC%3A%0A%0A%0A%0APozdrawiam%2C%20";
  const std::string home = "\"https://lingvora.pl/winamp/index.php\"";
  const std::size_t opened = std::size_t(offers.mail) + std::size_t(offers.home);
  if (opened > 0) {
    EXPECT_TRUE(waitFor([&] {
      const std::string log = readAll(RecordingHandlers::log());
      return std::size_t(std::count(log.begin(), log.end(), '\n')) >= opened;
    }));
    std::istringstream log(readAll(RecordingHandlers::log()));
    std::string line;
    if (offers.mail) {
      ASSERT_TRUE(std::getline(log, line));
      // The date and time of the moment close the body; no quote inside.
      EXPECT_EQ(line.rfind(mail, 0), 0u) << line;
      SYSTEMTIME now;
      GetLocalTime(&now);
      EXPECT_NE(line.find(std::to_string(now.wYear), mail.size()), std::string::npos) << line;
      EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 2) << line;
      EXPECT_EQ(line.back(), '"') << line;
    }
    if (offers.home) {
      ASSERT_TRUE(std::getline(log, line));
      EXPECT_EQ(line, home);
    }
  }
  if (!offers.run) {
    EXPECT_EQ(readAll(PlayerLog::path()), "");
  }
  if (opened == 0) {
    EXPECT_EQ(readAll(RecordingHandlers::log()), "");
  }
}

TEST(UninstallationPage, CompletedAndFinishedInTheLightTheme) {
  uninstalls(false, "light", {true, true, false});
}
TEST(UninstallationPage, CompletedAndFinishedInTheDarkTheme) {
  uninstalls(true, "dark", {false, false, true});
}
TEST(UninstallationPage, FinishedWithNothingChosen) {
  uninstalls(false, "nothing", {false, false, false});
}

// An engine that aborts, and one that vanishes without a word: both leave
// the page in its aborted state, from which Next ends the wizard.
void aborts(const std::wstring& options, const std::string& tag, bool dark) {
  InstalledPlayer player;
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("uninstallation-" + tag, kFullPack);
  Engine engine(pack, L"--uninstall --pause 300 " + options);
  HWND main = wizardWindow();
  ASSERT_TRUE(main);
  walkToUninstallation(main);
  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Uninstaller_InstallationPage") == L"Dezinstalacja nie powiodła się";
  }));
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_DefaultHeader_Title"), L"Dezinstalacja przerwana");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_DefaultHeader_SubTitle"),
            L"Pakiet 4.0 nie został usunięty.");
  EXPECT_EQ(SendMessageW(control(main, L"PB_Uninstaller_InstallationPage").hwnd, PBM_GETPOS, 0, 0),
            100);
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_TRUE(control(main, L"Btn_GUI_Cancel").enabled);
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("uninstallation-" + tag)));
  click(control(main, L"Btn_GUI_Next").hwnd);  // ends without a question
  EXPECT_TRUE(waitFor([&] { return !IsWindow(main); }));
  if (options.find(L"--abort") != std::wstring::npos) {
    EXPECT_EQ(engine.waitExit(), 0u);
  }
}

TEST(UninstallationPage, AbortedByTheEngine) { aborts(L"--abort-after 2", "aborted-light", false); }
TEST(UninstallationPage, AbortedByTheEngineInTheDarkTheme) {
  aborts(L"--abort-after 1", "aborted-dark", true);
}
TEST(UninstallationPage, AbortedWhenTheEngineVanishes) {
  aborts(L"--vanish-after 1", "vanished", false);
}

}  // namespace
