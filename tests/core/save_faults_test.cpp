// Every save under every fault a disk can raise: the file holds either its
// old content or the new one, and the caller is told which.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Pack.h"
#include "engine/Exchange.h"
#include "fakes/DiskFaults.h"
#include "pages/installer/Installer_Installation_Page.h"

namespace lingvora::test {
namespace {

using fake::apply;
using fake::DiskCase;
using fake::diskCases;

// Nothing but the target may be left behind by a save.
void expectNoTemporaryFiles(const fake::Files& files) {
  for (const auto& [path, bytes] : files.files)
    EXPECT_EQ(path.find(u".TMP"), Text::npos) << S(path);
}

TEST(SafeSave, EveryFaultLeavesTheOldOrTheNewContentAndSaysWhich) {
  const Text target = u"C:\\Pack\\DATA.ini";
  const Bytes before{'o', 'l', 'd'};
  const Bytes after{'n', 'e', 'w', ' ', 'a', 'n', 'd', ' ', 'l', 'o', 'n', 'g', 'e', 'r'};
  for (bool existed : {true, false})
    for (const DiskCase& c : diskCases(after.size())) {
      SCOPED_TRACE(std::string(c.what) + (existed ? "" : ", no file before"));
      fake::Files files;
      files.addDirectory(u"C:\\Pack");
      if (existed) files.putBytes(target, before);
      apply(files, c, target);
      const bool saved = files.replaceWhole(target, after);
      const auto now = files.readWhole(target);
      if (saved) {
        EXPECT_EQ(now, std::optional<Bytes>(after));
      } else if (existed) {
        EXPECT_EQ(now, std::optional<Bytes>(before));
      } else {
        EXPECT_FALSE(now);
      }
      expectNoTemporaryFiles(files);
    }
}

TEST(SafeSave, WhatEachFaultEndsIn) {
  struct Case {
    const char* what;
    bool saved;
    int pauses;
  } expected[] = {
      {"no fault", true, 0},
      {"the replace is refused twice, then done", true, 2},
      {"a reader holds the target: written in place", true, 5},
      {"a reader holds the target and the disk has just room for the new file", true, 5},
      {"a reader holds the target and the write in place stops half-way", false, 5},
      {"the disk is full", false, 0},
      {"the target is read-only", false, 0},
  };
  const Text target = u"C:\\Pack\\DATA.ini";
  const Bytes after(40, 'n');
  for (const Case& e : expected) {
    SCOPED_TRACE(e.what);
    fake::Files files;
    files.putBytes(target, Bytes(10, 'o'));
    for (const DiskCase& c : diskCases(after.size()))
      if (std::string(c.what) == e.what) apply(files, c, target);
    EXPECT_EQ(files.replaceWhole(target, after), e.saved);
    EXPECT_EQ(files.pauses, e.pauses);
  }
}

TEST(SafeSave, AMissingFolderIsNotCreated) {
  fake::Files files;
  EXPECT_FALSE(files.replaceWhole(u"C:\\Nowhere\\DATA.ini", Bytes{'x'}));
  EXPECT_TRUE(files.files.empty());
}

// Each save the wizards make, by the function that makes it, and whether
// it said the save was done.
struct Write {
  const char* what;
  Text file;
  std::function<bool(App&)> save;
};

bool doneWithoutThrowing(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

std::vector<Write> writes() {
  const Text gui = u"C:\\Pack\\GUI.ini", data = u"C:\\Pack\\DATA.ini";
  return {
      {"PluginChoice and the rest of GUI.ini", gui,
       [](App& app) {
         app.state.installer.config.write(u"LANG_PACK_HELP", u"PluginChoice", u"1");
         return doneWithoutThrowing([&] { saveConfiguration(app, app.state.installer); });
       }},
      {"INFO of the installer", gui,
       [](App& app) {
         app.state.installer.record.InstallDir = u"C:\\Program Files\\Winamp";
         return doneWithoutThrowing([&] { writeInfoSection(app, app.state.installer); });
       }},
      {"UserAction and UserHash", gui,
       [](App& app) {
         app.state.installer.config.write(u"LANG_PACK_HELP", u"Install", u"1");
         app.state.installer.config.write(u"LANG_PACK_HELP", u"PluginChoice", u"1");
         return buildWorkList(app);
       }},
      {"DATA.ini", data,
       [data](App& app) { return writeInstallDirToDataIni(app, data, u"C:\\Winamp"); }},
  };
}

TEST(SafeSave, EveryWriteOfTheWizardUnderEveryFault) {
  for (const Write& write : writes())
    for (const DiskCase& c : diskCases(4096)) {
      SCOPED_TRACE(std::string(write.what) + ": " + c.what);
      Pack pack;
      pack.p.files.put(u"C:\\Pack\\DATA.ini", "[SYSTEM]\r\nInstallDir=before\r\n");
      App& app = pack.start({u"/ACTION=0"});
      ASSERT_FALSE(pack.exit);
      const auto before = pack.p.files.readWhole(write.file);
      apply(pack.p.files, c, write.file);
      const bool reported = write.save(app);
      const auto now = pack.p.files.readWhole(write.file);
      EXPECT_EQ(reported, now != before) << "told the save was done when it was not, or so";
      if (!reported) {
        EXPECT_EQ(now, before);
      }
      expectNoTemporaryFiles(pack.p.files);
    }
}

}  // namespace
}  // namespace lingvora::test
