// The stand-in engine against a small receiver that plays GUI.exe: what it
// sends, in which order, and how it ends.
#include <gtest/gtest.h>

#include "driver/Driver.h"

using namespace driver;

namespace {

const char* kGuiIni =
    "[PROJECT]\r\nProjectName=Test\r\n"
    "[LANG_PACK_HELP_PLUGIN]\r\nInstall=1\r\nUserAction=1\r\n"
    "[LANG_PACK_PLUGIN_AVS]\r\nInstall=1\r\nUserAction=0\r\n"
    "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nUserAction=1\r\n"
    "[LANG_PACK_CLASSIC_SKIN]\r\nInstall=2\r\nUserAction=1\r\n"
    "[LANG_PACK_PLUGIN_MILKDROP]\r\nInstall=0\r\nUserAction=1\r\n";

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t i; (i = text.find('\n', start)) != std::string::npos; start = i + 1)
    out.push_back(text.substr(start, i - start));
  return out;
}

// How the receiver logs a message the engine sent: its identifier, its byte
// count (no terminator) and its text.
std::vector<std::string> sent(const std::vector<std::string>& texts) {
  std::vector<std::string> out;
  for (const auto& t : texts) out.push_back("141134d " + std::to_string(2 * t.size()) + " " + t);
  return out;
}

std::vector<std::string> drive(const std::string& name, const std::wstring& options, DWORD& exit) {
  PackDir pack(name, {}, env("LINGVORA_RECEIVER_EXE"));
  pack.write(L"GUI.ini", kGuiIni);
  exit = run(L"\"" + windowsPath(env("LINGVORA_ENGINE_EXE")) + L"\" --pause 0 " + options + L" \"" +
             pack.path() + L"\"");
  return lines(pack.read(L"received.txt"));
}

TEST(StandInEngine, InstallsTheChosenComponentsMainPackFirst) {
  DWORD exit = 0;
  auto got = drive("engine-install", L"", exit);
  EXPECT_EQ(exit, 7u);  // GUI.exe's exit code is the engine's
  EXPECT_EQ(got, sent({"ID_SECTION_LANG_PACK_OFFICIAL_WLZ", "ID_SECTION_LANG_PACK_HELP_PLUGIN",
                       "ID_SECTION_LANG_PACK_CLASSIC_SKIN", "ID_SECTION_LANG_PACK_PLUGIN_MILKDROP",
                       "ID_SECTION_END", "ID_SECTION_FINISH"}));
}

TEST(StandInEngine, UninstallsWhatIsInstalled) {
  DWORD exit = 0;
  auto got = drive("engine-uninstall", L"--uninstall", exit);
  EXPECT_EQ(exit, 7u);
  EXPECT_EQ(got, sent({"ID_SECTION_LANG_PACK_OFFICIAL_WLZ", "ID_SECTION_LANG_PACK_HELP_PLUGIN",
                       "ID_SECTION_LANG_PACK_PLUGIN_AVS", "ID_SECTION_LANG_PACK_CLASSIC_SKIN",
                       "ID_SECTION_END", "ID_SECTION_FINISH"}));
}

TEST(StandInEngine, AbortsAtTheChosenPointAndSendsRawMessages) {
  DWORD exit = 0;
  auto got = drive("engine-abort", L"--abort-after 1", exit);
  EXPECT_EQ(got, sent({"ID_SECTION_LANG_PACK_OFFICIAL_WLZ", "ID_ABORT"}));
  got = drive("engine-raw", L"--send hello --send ID_SECTION_X", exit);
  ASSERT_EQ(got.size(), 8u);
  EXPECT_EQ(got[4], sent({"hello"})[0]);
  EXPECT_EQ(got[5], sent({"ID_SECTION_X"})[0]);
}

}  // namespace
