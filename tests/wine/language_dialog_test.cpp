// GUI.exe /LANG=file driven through its windows: the list of three
// languages read back from the drop-down list, a choice made with the
// keyboard, OK, Escape and Enter, with the list open and closed; both
// themes and 144 dpi.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

// UTF-8 with a byte-order mark; German has no flag in the example library.
const std::string kList =
    "\xEF\xBB\xBF"
    "[1045]\r\nTitle=Wybór języka\r\nSubTitle=Wybierz język instalatora:\r\nOK=&OK\r\n"
    "Cancel=&Anuluj\r\nName=Nazwa języka:\r\nCountry=Kraj:\r\nID=Identyfikator:\r\n"
    "Translator=Tłumacz:\r\nTranslatorName=Zespół Lingvora\r\n"
    "TranslatorEmail=tlumacze@lingvora.pl\r\nDesc1=Twój system używa języka:\r\n"
    "Desc2=Instalator jest dostępny w Twoim języku.\r\n"
    "Desc3=Instalator nie został jeszcze przetłumaczony na Twój język.\r\n"
    "Desc4=Pomóż w tłumaczeniu\r\nDesc5=https://lingvora.pl/translate.php\r\n"
    "[1033]\r\nTitle=Language Selection\r\nSubTitle=Please select the setup language:\r\n"
    "TranslatorName=Lingvora team\r\nDesc1=Your system uses the language:\r\n"
    "Desc2=Setup is available in your language.\r\n"
    "Desc3=Setup has not been translated into your language yet.\r\n"
    "Desc4=Help us translate\r\nDesc5=https://lingvora.pl/translate_en.php\r\n"
    "[1031]\r\nTitle=Sprachauswahl\r\nSubTitle=Sprache des Installationsprogramms:\r\n";

const LANGID kLanguages[] = {1045, 1033, 1031};
const wchar_t* const kTitles[] = {L"Wybór języka", L"Language Selection", L"Sprachauswahl"};

std::wstring localeText(LANGID id, LCTYPE field) {
  wchar_t buf[128] = {};
  GetLocaleInfoW(id, field, buf, 128);
  return buf;
}

// The entry the dialog preselects: the user's interface language, else the first.
int preselected() {
  for (int i = 0; i < 3; ++i)
    if (kLanguages[i] == GetUserDefaultUILanguage()) return i;
  return 0;
}

struct Dialog {
  PackDir pack;
  std::optional<Gui> gui;
  HWND main = nullptr, list = nullptr;

  explicit Dialog(const std::string& tag) : pack("language-" + tag, {L"Pixora.dll"}) {
    pack.write(L"languages.ini", kList);
    gui.emplace(pack, L"/LANG=languages.ini");
    main = gui->waitMainWindow();
    if (main) list = control(main, L"CB_Lang_Languages").hwnd;
  }
  // The dialog shows the language of that entry.
  bool shows(int entry) const {
    return waitFor([&] {
      return windowText(main) == kTitles[entry] &&
             control(main, L"Lbl_Lang_Lang").text.rfind(std::to_wstring(kLanguages[entry]), 0) == 0;
    });
  }
  bool droppedDown() const { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }
};

void chooseAndConfirm(DWORD dpi, bool dark, const std::string& tag) {
  Density density(dpi);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  Dialog d(tag);
  ASSERT_TRUE(d.main);
  ASSERT_TRUE(d.list);

  // The dialog's own window: fixed size, no minimize box.
  RECT frame{};
  GetWindowRect(d.main, &frame);
  EXPECT_EQ(frame.right - frame.left, MulDiv(450, int(dpi), 96));
  EXPECT_EQ(frame.bottom - frame.top, MulDiv(250, int(dpi), 96));
  EXPECT_EQ(GetWindowLongPtrW(d.main, GWL_STYLE) & WS_MINIMIZEBOX, 0);
  EXPECT_NE(GetWindowLongPtrW(d.main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);  // always on top

  // The three languages by their names in the system's language, and the
  // user's own language preselected and shown.
  std::vector<std::wstring> names;
  for (LANGID id : kLanguages) names.push_back(localeText(id, LOCALE_SLANGUAGE));
  EXPECT_EQ(comboEntries(d.list), names);
  const int first = preselected();
  EXPECT_EQ(comboSelection(d.list), first);
  ASSERT_TRUE(d.shows(first));
  Sleep(300);
  EXPECT_TRUE(screenshot(d.main, env("LINGVORA_SCREENSHOTS") + "/language-" + tag + ".png"));

  // Polish, chosen with the keyboard as a user would: its texts and names.
  for (int at = first; at > 0; --at) pressKey(d.list, VK_UP);
  ASSERT_TRUE(d.shows(0));
  EXPECT_EQ(comboSelection(d.list), 0);
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Subtitle").text, L"Wybierz język instalatora:");
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Lang").text, L"1045 (0415) [pl-PL]");
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Name").text,
            L"Polski (" + localeText(1045, LOCALE_SENGLISHLANGUAGENAME) + L")");
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Translator").text, L"Zespół Lingvora");
  EXPECT_EQ(control(d.main, L"Btn_Lang_Cancel").text, L"&Anuluj");
  const bool offered = kLanguages[first] == GetUserDefaultUILanguage();
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Help").visible, !offered);
  if (!offered) {
    EXPECT_EQ(control(d.main, L"Lbl_Lang_Help").text, L"POMÓŻ W TŁUMACZENIU");
  }
  Sleep(300);
  EXPECT_TRUE(screenshot(d.main, env("LINGVORA_SCREENSHOTS") + "/language-" + tag + "-pl.png"));

  // German next: the library has no flag for it.
  pressKey(d.list, VK_DOWN);
  pressKey(d.list, VK_DOWN);
  ASSERT_TRUE(d.shows(2));
  EXPECT_EQ(control(d.main, L"Lbl_Lang_Translator").text, L"-");
  Sleep(300);
  EXPECT_TRUE(screenshot(d.main, env("LINGVORA_SCREENSHOTS") + "/language-" + tag + "-de.png"));

  click(control(d.main, L"Btn_Lang_OK").hwnd);
  EXPECT_EQ(d.gui->waitExit(), 1031u);
}

