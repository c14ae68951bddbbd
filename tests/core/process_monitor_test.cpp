#include <functional>

#include "Pack.h"
#include "fakes/FakeRenderer.h"
#include "player/ProcessMonitor.h"

namespace lingvora::test {
namespace {

const Text kDir = u"C:\\Program Files\\Winamp";
const Text kExe = u"C:\\Program Files\\Winamp\\winamp.exe";

// The monitor texts of both wizards; each key's value names it, expanded
// ones with a placeholder.
std::string monitorTexts(const std::string& section) {
  std::string s = "[" + section + "]\r\n";
  auto key = [&](const std::string& suffix, const std::string& value) {
    s += section + suffix + "=" + value + "\r\n";
  };
  key("_TITLE", "Procesy ${PROJECT_VERSION}");
  key("_SUBTITLE", "Zamknij ${PROJECT_VERSION}");
  key("_TEXT_TOP", "Uruchomione ${PROJECT_VERSION}");
  for (const char* n : {"1", "2", "3", "4"})
    key(std::string("_TEXT_COLUMN_") + n, "K" + std::string(n) + " ${PROJECT_VERSION}");
  key("_TEXT_TYPE", "Program ${PROJECT_VERSION}");
  key("_TEXT_DESC", "Informacje ${PROJECT_VERSION}");
  key("_TEXT_BUTTON", "Zakończ ${PROJECT_VERSION}");
  key("_TEXT_INFO_VERSION", "Wersja:");
  key("_TEXT_INFO_PUBLISHER", "Wydawca:");
  key("_TEXT_INFO_COPYRIGHT", "Prawa:");
  key("_TEXT_INFO_INSTALL_DIR", "Katalog ${PROJECT_VERSION}:");
  for (const char* n : {"1", "2", "3", "4"})
    key(std::string("_TEXT_MSG_") + n, "M" + std::string(n));
  return s;
}

// Every picture name the pages ask the library for, in order.
struct RecordingLibrary : ImageLibrary {
  ImageLibrary& inner;
  std::vector<Text> names;
  explicit RecordingLibrary(ImageLibrary& i) : inner(i) {}
  std::optional<Bytes> resource(const Text& library, LibraryResource type,
                                const Text& name) override {
    names.push_back(name);
    return inner.resource(library, type, name);
  }
};

// A wizard with Winamp 5.9.2 in the standard folder, into which the pack
// was installed; processes run before it starts.
struct Monitor : Pack {
  RecordingLibrary pictures{p.images};
  Platform ports{p.files,  p.registry, p.system,   p.dialogs, pictures,
                 p.locale, p.shell,    p.versions, p.measure, p.processes};
  bool installer;

