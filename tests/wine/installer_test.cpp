// The installer wizard driven through its windows: Welcome, License and
// back, the quit question, in both themes and at two densities.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

bool shown(HWND main, const wchar_t* name) {
  ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}

// The brightness (0 to 255) of the vertical scroll bar at the window's
// right edge, on the screen, averaged along the middle of its track.
int scrollBarBrightness(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  const int thickness = GetSystemMetrics(SM_CXVSCROLL);
  const int x = r.right - 1 - thickness / 2;
  HDC screen = GetDC(nullptr);
  int sum = 0, count = 0;
  for (int y = r.top + thickness + 2; y < r.bottom - thickness - 2; y += 4, ++count) {
    const COLORREF c = GetPixel(screen, x, y);
    sum += (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
  }
  ReleaseDC(nullptr, screen);
  return count ? sum / count : 255;
}

std::string shot(const std::string& name) { return env("LINGVORA_SCREENSHOTS") + "/" + name; }

void walk(DWORD dpi, bool dark, const std::string& tag) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  Density density(dpi);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("installer-" + tag, kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);

  // Welcome: every text a window text.
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Installer_WelcomePage_Title"); }));
  EXPECT_EQ(windowText(main), L"Instalator polskiego pakietu językowego Lingvora 4.0");
  EXPECT_EQ(control(main, L"Lbl_Installer_WelcomePage_Title").text, L"LINGVORA PL");
  EXPECT_EQ(control(main, L"Lbl_Installer_WelcomePage_SubTitle2").text, L"— przysłowie tłumaczy");
  EXPECT_EQ(control(main, L"Lbl_Installer_WelcomePage_LangPack").text,
            L"Lingvora 4.0 (5.9.2.10042)");
  EXPECT_EQ(control(main, L"Lbl_Installer_WelcomePage_Next").text,
            L"Kliknij Dalej, aby kontynuować.");
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_EQ(shown(main, L"S_Installer_WelcomePage_Divider"), dark);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("welcome-" + tag + ".png")));

  // Next: the License page with the Agree caption and the licence text.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"RE_Installer_LicensePage"); }));
  EXPECT_FALSE(shown(main, L"Lbl_Installer_WelcomePage_Title"));
  EXPECT_EQ(control(main, L"Btn_GUI_Next").text, L"&Zgadzam się");
  EXPECT_EQ(control(main, L"Lbl_Installer_DefaultHeader_Title").text, L"Umowa licencyjna");
  const std::wstring licence = control(main, L"RE_Installer_LicensePage").text;
  EXPECT_NE(licence.find(L"POLSKI PAKIET JĘZYKOWY LINGVORA"), std::wstring::npos);
  EXPECT_NE(licence.find(L"     Zespół Lingvora"), std::wstring::npos);
  EXPECT_NE(licence.find(L"wersja 4.0 dla Winampa 5.9.2"), std::wstring::npos);
  EXPECT_TRUE(shown(main, L"Lbl_GUI_BrandingText"));
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("license-" + tag + ".png")));
  if (dark) {
    // Scrolled to its end, as the scroll bar itself asks: the bar stays in
    // the style, its track and thumb dark.
    HWND text = control(main, L"RE_Installer_LicensePage").hwnd;
    SendMessageW(text, WM_VSCROLL, SB_BOTTOM, 0);
    Sleep(300);
    EXPECT_LT(scrollBarBrightness(text), 100);
    EXPECT_TRUE(screenshot(main, shot("license-end-" + tag + ".png")));
  }

  // Back returns to Welcome.
  click(control(main, L"Btn_GUI_Back").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Installer_WelcomePage_Title"); }));
  EXPECT_FALSE(shown(main, L"RE_Installer_LicensePage"));

  // Cancel, No: stays; Cancel, Yes: ends with 0.
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(messageBoxText(question),
            L"Czy na pewno chcesz przerwać instalację polskiego pakietu językowego?");
  EXPECT_TRUE(GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO));
  if (dark) {
    // Escape cannot answer a yes-or-no question, as in the system's box.
    pressKey(question, VK_ESCAPE);
    Sleep(300);
    EXPECT_TRUE(IsWindow(question));
    EXPECT_TRUE(screenshot(question, shot("quit-question-" + tag + ".png")));
  }
  answer(question, IDNO);
  EXPECT_EQ(gui.waitExit(300), DWORD(STILL_ACTIVE));
  EXPECT_TRUE(shown(main, L"Lbl_Installer_WelcomePage_Title"));
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

// A start-up error in the dark theme: the program's own box, which reads
// like the system's (caption, text, icon, an OK button, Enter).
TEST(InstallerWizard, DarkErrorBoxReadsLikeTheSystems) {
  DarkTheme theme;
  PackDir pack("installer-dark-error", {L"GUI.ini", L"1045.ini"});
  Gui gui(pack, L"/ACTION=0");
  HWND box = gui.waitMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(windowText(box), L"Instalator Lingvora - błąd");
  EXPECT_EQ(messageBoxText(box).rfind(L"Nie udało się uruchomić instalatora", 0), 0u);
  HWND ok = GetDlgItem(box, IDOK);
  ASSERT_TRUE(ok);
  EXPECT_EQ(windowText(ok), L"OK");
  EXPECT_TRUE(GetDlgItem(box, 20));  // the icon
  Sleep(300);
  EXPECT_TRUE(screenshot(box, shot("error-box-dark.png")));
  pressKey(box, VK_RETURN);
  EXPECT_EQ(gui.waitExit(), 3u);
}

TEST(InstallerWizard, LightAt96Dpi) { walk(96, false, "light-96dpi"); }
TEST(InstallerWizard, DarkAt96Dpi) { walk(96, true, "dark-96dpi"); }
TEST(InstallerWizard, LightAt144Dpi) { walk(144, false, "light-144dpi"); }

}  // namespace
