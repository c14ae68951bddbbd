// The end of the real installer, driven by the stand-in engine: the
// Donation page's countdown read from the Next button, the Finish page's
// check boxes, and Finish starting the player, writing its skin and opening
// the home page in a recording browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
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

std::string readUnix(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string readWindows(const std::wstring& path) {
  std::string bytes;
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

void writeWindows(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr);
  CloseHandle(h);
}

// The prefix's browser for the scope of a test: a program that records the
// addresses it is asked to open; and the player's log of its starts.
class Recorders {
 public:
  Recorders() {
    DeleteFileW(windowsPath(urls).c_str());
    DeleteFileW(windowsPath(starts).c_str());
    // Inherited by the engine, the wizard and what the wizard starts.
    SetEnvironmentVariableW(L"LINGVORA_URL_LOG", windowsPath(urls).c_str());
    SetEnvironmentVariableW(L"LINGVORA_PLAYER_LOG", windowsPath(starts).c_str());
  }
  ~Recorders() {
    SetEnvironmentVariableW(L"LINGVORA_URL_LOG", nullptr);
    SetEnvironmentVariableW(L"LINGVORA_PLAYER_LOG", nullptr);
  }
  const std::string urls = env("LINGVORA_TEST_DIR") + "/ending-urls.log";
  const std::string starts = env("LINGVORA_TEST_DIR") + "/ending-player-starts.log";

 private:
  SchemeHandlers browser_{{L"http", L"https"},
                          L"\"" + windowsPath(env("LINGVORA_URL_RECORDER")) + L"\" \"%1\""};
};

std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

bool checked(HWND main, const wchar_t* name) {
  return SendMessageW(control(main, name).hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// From Welcome to the end of the progress page, as a user presses Next.
void walkThroughInstallation(HWND main) {
  for (int page = 0; page < 4; ++page) {
    click(control(main, L"Btn_GUI_Next").hwnd);
    Sleep(150);
  }
  ASSERT_TRUE(waitFor([&] {
    return text(main, L"GB_Installer_InstallationPage") == L"Instalacja zakończona pomyślnie";
  }));
}

// The player's configuration as the user left it: LF breaks, a comment, the
// key in the middle of its section, another section with a key of that name.
const std::string kPlayerIni =
    "; my player\n[Winamp]\nvolume=200\nskin=Bento\nshuffle=1\n\n[Other]\nskin=keep\n";

void endsTheInstaller(bool dark, const std::string& tag) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  CreateDirectoryW((player.dir + L"\\Skins").c_str(), nullptr);
  CreateDirectoryW((player.dir + L"\\Skins\\Lingvora Classic").c_str(), nullptr);
  const std::wstring playerIni = player.dir + L"\\winamp.ini";
  writeWindows(playerIni, kPlayerIni);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  Recorders recorders;
  PackDir pack("ending-" + tag, kFullPack);
  Engine engine(pack, L"--pause 100");
  HWND main = nullptr;
  ASSERT_TRUE(waitFor(
      [&] { return (main = FindWindowW(L"TORVA_GUI", nullptr)) && IsWindowVisible(main); }));
  walkThroughInstallation(main);

  // Donation: Next counts the seconds down while it stays disabled. Only
  // the button is read while it counts: walking every window of the
  // wizard takes longer than a second of the countdown.
  const HWND next = control(main, L"Btn_GUI_Next").hwnd;
  click(next);
  std::vector<std::wstring> captions;
  bool halfway = false;
  ASSERT_TRUE(waitFor([&] { return windowText(next).find(L"(") != std::wstring::npos; }));
  ASSERT_TRUE(waitFor([&] {
    const std::wstring caption = windowText(next);
    if (captions.empty() || captions.back() != caption) captions.push_back(caption);
    if (!halfway && caption == L"&Dalej > (5)") {
      halfway = true;
      EXPECT_FALSE(IsWindowEnabled(next));
      Sleep(100);
      EXPECT_TRUE(screenshot(main, shot("donation-" + tag)));
    }
    return IsWindowEnabled(next) != FALSE;
  }));
  Sleep(100);
  captions.push_back(windowText(next));  // the caption Next is enabled with
  captions.erase(std::unique(captions.begin(), captions.end()), captions.end());
  const std::vector<std::wstring> expected = {
      L"&Dalej > (9)", L"&Dalej > (8)", L"&Dalej > (7)", L"&Dalej > (6)", L"&Dalej > (5)",
      L"&Dalej > (4)", L"&Dalej > (3)", L"&Dalej > (2)", L"&Dalej > (1)", L"&Dalej >"};
  EXPECT_EQ(captions, expected);
  EXPECT_TRUE(halfway);
  EXPECT_EQ(text(main, L"Lbl_Installer_DonationPage_Title"), L"Wesprzyj projekt");
  EXPECT_EQ(text(main, L"Lbl_Installer_DonationPage_TitleShadow"), L"Wesprzyj projekt");
  EXPECT_EQ(text(main, L"Lbl_Installer_DonationPage_BankRecipient"), L"Zespół Lingvora");
  EXPECT_EQ(text(main, L"Lbl_Installer_DonationPage_BankAccountNumber"),
            L"12 3456 7890 0000 1111 2222 3333");
  EXPECT_TRUE(control(main, L"Img_Installer_DonationPage_PayPal").visible);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);

  // Finish: the three boxes, the skin offered since the classic skin was installed.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return control(main, L"CB_Installer_FinishPage_Run").visible; }));
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Zakończ");
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  EXPECT_EQ(text(main, L"Lbl_Installer_FinishPage_Title"), L"LINGVORA PL");
  EXPECT_TRUE(checked(main, L"CB_Installer_FinishPage_Run"));
  EXPECT_TRUE(control(main, L"CB_Installer_FinishPage_Skin").visible);
  EXPECT_FALSE(checked(main, L"CB_Installer_FinishPage_Skin"));
  EXPECT_TRUE(control(main, L"CB_Installer_FinishPage_HomePage").visible);
  EXPECT_FALSE(checked(main, L"CB_Installer_FinishPage_HomePage"));
  click(control(main, L"CB_Installer_FinishPage_Skin").hwnd);
  click(control(main, L"CB_Installer_FinishPage_HomePage").hwnd);
  ASSERT_TRUE(waitFor([&] {
    return checked(main, L"CB_Installer_FinishPage_Skin") &&
           checked(main, L"CB_Installer_FinishPage_HomePage");
  }));
  Sleep(200);
  EXPECT_TRUE(screenshot(main, shot("finish-" + tag)));

  click(control(main, L"Btn_GUI_Next").hwnd);
  EXPECT_EQ(engine.waitExit(), 0u);
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr));  // no question, no error

  // The player started in its own folder, after its skin was set; the
  // rest of its configuration as it was.
  ASSERT_TRUE(waitFor([&] { return !readUnix(recorders.starts).empty(); }));
  const std::wstring started = player.dir + L"\\winamp.exe|" + player.dir;
  EXPECT_EQ(readUnix(recorders.starts), std::string(started.begin(), started.end()) + "\n");
  EXPECT_EQ(readWindows(playerIni),
            "; my player\n[Winamp]\nvolume=200\nskin=Lingvora Classic\nshuffle=1\n\n[Other]\n"
            "skin=keep\n");
  ASSERT_TRUE(waitFor([&] { return !readUnix(recorders.urls).empty(); }));
  EXPECT_NE(readUnix(recorders.urls).find("https://lingvora.pl/winamp/index.php"),
            std::string::npos);
}

TEST(InstallerEnding, DonationCountdownAndFinishInTheLightTheme) {
  endsTheInstaller(false, "light");
}
TEST(InstallerEnding, DonationCountdownAndFinishInTheDarkTheme) { endsTheInstaller(true, "dark"); }

}  // namespace