  explicit Monitor(bool installerMode) : installer(installerMode) {
    installPlayer(p, kDir, "winamp-5.9.2/winamp.exe");
    p.files.put(u"C:\\Pack\\1045.ini", "\xEF\xBB\xBF" + std::string(kLocaleIni) +
                                           monitorTexts("INSTALLER_PROCESS_MONITOR_PAGE") +
                                           monitorTexts("UNINSTALLER_PROCESS_MONITOR_PAGE"));
  }
  App& begin() {
    app.emplace(ports);
    formCreate(*app, {installer ? u"/ACTION=0" : u"/ACTION=1"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
    return *app;
  }
  WizardState& w() { return installer ? app->state.installer : app->state.uninstaller; }
  MainForm& f() { return app->form; }
  void next() { fake::FakeRenderer{app->form}.click("Btn_GUI_Next"); }
  // From the start to the page after the one that confirms the directory.
  void walkToMonitor() {
    for (int i = 0; i < (installer ? 4 : 2); ++i) next();
  }
  int monitorPage() const { return installer ? 4 : 2; }
  int progressPage() const { return installer ? 5 : 3; }
  std::string prefix() const { return installer ? "Installer" : "Uninstaller"; }
  Control& at(const std::string& name) { return fake::FakeRenderer{app->form}.at(name); }
  Control& list() { return at("LV_" + prefix() + "_ProcessMonitorPage"); }
  Text value(const std::string& row) {
    return at("Lbl_" + prefix() + "_ProcessMonitorPage_" + (installer ? "Info_" : "Process_") + row)
        .caption;
  }
  Text rowName(const std::string& row) { return value(row + "_Desc"); }
};

// Only the record's ExeFileName matters here.
struct Finder {
  fake::FakePlatform p;
  App app{p.ports};
  WizardState& w = app.state.installer;
  bool find() { return findRunningPlayer(app, w); }
};

TEST(FindRunningPlayer, NameAndPathMatchInTheirCanonicalLongForm) {
  struct Case {
    const char* name;
    Text recordExe, processPath;
    bool listed;
  };
  const Case cases[] = {
      {"the same path", kExe, kExe, true},
      {"letter case of name and path", kExe, u"c:\\PROGRAM FILES\\winamp\\WINAMP.EXE", true},
      {"slashes, doubled and dotted steps", kExe, u"C:/Program Files//Winamp/./winamp.exe", true},
      {"a short name in the process's path", kExe, u"C:\\PROGRA~1\\Winamp\\winamp.exe", true},
      {"a short name in the record", u"C:\\PROGRA~1\\Winamp\\winamp.exe", kExe, true},
      {"a long-path prefix", kExe, u"\\\\?\\C:\\Program Files\\Winamp\\winamp.exe", true},
      {"another directory", kExe, u"D:\\Winamp\\winamp.exe", false},
      {"another name in the same directory", kExe, u"C:\\Program Files\\Winamp\\winamp2.exe",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Finder f;
    f.p.files.longNames[u"C:\\PROGRA~1"] = u"C:\\Program Files";
    f.w.record.ExeFileName = c.recordExe;
    f.p.processes.run(7, u"C:\\Windows\\explorer.exe");
    f.p.processes.run(12, c.processPath);
    EXPECT_EQ(f.find(), c.listed);
    ASSERT_EQ(f.w.runningPlayers.size(), c.listed ? 1u : 0u);
    if (c.listed) {
      EXPECT_EQ(f.w.runningPlayers[0].id, 12u);
      EXPECT_EQ(f.w.runningPlayers[0].path, c.recordExe);  // shown as the record writes it
    }
  }
}

TEST(FindRunningPlayer, AProcessWhosePathCannotBeReadIsNotListed) {
  Finder f;
  f.w.record.ExeFileName = kExe;
  f.p.processes.run(12, kExe).readable = false;
  EXPECT_FALSE(f.find());
  // Only the name's match is opened, and only to read it.
  EXPECT_EQ(f.p.processes.opened, std::vector{ProcessAccess::Query});
}

TEST(FindRunningPlayer, WacupIsWatchedThroughBothExecutables) {
  for (bool wacup : {true, false}) {
    SCOPED_TRACE(wacup);
    Finder f;
    f.w.record.InstallDir = u"D:\\WACUP";
    f.w.record.ExeFileName = u"D:\\WACUP\\winamp.exe";
    f.w.record.WacupType = wacup;
    f.p.processes.run(30, u"D:\\WACUP\\wacup.exe");
    f.p.processes.run(31, u"D:\\WACUP\\winamp.exe");
    f.p.processes.run(32, u"D:\\WACUP\\WACUP.EXE").started = 5;
    EXPECT_TRUE(f.find());
    std::vector<std::uint32_t> ids;
    for (const RunningPlayer& r : f.w.runningPlayers) ids.push_back(r.id);
    const std::vector<std::uint32_t> expected =
        wacup ? std::vector<std::uint32_t>{30, 31, 32} : std::vector<std::uint32_t>{31};
    EXPECT_EQ(ids, expected);
  }
  // The uninstaller's record of a WACUP directory without winamp.exe.
  Finder f;
  f.w.record.InstallDir = u"D:\\WACUP";
  f.w.record.ExeFileName = u"D:\\WACUP\\wacup.exe";
  f.w.record.WacupType = true;
  EXPECT_EQ(watchedExecutables(f.w.record),
            (std::vector<Text>{u"D:\\WACUP\\wacup.exe", u"D:\\WACUP\\winamp.exe"}));
}

TEST(FindRunningPlayer, AFailedSnapshotIsTakenAgain) {
  for (int failing : {2, 3}) {
    SCOPED_TRACE(failing);
    Finder f;
    f.w.record.ExeFileName = kExe;
    f.p.processes.run(12, kExe);
    f.p.processes.failingSnapshots = failing;
    EXPECT_EQ(f.find(), failing < kSnapshotAttempts);
    EXPECT_EQ(f.p.processes.snapshots, std::min(failing + 1, kSnapshotAttempts));
  }
}

TEST(ProcessMonitorPage, RowsAndInformationInBothWizards) {
  for (bool installer : {true, false}) {
    SCOPED_TRACE(installer ? "installer" : "uninstaller");
    Monitor m(installer);
    m.p.files.putBytes(u"C:\\Pack\\Pixora.dll", Bytes());  // no pictures: the names tell
    m.p.processes.run(40, kExe);
    m.p.processes.run(41, u"D:\\Other\\winamp.exe");
    m.p.processes.run(44, u"c:\\program files\\winamp\\WINAMP.EXE");
    m.begin();
    m.walkToMonitor();
    ASSERT_EQ(m.w().pageIndex, m.monitorPage());
    MainForm& f = m.f();
    const std::string P = m.prefix();
    EXPECT_EQ(f.caption, installer ? u"Instalator 4.0" : u"Dezinstalator");
    EXPECT_EQ(
        (installer ? f.Lbl_Installer_DefaultHeader_Title : f.Lbl_Uninstaller_DefaultHeader_Title)
            .caption,
        u"Procesy 4.0");
    EXPECT_EQ(m.at("Lbl_" + P + "_ProcessMonitorPage_Title").caption, u"Uruchomione 4.0");
    EXPECT_EQ(m.at("GB_" + P + "_ProcessMonitorPage").caption, u"Informacje 4.0");
    EXPECT_TRUE(m.at("P_" + P + "_ProcessMonitorPage").visible);

    // Two rows in snapshot order; the one from another directory is not listed.
    Control& list = m.list();
    f.relayout();
    ASSERT_GT(list.bounds.width, 370);
    EXPECT_EQ(list.columns,
              (std::vector<ListColumn>{{u"K1 4.0", 50},
                                       {u"K2 4.0", 150},
                                       {u"K3 4.0", 150},
                                       {u"K4 4.0", list.bounds.width - 4 - 350 - 20}}));
    ASSERT_EQ(list.rows.size(), 2u);
    const std::vector<Text> first{u"40", u"winamp.exe", u"5.9.2.10042",
                                  u"Program ${PROJECT_VERSION}"};
    EXPECT_EQ(list.rows[0].cells, first);
    EXPECT_EQ(list.rows[1].cells[0], u"44");
    EXPECT_EQ(list.rows[1].cells[1], u"winamp.exe");  // as the record writes it
    EXPECT_TRUE(list.rowSelect && list.readOnly);
    EXPECT_EQ(f.focusRequest, &list);

    // The first row is selected and described.
    const Text mode = u"WINAMP";
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(m.rowName("Version"), u"Wersja:");
    EXPECT_EQ(m.rowName("InstallDir"), u"Katalog ${PROJECT_VERSION}:");
    EXPECT_EQ(m.value("Version"), u"Winamp 5.9.2.10042");
    EXPECT_EQ(m.value("Publisher"), u"Radionomy Group");
    EXPECT_EQ(m.value("Copyright"), u"Copyright (c) 1997-2026");
    EXPECT_EQ(m.value("InstallDir"), kExe);
    EXPECT_EQ(m.pictures.names.back(), u"INFO_WINAMP_96");

    // A click into the empty part of the list, then on the second row.
    fake::FakeRenderer{f}.select("LV_" + P + "_ProcessMonitorPage", -1);
    for (const char* row : {"Version", "Publisher", "Copyright", "InstallDir"})
      EXPECT_EQ(m.value(row), u"-") << row;
    EXPECT_EQ(m.rowName("Publisher"), u"Wydawca:");
    EXPECT_EQ(m.pictures.names.back(), u"INFO_UNKNOWN_96");
    fake::FakeRenderer{f}.select("LV_" + P + "_ProcessMonitorPage", 1);
    EXPECT_EQ(m.value("InstallDir"), kExe);
    EXPECT_EQ(m.pictures.names.back(), u"INFO_WINAMP_96");

    // Where the group's contents stand, and the footer.
    EXPECT_EQ(m.at("Img_" + P + "_ProcessMonitorPage").bounds, (Rect{25, 33, 64, 64}));
    EXPECT_EQ(
        m.at("Lbl_" + P + "_ProcessMonitorPage_" + (installer ? "Info" : "Process") + "_Copyright")
            .bounds.left,
        220);
    EXPECT_EQ(m.at("Lbl_" + P + "_ProcessMonitorPage_" + (installer ? "Info" : "Process") +
                   "_Copyright_Desc")
                  .bounds.top,
              64);
    EXPECT_EQ(m.at("GB_" + P + "_ProcessMonitorPage").bounds.height, 120);
    EXPECT_TRUE(f.Btn_GUI_Back.visible);
    EXPECT_FALSE(f.Btn_GUI_Back.enabled);
    EXPECT_EQ(f.Btn_GUI_Next.caption, u"Zakończ 4.0");
    EXPECT_TRUE(f.Btn_GUI_Next.enabled);
    EXPECT_TRUE(f.Btn_GUI_Next.fontColorFromStyle);  // the Summary's red is gone
    EXPECT_TRUE(f.Btn_GUI_Cancel.enabled);
  }
}

TEST(ProcessMonitorPage, NoPlayerRunningSkipsThePage) {
  for (bool installer : {true, false}) {
    Monitor m(installer);
    m.p.processes.run(41, u"D:\\Other\\winamp.exe");
    m.begin();
    m.walkToMonitor();
    EXPECT_EQ(m.w().pageIndex, m.progressPage());
    EXPECT_TRUE(m.w().monitorShown);
  }
}

// Two players from the player directory; what each does when asked to
// close or ended, and what became of it by the time Next is pressed.
TEST(EndListedProcesses, CloseFirstThenEndAndWaitOrStop) {
  using Process = fake::FakeProcesses::Process;
  struct Case {
    const char* name;
    std::function<void(Process&)> first;  // the first player, changed before Next
    bool ended;
    std::vector<std::string> log;
  };
  const std::vector<std::string> closes{"wait 40 0", "close 40", "wait 40 3000",
                                        "wait 44 0", "close 44", "wait 44 3000"};
  const Case cases[] = {
      {"both close when asked", [](Process&) {}, true, closes},
      {"the first ignores the request and is ended",
       [](Process& p) { p.closesWhenAsked = false; },
       true,
       {"wait 40 0", "close 40", "wait 40 3000", "end 40", "wait 40 5000", "wait 44 0", "close 44",
        "wait 44 3000"}},
      {"the first has no window to ask",
       [](Process& p) { p.hasWindow = false; },
       true,
       {"wait 40 0", "close 40", "end 40", "wait 40 5000", "wait 44 0", "close 44",
        "wait 44 3000"}},
      {"the first cannot be ended",
       [](Process& p) { p.closesWhenAsked = p.endable = false; },
       false,
       {"wait 40 0", "close 40", "wait 40 3000", "end 40"}},
      {"the first does not end when ended",
       [](Process& p) { p.closesWhenAsked = p.endsWhenEnded = false; },
       false,
       {"wait 40 0", "close 40", "wait 40 3000", "end 40", "wait 40 5000"}},
      {"the first has exited since", [](Process& p) { p.running = false; }, false, {}},
      {"its identifier went to another program",
       [](Process& p) { p.path = u"C:\\Windows\\notepad.exe", p.started = 9; },
       false,
       {}},
      {"its identifier went to a later player", [](Process& p) { p.started = 9; }, false, {}},
  };
  for (bool installer : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(installer ? "installer: " : "uninstaller: ") + c.name);
      Monitor m(installer);
      m.p.processes.run(40, kExe);
      m.p.processes.run(44, kExe);
      m.begin();
      m.walkToMonitor();
      ASSERT_EQ(m.w().pageIndex, m.monitorPage());
      c.first(m.p.processes.table[0]);
      std::optional<int> exit;
      try {
        m.next();
      } catch (const ProcessExit& e) {
        exit = e.code;
      }
      EXPECT_EQ(m.p.processes.log, c.log);
      if (c.ended) {
        EXPECT_FALSE(exit);
        EXPECT_EQ(m.w().pageIndex, m.progressPage());
        EXPECT_TRUE(m.p.dialogs.shown.empty());
        continue;
      }
      EXPECT_EQ(exit, installer ? 5 : 4);
      EXPECT_EQ(m.w().pendingExitCode, installer ? 5 : 4);
      EXPECT_TRUE(m.p.processes.table[1].running);  // the rows after it are not touched
      ASSERT_EQ(m.p.dialogs.shown.size(), 1u);
      EXPECT_EQ(m.lastBox().text, u"M1\n\r\n\rM2\n\r\n\rM3 " + kDir + u"\n\r\n\rM4");
      EXPECT_EQ(m.lastBox().icon, MessageIcon::Error);
    }
  }
}

}  // namespace
}  // namespace lingvora::test
