// GUI.exe started for real in pack directories: the argument errors, the
// start-up errors of both wizards, the wizard window and the quit question.
#include <gtest/gtest.h>

#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::wstring kBreak = L"\n\r";
const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

struct Answered {
  std::wstring caption, text;
  DWORD exit;
};

// Starts GUI.exe, expects one error box, presses OK, returns what it saw.
Answered errorBox(const PackDir& pack, const std::wstring& args) {
  Gui gui(pack, args);
  HWND box = gui.waitMessageBox();
  if (!box) return {L"<no message box>", L"", gui.waitExit(100)};
  Answered a{windowText(box), messageBoxText(box), 0};
  answer(box, IDOK);
  a.exit = gui.waitExit();
  return a;
}

std::string narrow(const std::wstring& w) {
  std::string s(size_t(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), nullptr, 0,
                                           nullptr, nullptr)),
                '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), s.data(), int(s.size()), nullptr,
                      nullptr);
  return s;
}

bool endsWith(const std::wstring& s, const std::wstring& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

TEST(ArgumentErrors, NoArgumentsAndEmptyAction) {
  PackDir pack("arguments", kFullPack);
  Answered none = errorBox(pack, L"");
  EXPECT_EQ(none.caption, L"Lingvora");
  EXPECT_EQ(none.text, L"LINGVORA INSTALLER ERROR!" + kBreak + L"NO PARAMETERS PASSED!");
  EXPECT_EQ(none.exit, 1u);

  Answered empty = errorBox(pack, L"/ACTION=");
  EXPECT_EQ(empty.text, L"LINGVORA INSTALLER ERROR!" + kBreak + L"INVALID PARAMETERS PASSED!");
  EXPECT_EQ(empty.exit, 2u);

  Answered missingList = errorBox(pack, L"/LANG=missing.ini");
  EXPECT_EQ(missingList.text, empty.text);
  EXPECT_EQ(missingList.exit, 2u);
}

struct StartupCase {
  const char* name;
  std::wstring action;
  std::vector<std::wstring> files;
  DWORD exit;
  std::wstring caption;
  std::wstring textStart, textEnd;
};

TEST(StartupErrors, MissingFilesOfBothWizards) {
  const std::wstring installerCaption = L"Instalowanie polskiego pakietu językowego Winampa...";
  const std::wstring uninstallerCaption = L"Dezinstalacja polskiego pakietu językowego Winampa...";
  const std::vector<StartupCase> cases = {
      {"installer-config",
       L"/ACTION=0",
       {L"1045.ini", L"Pixora.dll"},
       1,
       installerCaption,
       L"Nie udało się zainicjować instalatora polskiego pakietu językowego Winampa. Nie udało się "
       L"znaleźć pliku konfiguracyjnego instalatora Orva!" +
           kBreak + kBreak + L"Plik konfiguracyjny:" + kBreak,
       L"GUI.ini" + kBreak + kBreak +
           L"Instalator polskiego pakietu językowego Winampa zostanie "
           L"natychmiast zamknięty." +
           kBreak + kBreak +
           L"Jeśli potrzebujesz dodatkowych informacji "
           L"lub chcesz się skontaktować, odwiedź stronę projektu Orva." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/winamp.php"},
      {"installer-locale",
       L"/ACTION=0",
       {L"GUI.ini", L"Pixora.dll"},
       2,
       installerCaption,
       L"Nie udało się zainicjować instalatora polskiego pakietu językowego Winampa. Nie udało się "
       L"znaleźć pliku językowego instalatora Orva!" +
           kBreak + kBreak + L"Plik językowy:" + kBreak,
       L"1045.ini" + kBreak + kBreak +
           L"Instalator polskiego pakietu językowego Winampa zostanie "
           L"natychmiast zamknięty." +
           kBreak + kBreak +
           L"Jeśli potrzebujesz dodatkowych informacji "
           L"lub chcesz się skontaktować, odwiedź stronę projektu Orva." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/index.php"},
      {"installer-library",
       L"/ACTION=0",
       {L"GUI.ini", L"1045.ini"},
       3,
       L"Instalator Lingvora - błąd",
       L"Nie udało się uruchomić instalatora polskiego pakietu językowego. Brakuje biblioteki z "
       L"grafikami instalatora." +
           kBreak + kBreak + L"Oczekiwany plik biblioteki:" + kBreak,
       L"Pixora.dll" + kBreak + kBreak +
           L"Pobierz pakiet 4.0 ponownie ze strony projektu i "
           L"uruchom instalację jeszcze raz." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/info.php"},
      {"uninstaller-config",
       L"/ACTION=1",
       {L"1045.ini", L"Pixora.dll"},
       1,
       uninstallerCaption,
       L"Nie udało się zainicjować dezinstalatora polskiego pakietu językowego Winampa. Nie udało "
       L"się znaleźć pliku konfiguracyjnego dezinstalatora Orva!" +
           kBreak + kBreak + L"Plik konfiguracyjny:" + kBreak,
       L"GUI.ini" + kBreak + kBreak +
           L"Dezinstalator polskiego pakietu językowego Winampa zostanie "
           L"natychmiast zamknięty." +
           kBreak + kBreak +
           L"Jeśli potrzebujesz dodatkowych informacji "
           L"lub chcesz się skontaktować, odwiedź stronę projektu Orva." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/winamp.php"},
      {"uninstaller-locale",
       L"/ACTION=1",
       {L"GUI.ini", L"Pixora.dll"},
       2,
       uninstallerCaption,
       L"Nie udało się zainicjować dezinstalatora polskiego pakietu językowego Winampa. Nie udało "
       L"się znaleźć pliku językowego dezinstalatora Orva!" +
           kBreak + kBreak + L"Plik językowy:" + kBreak,
       L"1045.ini" + kBreak + kBreak +
           L"Dezinstalator polskiego pakietu językowego Winampa "
           L"zostanie natychmiast zamknięty." +
           kBreak + kBreak +
           L"Jeśli potrzebujesz dodatkowych "
           L"informacji lub chcesz się skontaktować, odwiedź stronę projektu Orva." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/index.php"},
      {"uninstaller-library",
       L"/ACTION=1",
       {L"GUI.ini", L"1045.ini"},
       3,
       L"Dezinstalator Lingvora - błąd",
       L"Nie udało się uruchomić dezinstalatora polskiego pakietu językowego. Brakuje biblioteki z "
       L"grafikami dezinstalatora." +
           kBreak + kBreak + L"Oczekiwany plik biblioteki:" + kBreak,
       L"Pixora.dll" + kBreak + kBreak +
           L"Zainstaluj pakiet 4.0 ponownie, a następnie uruchom "
           L"dezinstalację jeszcze raz." +
           kBreak + kBreak + L"https://lingvora.pl/winamp/info.php"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PackDir pack(c.name, c.files);
    Answered a = errorBox(pack, c.action);
    EXPECT_EQ(a.exit, c.exit);
    EXPECT_EQ(narrow(a.caption), narrow(c.caption));
    EXPECT_EQ(narrow(a.text.substr(0, c.textStart.size())), narrow(c.textStart));
    EXPECT_TRUE(endsWith(a.text, c.textEnd)) << narrow(a.text);
    // The path in between names the file in this pack directory.
    EXPECT_NE(a.text.find(pack.path() + L"\\"), std::wstring::npos) << narrow(a.text);
  }
}

void expectWizardWindow(DWORD dpi, LONG width, LONG height, const char* shot) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  Density density(dpi);
  PackDir pack(std::string("wizard-") + std::to_string(dpi), kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main) << "no TORVA_GUI window";
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
  EXPECT_EQ(windowText(main), L"Instalator polskiego pakietu językowego Lingvora 4.0");

  // The Welcome page's footer: Next and Cancel; Back waits for page 1.
  for (const auto& [name, caption, visible] : {std::tuple{L"Btn_GUI_Back", L"", false},
                                               {L"Btn_GUI_Next", L"&Dalej >", true},
                                               {L"Btn_GUI_Cancel", L"Anuluj", true}}) {
    ChildWindow b = control(main, name);
    EXPECT_EQ(b.visible, visible) << narrow(name);
    if (!visible) continue;  // a hidden control may have no window yet
    EXPECT_EQ(b.cls, L"Button");
    EXPECT_EQ(b.text, caption);
  }
  Sleep(200);
  EXPECT_TRUE(screenshot(main, env("LINGVORA_SCREENSHOTS") + "/" + shot));

  // Escape asks; No keeps the window.
  pressKey(control(main, L"Btn_GUI_Next").hwnd, VK_ESCAPE);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(windowText(question), L"Instalator polskiego pakietu językowego Lingvora 4.0");
  EXPECT_EQ(messageBoxText(question),
            L"Czy na pewno chcesz przerwać instalację polskiego pakietu językowego?");
  answer(question, IDNO);
  EXPECT_EQ(gui.waitExit(500), DWORD(STILL_ACTIVE));
  EXPECT_TRUE(IsWindowVisible(main));

  // Cancel asks again; Yes ends with exit code 0.
  click(control(main, L"Btn_GUI_Cancel").hwnd);
  question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

TEST(StartupProbe, NoPlayerAsksAndNoEndsWithCode6) {
  MachineValue::remove(kUninstall + L"Winamp", L"UninstallString");  // left by a demo, say
  PackDir pack("no-player", kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(windowText(question), L"Instalator Lingvora - błąd");
  EXPECT_EQ(
      messageBoxText(question),
      L"Nie znaleziono zainstalowanego Winampa 5.9.2.10042. Pakiet językowy wymaga "
      L"zainstalowanego "
      L"odtwarzacza.\n\rCzy mimo to chcesz kontynuować i samodzielnie wskazać katalog Winampa?");
  answer(question, IDNO);
  EXPECT_EQ(gui.waitExit(), 6u);
}

TEST(StartupProbe, UninstallerWithoutThePacksEntryEndsWithCode5) {
  MachineValue::remove(kUninstall + L"Lingvora Winamp Language Pack", L"InstallLocation");
  PackDir pack("no-pack-entry", kFullPack);
  Answered a = errorBox(pack, L"/ACTION=1");
  EXPECT_EQ(a.exit, 5u);
  EXPECT_EQ(a.caption, L"Dezinstalator Lingvora - błąd");
  EXPECT_EQ(a.text,
            L"Nie udało się uruchomić dezinstalatora polskiego pakietu językowego. Nie "
            L"znaleziono instalacji pakietu językowego." +
                kBreak + kBreak + L"Katalog instalacji zapisany w rejestrze:" + kBreak + kBreak +
                kBreak +
                L"Zainstaluj pakiet 4.0 ponownie, a następnie uruchom dezinstalację jeszcze "
                L"raz." +
                kBreak + kBreak + L"https://lingvora.pl/winamp/index.php");
}

TEST(WizardWindow, UninstallerFindsThePack) {
  InstalledPlayer player;
  PackDir pack("uninstaller", kFullPack);
  Gui gui(pack, L"/ACTION=1");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  // The Welcome page's title once the pack was found.
  EXPECT_EQ(windowText(main), L"Dezinstalator polskiego pakietu językowego Lingvora 4.0");
  EXPECT_EQ(control(main, L"Btn_GUI_Next").text, L"&Dalej >");
  pressKey(main, VK_ESCAPE);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  EXPECT_EQ(windowText(question), L"Dezinstalator polskiego pakietu językowego Lingvora 4.0");
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

void copyData(HWND window, ULONG_PTR id, const void* data, DWORD bytes) {
  COPYDATASTRUCT cds{id, bytes, const_cast<void*>(data)};
  DWORD_PTR result = 1;
  SendMessageTimeoutW(window, WM_COPYDATA, 0, LPARAM(&cds), SMTO_ABORTIFHUNG, 5000, &result);
  EXPECT_EQ(result, 0u);  // every WM_COPYDATA is answered with 0
}

TEST(EngineChannel, MalformedMessagesDoNotHurtTheWizard) {
  InstalledPlayer player;
  PackDir pack("malformed", kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  const wchar_t abort[] = L"ID_ABORT";
  copyData(main, 0x0141134D, nullptr, 16);  // a length without data
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE)) << "null";
  copyData(main, 0x0141134D, abort, 15);  // an odd byte count
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE)) << "odd";
  copyData(main, 0x0141134E, abort, 16);  // another identifier
  copyData(main, 0x0141134D, abort, 18);  // a terminator inside the text
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE)) << "18";
  copyData(main, 0x0141134D, nullptr, 0);
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE)) << "empty";
  std::vector<wchar_t> big(1 << 15, L'A');
  copyData(main, 0x0141134D, big.data(), DWORD(big.size() * 2));
  // Still there, on its page, and closes as usual.
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE));
  pressKey(main, VK_ESCAPE);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

TEST(WizardWindow, At96Dpi) { expectWizardWindow(96, 544, 437, "wizard-96dpi.png"); }
TEST(WizardWindow, At120Dpi) { expectWizardWindow(120, 680, 546, "wizard-120dpi.png"); }

}  // namespace
