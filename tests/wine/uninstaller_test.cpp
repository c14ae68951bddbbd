// The uninstaller wizard driven through its windows: Welcome, Summary and
// back, the quit question, and Uninstall handing the record to the engine
// (once GUI.ini can be written), in both themes; then the removal page,
// which only an engine's word lets close.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};
const std::wstring kPackEntry = kUninstall + L"Lingvora Winamp Language Pack";

bool shown(HWND main, const wchar_t* name) {
  ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}

std::wstring text(HWND main, const wchar_t* name) { return control(main, name).text; }

std::string shot(const std::string& name) { return env("LINGVORA_SCREENSHOTS") + "/" + name; }

// The example pack's GUI.ini is UTF-16LE with a byte-order mark, and the
// wizard saves it so.
std::wstring utf16File(const std::string& bytes) {
  std::wstring out;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
    out += wchar_t(std::uint8_t(bytes[i]) | std::uint8_t(bytes[i + 1]) << 8);
  return out;
}

std::wstring thisYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return std::to_wstring(now.wYear);
}

void expectWelcome(HWND main, bool dark) {
  EXPECT_EQ(windowText(main), L"Dezinstalator polskiego pakietu językowego Lingvora 4.0");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_Title"), L"DEZINSTALATOR");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_Subtitle"), L"Usuwanie pakietu");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_Subtitle2"),
            L"Ten kreator usunie polski pakiet językowy 4.0 z Winampa 5.9.2.10042.");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_Subtitle1"),
            L"Przed dezinstalacją zamknij Winampa. Jeśli odtwarzacz będzie uruchomiony, "
            L"dezinstalator zaproponuje jego zamknięcie.");
  EXPECT_NE(text(main, L"Lbl_Uninstaller_WelcomePage_Info").find(L"\n\r\n\rKliknij Dalej"),
            std::wstring::npos);
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_LangPack"), L"Lingvora 4.0 (5.9.2.10042)");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_WelcomePage_Copyright"),
            L"Copyright © 2008-" + thisYear() + L" Zespół Lingvora");
  EXPECT_TRUE(shown(main, L"Img_Uninstaller_WelcomePage"));
  EXPECT_EQ(shown(main, L"S_Uninstaller_WelcomePage_Divider"), dark);
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Dalej >");
  EXPECT_EQ(text(main, L"Btn_GUI_Cancel"), L"Anuluj");
}

void expectSummary(HWND main, const std::wstring& location) {
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_DefaultHeader_Title"), L"Podsumowanie");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_DefaultHeader_SubTitle"),
            L"Sprawdź, co zostanie usunięte z Winampa 5.9.2.10042.");
  EXPECT_EQ(text(main, L"GB_Uninstaller_SummaryPage"), L"Zainstalowany pakiet");
  EXPECT_EQ(text(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"),
            L"POLSKI PAKIET JĘZYKOWY LINGVORA");
  const std::pair<const wchar_t*, std::wstring> rows[] = {
      {L"Version", L"4.0.0.112 (Winamp 5.9.2.10042)"},
      {L"Author", L"Zespół Lingvora"},
      {L"License", L"GNU GPL 3.0"},
      {L"Copyright", L"Copyright © 2008-" + thisYear() + L" Zespół Lingvora"},
      {L"InstallDir", location},
      {L"InstallDate", L"20261211"}};
  const wchar_t* captions[] = {L"Wersja:",          L"Autor:",           L"Licencja:",
                               L"Prawa autorskie:", L"Katalog Winampa:", L"Data instalacji:"};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const std::wstring name = std::wstring(L"Lbl_Uninstaller_SummaryPage_") + rows[i].first;
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    EXPECT_EQ(control(main, name + L"_Desc").text, captions[i]);
    EXPECT_EQ(control(main, name).text, rows[i].second);
    EXPECT_TRUE(control(main, name).visible);
  }
  EXPECT_TRUE(shown(main, L"Img_Uninstaller_SummaryPage"));
  EXPECT_TRUE(shown(main, L"Lbl_GUI_BrandingText"));
  EXPECT_TRUE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Odinstaluj");
}