TEST(LanguageDialog, ChooseAndConfirmLight96) { chooseAndConfirm(96, false, "light-96"); }
TEST(LanguageDialog, ChooseAndConfirmDark96) { chooseAndConfirm(96, true, "dark-96"); }
TEST(LanguageDialog, ChooseAndConfirmLight144) { chooseAndConfirm(144, false, "light-144"); }

TEST(LanguageDialog, EscapeClosesTheOpenListThenCancels) {
  Dialog d("escape");
  ASSERT_TRUE(d.main);
  ASSERT_TRUE(d.shows(preselected()));
  pressKey(d.list, VK_F4);
  ASSERT_TRUE(waitFor([&] { return d.droppedDown(); }));
  pressKey(d.list, VK_ESCAPE);
  ASSERT_TRUE(waitFor([&] { return !d.droppedDown(); }));
  EXPECT_EQ(d.gui->waitExit(500), DWORD(STILL_ACTIVE));
  pressKey(d.list, VK_ESCAPE);
  EXPECT_EQ(d.gui->waitExit(), 1u);
}

TEST(LanguageDialog, EnterInTheOpenListTakesTheHighlightedEntryThenConfirms) {
  Dialog d("enter");
  ASSERT_TRUE(d.main);
  const int first = preselected();
  ASSERT_TRUE(d.shows(first));
  const int other = first == 2 ? 1 : first + 1;
  pressKey(d.list, VK_F4);
  ASSERT_TRUE(waitFor([&] { return d.droppedDown(); }));
  pressKey(d.list, other > first ? VK_DOWN : VK_UP);
  pressKey(d.list, VK_RETURN);
  ASSERT_TRUE(waitFor([&] { return !d.droppedDown(); }));
  ASSERT_TRUE(d.shows(other));
  EXPECT_EQ(d.gui->waitExit(500), DWORD(STILL_ACTIVE));
  pressKey(d.list, VK_RETURN);
  EXPECT_EQ(d.gui->waitExit(), DWORD(kLanguages[other]));
}

TEST(LanguageDialog, HelpLinkWhenTheListLacksTheUsersLanguage) {
  const LANGID user = GetUserDefaultUILanguage();
  if (user == 1045 || user == 1031) GTEST_SKIP() << "the list offers the user's language";
  PackDir pack("language-help", {L"Pixora.dll"});
  // Polish and German only.
  pack.write(L"languages.ini",
             kList.substr(0, kList.find("[1033]")) + kList.substr(kList.find("[1031]")));
  Gui gui(pack, L"/LANG=languages.ini");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  ASSERT_TRUE(waitFor([&] { return windowText(main) == kTitles[0]; }));
  const ChildWindow help = control(main, L"Lbl_Lang_Help");
  EXPECT_TRUE(help.visible);
  EXPECT_EQ(help.text, L"POMÓŻ W TŁUMACZENIU");
  const std::wstring desc = control(main, L"Lbl_Lang_Desc").text;
  EXPECT_EQ(desc, L"Twój system używa języka: " + localeText(user, LOCALE_SLANGUAGE) +
                      L". Instalator nie został jeszcze przetłumaczony na Twój język.");
  Sleep(300);
  EXPECT_TRUE(screenshot(main, env("LINGVORA_SCREENSHOTS") + "/language-help-link.png"));
  pressKey(control(main, L"CB_Lang_Languages").hwnd, VK_RETURN);
  EXPECT_EQ(gui.waitExit(), 1045u);
}

TEST(LanguageDialog, CloseBoxCancels) {
  Dialog d("close");
  ASSERT_TRUE(d.main);
  ASSERT_TRUE(d.shows(preselected()));
  PostMessageW(d.main, WM_CLOSE, 0, 0);
  EXPECT_EQ(d.gui->waitExit(), 1u);
}

}  // namespace
