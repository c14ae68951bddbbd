#include "Pack.h"
#include "config/Config.h"
#include "digest/Md5.h"
#include "engine/Channel.h"
#include "engine/Exchange.h"
#include "fakes/BarOnlyPage.h"

namespace lingvora::test {
namespace {

// What the routers asked the page to show.
struct RecordingPage : ProgressPage {
  explicit RecordingPage(WizardState& w) : bar(w) {}
  fake::BarOnlyPage bar;
  std::vector<std::string> calls;
  void note(const std::string& what, int position) {
    calls.push_back(what + " " + std::to_string(position));
  }
  void showMainPackStatus(int p) override {
    note("main", p);
    bar.showMainPackStatus(p);
  }
  void showHelpPluginStatus(int p) override {
    note("help", p);
    bar.showHelpPluginStatus(p);
  }
  void showClassicSkinStatus(int p) override {
    note("skin", p);
    bar.showClassicSkinStatus(p);
  }
  void showAdditionalPluginStatus(const Text& m, int p) override {
    note("plugin " + S(m), p);
    bar.showAdditionalPluginStatus(m, p);
  }
  void showConfigurationStatus(int p) override {
    note("config", p);
    bar.showConfigurationStatus(p);
  }
  void finishProgress(int p, bool aborted) override {
    note(aborted ? "aborted" : "completed", p);
    bar.finishProgress(p, aborted);
  }
};

Bytes utf16(TextView t) {
  Bytes b;
  for (char16_t c : t) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
  return b;
}

// An app on its progress page with the given work list.
struct OnProgressPage : Pack {
  App* app = nullptr;
  RecordingPage* page = nullptr;
  explicit OnProgressPage(std::vector<Text> work, bool installer = true) {
    app = &start({installer ? u"/ACTION=0" : u"/ACTION=1"});
    WizardState& w = app->wizard();
    w.workList = std::move(work);
    w.progress.step = progressStep(w.workList.size());
    w.pageIndex = installer ? 5 : 3;
    w.channelOpen = true;  // the engine has been cued
    auto recording = std::make_unique<RecordingPage>(w);
    page = recording.get();
    app->setProgressPage(app->state.launchMode, std::move(recording));
  }
  void send(TextView text, std::uint64_t id = kEngineMessageId, std::size_t extraBytes = 0) {
    Bytes b = utf16(text);
    b.resize(b.size() + extraBytes, 0);
    receiveEngineMessage(*app, id, b.data(), b.size());
  }
};

TEST(EngineChannel, ProgressSteps) {
  for (auto [entries, step] : {std::pair{0u, 1}, {1u, 1}, {2u, 70}, {3u, 35}, {4u, 23}, {8u, 10}})
    EXPECT_EQ(progressStep(entries), step) << entries;
}

TEST(EngineChannel, ABarThroughAWholeInstallation) {
  OnProgressPage t({u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN", u"LANG_PACK_PLUGIN_AVS"});
  for (const char16_t* m :
       {u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ", u"ID_SECTION_LANG_PACK_HELP_PLUGIN",
        u"ID_SECTION_lang_pack_plugin_avs", u"ID_SECTION_LANG_PACK_PLUGIN_AVS",
        u"ID_SECTION_LANG_PACK_CLASSIC_SKIN", u"ID_SECTION_END", u"ID_SECTION_FINISH", u"ID_ABORT"})
    t.send(m);
  EXPECT_EQ(t.page->calls, (std::vector<std::string>{"main 20", "help 55",
                                                     "plugin ID_SECTION_LANG_PACK_PLUGIN_AVS 90",
                                                     "config 95", "completed 100"}));
  EXPECT_TRUE(t.app->wizard().progressFinished);
  EXPECT_FALSE(t.app->wizard().failed);
  EXPECT_TRUE(t.app->wizard().closeAllowed);
}

TEST(EngineChannel, MembershipIgnoresCaseTheVocabularyDoesNot) {
  OnProgressPage t({u"lang_pack_plugin_Milkdrop"});
  t.send(u"ID_SECTION_LANG_PACK_PLUGIN_MILKDROP");
  t.send(u"id_abort");
  t.send(u"ID_SECTION_END ");
  t.send(
      u"ID_SECTION_ID_SECTION_LANG_PACK_PLUGIN_MILKDROP");  // every prefix removed for the lookup
  EXPECT_EQ(t.page->calls,
            (std::vector<std::string>{"plugin ID_SECTION_LANG_PACK_PLUGIN_MILKDROP 1",
                                      "plugin ID_SECTION_ID_SECTION_LANG_PACK_PLUGIN_MILKDROP 2"}));
}

TEST(EngineChannel, MalformedOrMisplacedMessagesAreIgnored) {
  OnProgressPage t({u"LANG_PACK_OFFICIAL_WLZ"});
  t.send(u"ID_ABORT", kEngineMessageId + 1);
  t.send(u"ID_ABORT", kEngineMessageId, 2);  // a terminator inside cbData
  receiveEngineMessage(*t.app, kEngineMessageId, nullptr, 16);
  receiveEngineMessage(*t.app, kEngineMessageId, nullptr, 0);
  Bytes odd = utf16(u"ID_ABORT");
  odd.push_back('x');             // an odd last byte is dropped
  t.app->wizard().pageIndex = 3;  // the Directory page
  t.send(u"ID_ABORT");
  EXPECT_TRUE(t.page->calls.empty());
  t.app->wizard().pageIndex = 5;
  receiveEngineMessage(*t.app, kEngineMessageId, odd.data(), odd.size());
  EXPECT_EQ(t.page->calls, std::vector<std::string>{"aborted 100"});
}

TEST(EngineChannel, TheFirstEndDecidesInBothModes) {
  for (bool installer : {true, false}) {
    for (bool abortFirst : {true, false}) {
      OnProgressPage t({u"LANG_PACK_OFFICIAL_WLZ"}, installer);
      t.send(abortFirst ? u"ID_ABORT" : u"ID_SECTION_FINISH");
      t.send(abortFirst ? u"ID_SECTION_FINISH" : u"ID_ABORT");
      EXPECT_EQ(t.page->calls.size(), 1u);
      EXPECT_EQ(t.app->wizard().failed, abortFirst);
    }
  }
}

TEST(EngineChannel, RepeatsMoveOnAndStopAt100) {
  OnProgressPage t({u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_CLASSIC_SKIN"});
  t.send(u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ");
  t.send(u"ID_SECTION_LANG_PACK_CLASSIC_SKIN");
  t.send(u"ID_SECTION_LANG_PACK_CLASSIC_SKIN");
  EXPECT_EQ(t.app->wizard().progress.position, 100);  // 160 shows as 100
  t.send(u"ID_SECTION_LANG_PACK_CLASSIC_SKIN");
  EXPECT_EQ(t.page->calls.back(), "skin 170");
}

TEST(EngineChannel, LanguageDialogIgnoresMessages) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\langs.ini", "");
  App& app = pack.start({u"/LANG=langs.ini"});
  Bytes b = utf16(u"ID_ABORT");
  receiveEngineMessage(app, kEngineMessageId, b.data(), b.size());
  EXPECT_FALSE(app.state.installer.progressFinished);
}

TEST(DataIni, WrittenWholeKeepingOtherSections) {
  Pack pack;
  App& app = pack.start({u"/ACTION=0"});
  const Text data = app.state.installer.dataPath;
  ASSERT_TRUE(writeInstallDirToDataIni(app, data, u"C:\\Winamp"));
  EXPECT_EQ(pack.p.files.get(data), "[SYSTEM]\r\nInstallDir=C:\\Winamp\r\n");
  pack.p.files.put(data, "[ENGINE]\r\nState=ready\r\n[SYSTEM]\r\nInstallDir=old\r\nOther=1\r\n");
  ASSERT_TRUE(writeInstallDirToDataIni(app, data, u"D:\\Gry\\Winamp"));
  EXPECT_EQ(pack.p.files.get(data),
            "[ENGINE]\r\nState=ready\r\n[SYSTEM]\r\nInstallDir=D:\\Gry\\Winamp\r\nOther=1\r\n");
  pack.p.files.failWrites = true;  // read-only
  EXPECT_FALSE(writeInstallDirToDataIni(app, data, u"E:\\"));
  EXPECT_EQ(pack.p.dialogs.shown.size(), 0u);
}

TEST(DataIni, BesideTheProgramInBothModesAndNowhereElse) {
  for (const Text& action : {Text(u"/ACTION=0"), Text(u"/ACTION=1")}) {
    SCOPED_TRACE(S(action));
    Pack pack;
    App& app = pack.start({action});
    ASSERT_FALSE(pack.exit);
    EXPECT_EQ(app.wizard().dataPath, u"C:\\Pack\\DATA.ini");
    const int before = pack.p.files.writes;
    for (const Text& path : {Text(), Text(u"DATA.ini"), Text(u"\\DATA.ini"), Text(u"C:DATA.ini")})
      EXPECT_FALSE(writeInstallDirToDataIni(app, path, u"C:\\Winamp")) << S(path);
    EXPECT_EQ(pack.p.files.writes, before);
    EXPECT_TRUE(writeInstallDirToDataIni(app, app.wizard().dataPath, u"C:\\Winamp"));
  }
}

TEST(InfoSection, SeventeenKeysInOrderThenSaved) {
  Pack pack;
  pack.p.files.put(u"C:\\Pack\\GUI.ini", std::string(kGuiIni) + "[INFO]\r\nVersion=stale\r\n");
  App& app = pack.start({u"/ACTION=0"});
  WinampRecord& r = app.state.installer.record;
  r = {};
  r.InstallDir = u"C:\\W";
  r.WacupType = true;
  r.Version = u"5.9.2.10042";
  const int before = pack.p.files.writes;
  writeInfoSection(app, app.state.installer);
  EXPECT_EQ(pack.p.files.writes, before + 1);
  const std::string saved = pack.p.files.get(u"C:\\Pack\\GUI.ini");
  const std::string info = saved.substr(saved.find("[INFO]"));
  EXPECT_EQ(
      info,
      "[INFO]\r\nVersion=5.9.2.10042\r\nInstallDir=C:\\W\r\nExeFileName=\r\nWacupType=1\r\n"
      "OSPortable=0\r\nPortable=0\r\nPathsConfig=\r\nConfigDir=\r\nConfigFile=\r\nSkinsDir=\r\n"
      "PluginsDir=\r\nLangPackDir=\r\nCompanyName=\r\nFileVersion=\r\nLegalCopyright=\r\n"
      "ProductName=\r\nProductVersion=\r\n");
  EXPECT_EQ(saved.substr(0, 7), "[LANG]\r");  // the rest of the file as it was

  pack.p.files.failWrites = true;
  EXPECT_THROW(writeInfoSection(app, app.state.installer), std::runtime_error);
}

std::string md5Of(const std::string& s) {
  Md5 m;
  m.update(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  return S(Md5::hex(m.finish()));
}

TEST(Md5, TheTestSuiteOfTheRfc) {
  EXPECT_EQ(md5Of(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(md5Of("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(md5Of("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(md5Of("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(md5Of("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(md5Of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(
      md5Of("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
      "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecewiseEqualsWhole) {
  std::string data(100000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i * 131 + (i >> 7));
  const std::string whole = md5Of(data);
  for (std::size_t piece : {1u, 3u, 63u, 64u, 65u, 4096u}) {
    Md5 m;
    for (std::size_t at = 0; at < data.size(); at += piece)
      m.update(reinterpret_cast<const std::uint8_t*>(data.data()) + at,
               std::min(piece, data.size() - at));
    EXPECT_EQ(S(Md5::hex(m.finish())), whole) << piece;
  }
}

TEST(FileDigest, WholeFilesAndUnreadableOnes) {
  fake::FakePlatform p;
  p.files.put(u"C:\\P\\a.dll", "abc");
  EXPECT_EQ(fileDigest(p.files, u"C:\\P\\A.DLL"), Text(u"900150983cd24fb0d6963f7d28e17f72"));
  p.files.put(u"C:\\P\\big.dll", std::string(3 * kDigestBlockSize + 5, 'x'));
  EXPECT_EQ(S(*fileDigest(p.files, u"C:\\P\\big.dll")),
            md5Of(std::string(3 * kDigestBlockSize + 5, 'x')));
  EXPECT_FALSE(fileDigest(p.files, u"C:\\P\\missing.dll"));
  p.files.unreadable.insert(fake::pathKey(u"C:\\P\\a.dll"));
  EXPECT_FALSE(fileDigest(p.files, u"C:\\P\\a.dll"));
}

}  // namespace
}  // namespace lingvora::test

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lingvora::test {
namespace {

std::string md5sum(const std::filesystem::path& file) {
  std::string command = "md5sum '" + file.string() + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  char buf[64] = {};
  const std::size_t n = std::fread(buf, 1, 32, pipe);
  pclose(pipe);
  return std::string(buf, n);
}

TEST(FileDigest, AgreesWithMd5sumOnAwkwardSizes) {
  const auto dir = std::filesystem::temp_directory_path() / "lingvora-md5";
  std::filesystem::create_directories(dir);
  for (std::size_t size : {0ul, 1ul, 55ul, 56ul, 63ul, 64ul, 65ul, kDigestBlockSize - 1,
                           kDigestBlockSize, kDigestBlockSize + 1, 5ul << 20}) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) data[i] = char((i * 2654435761u) >> 13);
    const auto file = dir / ("f" + std::to_string(size));
    std::ofstream(file, std::ios::binary).write(data.data(), std::streamsize(size));
    fake::FakePlatform p;
    p.files.put(u"C:\\f.dll", data);
    EXPECT_EQ(S(*fileDigest(p.files, u"C:\\f.dll")), md5sum(file)) << size;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace lingvora::test