void walk(bool dark, const std::string& tag) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  // The light run: the location as installers often write it, with its
  // trailing separator.
  const std::wstring location = dark ? player.dir : player.dir + L"\\";
  MachineValue installed{kPackEntry, L"InstallLocation", location};
  MachineValue date{kPackEntry, L"InstallDate", L"20261211"};
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("uninstaller-" + tag, kFullPack);
  Gui gui(pack, L"/ACTION=1");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);

  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Uninstaller_WelcomePage_Title"); }));
  expectWelcome(main, dark);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("uninstaller-welcome-" + tag + ".png")));

  // Cancel, No: the Welcome page stays.
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(windowText(question), L"Dezinstalator polskiego pakietu językowego Lingvora 4.0");
  EXPECT_EQ(messageBoxText(question),
            L"Czy na pewno chcesz przerwać dezinstalację polskiego pakietu językowego?");
  answer(question, IDNO);
  EXPECT_EQ(gui.waitExit(300), DWORD(STILL_ACTIVE));
  EXPECT_TRUE(shown(main, L"Lbl_Uninstaller_WelcomePage_Title"));

  // Next: the Summary; Back: Welcome again; Next: the Summary again.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"); }));
  EXPECT_FALSE(shown(main, L"Lbl_Uninstaller_WelcomePage_Title"));
  expectSummary(main, location);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("uninstaller-summary-" + tag + ".png")));
  click(control(main, L"Btn_GUI_Back").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Uninstaller_WelcomePage_Title"); }));
  EXPECT_FALSE(shown(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"));
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Dalej >");
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"); }));

  if (dark) {
    // Cancel, Yes: ends with 0, and nothing was handed to the engine.
    click(control(main, L"Btn_GUI_Cancel").hwnd);
    question = gui.waitMessageBox();
    ASSERT_TRUE(question);
    answer(question, IDYES);
    EXPECT_EQ(gui.waitExit(), 0u);
    EXPECT_EQ(utf16File(pack.read(L"GUI.ini")).find(L"[INFO]"), std::wstring::npos);
    return;
  }

  // Uninstall while GUI.ini cannot be written: the error's text, and the
  // wizard stays on the Summary.
  const std::wstring guiIni = pack.file(L"GUI.ini");
  ASSERT_TRUE(SetFileAttributesW(guiIni.c_str(), FILE_ATTRIBUTE_READONLY));
  click(control(main, L"Btn_GUI_Next").hwnd);
  HWND error = gui.waitMessageBox();
  ASSERT_TRUE(error);
  EXPECT_EQ(messageBoxText(error), L"Cannot write the file " + guiIni + L".");
  answer(error, IDOK);
  EXPECT_TRUE(waitFor([&] { return !IsWindow(error); }));
  EXPECT_TRUE(shown(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"));
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Odinstaluj");
  ASSERT_TRUE(SetFileAttributesW(guiIni.c_str(), FILE_ATTRIBUTE_NORMAL));

  // Uninstall: the record goes into GUI.ini, the location as read and the
  // paths below it with one separator; no player runs, so the removal page
  // follows, where only the close box is left.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return !shown(main, L"Lbl_Uninstaller_SummaryPage_ProjectName"); }));
  EXPECT_FALSE(control(main, L"Btn_GUI_Next").enabled);
  EXPECT_FALSE(control(main, L"Btn_GUI_Cancel").enabled);
  const std::wstring ini = utf16File(pack.read(L"GUI.ini"));
  const std::size_t info = ini.find(L"[INFO]");
  ASSERT_NE(info, std::wstring::npos);
  const std::wstring& d = player.dir;
  EXPECT_EQ(ini.substr(info),
            L"[INFO]\r\nInstallDir=" + d + L"\\\r\nExeFileName=" + d +
                L"\\winamp.exe\r\nWacupType=0\r\nOSPortable=0\r\nPortable=1\r\nPathsConfig=\r\n"
                L"ConfigDir=" +
                d + L"\\\r\nConfigFile=" + d + L"\\winamp.ini\r\nSkinsDir=" + d +
                L"\\Skins\r\nPluginsDir=" + d + L"\\Plugins\r\nLangPackDir=" + d +
                L"\\Lang\r\nVersion=5.9.2.10042\r\nCompanyName=Radionomy Group\r\n"
                L"FileVersion=5.9.2.10042\r\nLegalCopyright=Copyright (c) 1997-2026\r\n"
                L"ProductName=Winamp\r\nProductVersion=5.9.2.10042\r\n");
  EXPECT_EQ(ini.rfind(L"; Configuration of the example language pack.", 0), 0u);  // kept
  // The removal page waits for the engine, which this test plays: the window
  // refuses to close until the engine gives up, then Cancel asks.
  PostMessageW(main, WM_CLOSE, 0, 0);
  Sleep(300);
  EXPECT_TRUE(IsWindow(main));
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr));
  const std::wstring abort = L"ID_ABORT";
  COPYDATASTRUCT cds{0x0141134D, DWORD(abort.size() * sizeof(wchar_t)),
                     const_cast<wchar_t*>(abort.data())};
  SendMessageW(main, WM_COPYDATA, 0, LPARAM(&cds));
  ASSERT_TRUE(waitFor([&] { return control(main, L"Btn_GUI_Cancel").enabled; }));
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

TEST(UninstallerWizard, Light) { walk(false, "light-96dpi"); }
TEST(UninstallerWizard, Dark) { walk(true, "dark-96dpi"); }

}  // namespace
