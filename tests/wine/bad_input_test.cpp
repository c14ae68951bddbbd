// GUI.exe fed what nobody should write: a huge GUI.ini, an image library that
// is no library or whose resources loop, a player whose version resource is
// cut short, a language list of a thousand languages. Each time the program
// starts, answers its messages and ends as usual.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

std::string fileBytes(const std::string& unixPath) {
  std::ifstream in(unixPath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// The installer shows its Welcome page, answers, and cancels with exit code 0.
void startsAndCancels(const PackDir& pack, const std::string& screenshotName) {
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow(30000);
  ASSERT_TRUE(main) << "exit code " << gui.waitExit(100);
  EXPECT_TRUE(answers(main));
  EXPECT_TRUE(control(main, L"P_Installer_WelcomePage").visible);
  EXPECT_EQ(control(main, L"Btn_GUI_Next").enabled, true);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, env("LINGVORA_SCREENSHOTS") + "/" + screenshotName));
  pressKey(main, VK_ESCAPE);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

const std::vector<std::wstring> kPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

TEST(BadInput, AGuiIniOfTenMegabytes) {
  InstalledPlayer player;
  PackDir pack("huge-gui-ini", kPack);
  std::string gui = pack.read(L"GUI.ini");
  gui += "\r\n";
  for (int i = 0; gui.size() < (10u << 20); ++i)
    gui += "[FILLER_" + std::to_string(i) + "]\r\nKey=" + std::string(200, 'x') + "\r\n";
  pack.write(L"GUI.ini", gui);
  startsAndCancels(pack, "bad-input-huge-gui-ini.png");
}

TEST(BadInput, AnImageLibraryThatIsNoLibrary) {
  InstalledPlayer player;
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"text", "This is not a library.\r\n"},
      {"empty", ""},
      {"looping resource directory",
       fileBytes(env("LINGVORA_FUZZ_CORPUS") + "/pe/looping-directory.dll")},
  };
  ASSERT_FALSE(cases[2].bytes.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PackDir pack(std::string("bad-library-") + std::to_string(&c - cases), kPack);
    pack.write(L"Pixora.dll", c.bytes);
    startsAndCancels(pack, "bad-input-library-" + std::to_string(&c - cases) + ".png");
  }
}

// The version resource claims fewer bytes than its own header.
TEST(BadInput, APlayerWhoseVersionResourceIsCutShort) {
  InstalledPlayer player;
  std::string exe = fileBytes(env("LINGVORA_PLAYERS") + "/winamp-5.9.2/winamp.exe");
  const std::string key("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30);
  const size_t at = exe.find(key);
  ASSERT_NE(at, std::string::npos);
  exe[at - 6] = 12;  // wLength
  exe[at - 5] = 0;
  const std::wstring target = player.dir + L"\\winamp.exe";
  HANDLE f = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(f, exe.data(), DWORD(exe.size()), &written, nullptr);
  CloseHandle(f);
  PackDir pack("short-version", kPack);
  startsAndCancels(pack, "bad-input-short-version.png");
}

TEST(BadInput, ALanguageListOfAThousandLanguages) {
  PackDir pack("thousand-languages", {L"Pixora.dll"});
  std::string list;
  for (int id = 1000; id < 2000; ++id)
    list += "[" + std::to_string(id) + "]\r\nTitle=Language " + std::to_string(id) + "\r\n";
  pack.write(L"languages.ini", list);
  Gui gui(pack, L"/LANG=languages.ini");
  HWND main = gui.waitMainWindow(30000);
  ASSERT_TRUE(main);
  EXPECT_TRUE(answers(main));
  HWND languages = control(main, L"CB_Lang_Languages").hwnd;
  EXPECT_EQ(comboEntries(languages).size(), 1000u);
  const LANGID user = GetUserDefaultUILanguage();
  const int chosen = user >= 1000 && user < 2000 ? user : 1000;
  EXPECT_EQ(comboSelection(languages), chosen - 1000);
  EXPECT_TRUE(waitFor([&] { return windowText(main) == L"Language " + std::to_wstring(chosen); }));
  click(control(main, L"Btn_Lang_OK").hwnd);
  EXPECT_EQ(gui.waitExit(), DWORD(chosen));
}

}  // namespace
