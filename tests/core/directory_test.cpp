#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

#include "Pack.h"
#include "engine/Exchange.h"
#include "fakes/FakeRenderer.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"
#include "pages/installer/Installer_Directory_Page.h"

namespace lingvora::test {
namespace {

const Text kGui = u"C:\\Pack\\GUI.ini";
const Text kLibrary = u"C:\\Pack\\Pixora.dll";
const Text kPlayer = u"C:\\Program Files\\Winamp";
constexpr std::int64_t GiB = std::int64_t(1) << 30;

const Bytes& examplePixora() {
  static const Bytes bytes = [] {
    std::ifstream in(LINGVORA_EXAMPLE_PIXORA, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }();
  return bytes;
}

constexpr const char* kButtons =
    "[INSTALLER_BUTTONS]\r\nINSTALLER_BUTTON_BACK=Wstecz\r\nINSTALLER_BUTTON_NEXT=Dalej\r\n"
    "INSTALLER_BUTTON_CANCEL=Anuluj\r\nINSTALLER_BUTTON_INSTALL=Instaluj\r\n";

// Placeholders in the keys that are shown as read stay as written.
constexpr const char* kTexts =
    "[INSTALLER_DIRECTORY_PAGE]\r\n"
    "INSTALLER_DIRECTORY_PAGE_TITLE=Katalog ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_SUBTITLE=Wybierz ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_TEXT_TOP=Pakiet ${PROJECT_VERSION} trafi do katalogu\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_GB=Katalog ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_BTN=Przeglądaj ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_BROWSE=Wskaż ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_CAPACITY=Pojemność ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_USED_SPACE=Zajęte\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_FREE_SPACE=Wolne\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_PERCENT=%\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_DISK=Dysk\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_DISK_FREE=wolne z\r\n"
    "INSTALLER_DIRECTORY_PAGE_DIR_REQUIRED_SPACE=Wymagane\r\n"
    "INSTALLER_DIRECTORY_PAGE_UNIT_BYTES=B\r\nINSTALLER_DIRECTORY_PAGE_UNIT_KiB=KiB\r\n"
    "INSTALLER_DIRECTORY_PAGE_UNIT_MiB=MiB\r\nINSTALLER_DIRECTORY_PAGE_UNIT_GiB=GiB\r\n"
    "INSTALLER_DIRECTORY_PAGE_UNIT_TiB=TiB\r\n"
    "INSTALLER_DIRECTORY_PAGE_INFO_VERSION=Wersja ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_INFO_COPYRIGHT=Prawa\r\n"
    "INSTALLER_DIRECTORY_PAGE_INFO_INSTALL_DIR=Katalog\r\n"
    "INSTALLER_DIRECTORY_PAGE_INFO_CONFIG_DIR=Ustawienia\r\n"
    "INSTALLER_DIRECTORY_PAGE_INFO_CONFIG_FILE=Plik\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_INVALID=Zły katalog ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_1=E1 ${PROJECT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_2=E2\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_3=E3\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_NEWER_VERSION_INSTALLED=Nowszy ${CURRENT_VERSION}\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_OLDER_VERSION_INSTALLED=Starszy\r\n"
    "INSTALLER_DIRECTORY_PAGE_MSG_ERROR_WACUP_INSTALLED=WACUP\r\n";

// The installer on its Directory page, with the standard player (Winamp
// 5.9.2) on a 500 GiB drive with 120 GiB free, the example pictures and
// 1 MiB of components chosen.
struct Directory : Pack {
  App* app = nullptr;
  explicit Directory(const Text& mode = u"WINAMP", bool dark = false, int density = 96,
                     bool show = true)
      : Pack(false, false, false) {
    p.files.put(kGui, "[NAME]\r\nMODE=" + S(mode) +
                          "\r\nmVERSION=5.9.2.10042\r\n[PROJECT]\r\nProjectName=Lingvora\r\n"
                          "ProjectShortVersion=4.0\r\nProjectRegName=Lingvora Pack\r\n"
                          "[LANG_PACK_OFFICIAL_WLZ]\r\nInstall=1\r\nSectionType=12\r\n"
                          "SectionR0=1\r\nPluginSize=1048576\r\n");
    p.files.put(
        u"C:\\Pack\\1045.ini",
        "\xEF\xBB\xBF" +
            std::string(kLocaleIni).substr(0, std::string(kLocaleIni).find("[INSTALLER_BUTTONS]")) +
            kButtons + kTexts);
    p.files.putBytes(kLibrary, examplePixora());
    p.files.drives[u"C:\\"] = {500 * GiB, 120 * GiB};
    p.files.labels[u"C:\\"] = u"SYSTEM";
    p.registry.setDarkMode(dark);
    p.system.density = density;
    app = &start({u"/ACTION=0"});
    app->form.layoutClient(app->form.width - 6, app->form.height - 28);
    if (show) next(), next(), next();
  }
  WizardState& w() { return app->state.installer; }
  MainForm& f() { return app->form; }
  fake::FakeRenderer ui() { return {app->form}; }
  void next() { f().Btn_GUI_Next.onClick(); }
  void back() { f().Btn_GUI_Back.onClick(); }
  int page() { return w().pageIndex; }
  std::string text(const Control& c) { return S(c.caption); }
  // Browse, with the browser answering this (nothing: Cancel).
  void browse(std::optional<Text> answer) {
    p.dialogs.folders.push_back(std::move(answer));
    ui().click("Btn_Installer_DirectoryPage_Browse");
  }
  std::shared_ptr<const Image> picture(const Text& name) {
    Form scratch;
    Control c{scratch, "expected", ControlKind::Picture, nullptr};
    loadPicture(p.images, kLibrary, name, c);
    return c.picture;
  }
  std::string savedInfo() {
    const std::string all = p.files.get(kGui);
    const auto at = all.find("[INFO]");
    return at == std::string::npos ? std::string() : all.substr(at);
  }
};

const SizeUnits kUnits{u"B", u"KiB", u"MiB", u"GiB", u"TiB"};

TEST(FormatSize, ThresholdsDecimalsAndTheSeparator) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  struct Case {
    std::int64_t size;
    bool withBytes;
    const char* separator;
    std::string text;
  };
  for (const Case& c : {
           Case{0, true, ".", "-"},
           {1, true, ".", "1 B"},
           {-5, false, ".", "-5 B"},
           {std::numeric_limits<std::int64_t>::min(), false, ".", "-9223372036854775808 B"},
           {1023, true, ".", "1023 B"},
           {1024, false, ".", "1.00 KiB"},
           {1024, true, ".", "1.00 KiB (1024 B)"},
           {1048575, false, ".", "1024.00 KiB"},
           {1048576, false, ".", "1.00 MiB"},
           {1073741823, false, ".", "1024.00 MiB"},
           {1073741824, false, ".", "1.00 GiB"},
           {1610612736, true, ".", "1.50 GiB (1610612736 B)"},
           {1610612736, true, ",", "1,50 GiB (1610612736 B)"},
           {1099511627775, false, ".", "1024.00 GiB"},
           {1099511627776, false, ",", "1,00 TiB"},
           {kMax, true, ".", "8388608.00 TiB (9223372036854775807 B)"},
       }) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(S(formatSize(2, c.withBytes, c.size, kUnits, fromUtf8(c.separator))), c.text);
  }
  EXPECT_EQ(S(formatSize(0, false, 1536, kUnits, u",")), "2 KiB");
}

TEST(UsagePosition, TruncatedClampedAndWithoutOverflow) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  struct Case {
    std::int64_t capacity, used;
    int position;
  };
  for (const Case& c : {Case{500 * GiB, 380 * GiB, 76},
                        {1000, 999, 99},
                        {0, 0, 0},
                        {0, 50, 0},
                        {100, 250, 100},
                        {100, -5, 0},
                        {kMax, kMax, 100},
                        {kMax, kMax / 2, 49},
                        {kMax, kMax - kMax / 100, 99},
                        {kMax, kMax / 100 * 99, 98}}) {
    SCOPED_TRACE(c.capacity);
    EXPECT_EQ(usagePosition({c.capacity, c.used, c.capacity - c.used, 0}), c.position);
  }
}

TEST(DirectoryPage, AcceptedPlayerOnA500GiBDrive) {
  Directory d;
  ASSERT_FALSE(d.exit);
  ASSERT_EQ(d.page(), 3);
  MainForm& f = d.f();
  EXPECT_EQ(f.caption, u"Instalator 4.0");
  EXPECT_EQ(f.Lbl_Installer_DefaultHeader_Title.caption, u"Katalog 4.0");
  EXPECT_EQ(f.Lbl_Installer_DefaultHeader_SubTitle.caption, u"Wybierz 4.0");
  EXPECT_TRUE(f.P_Installer_DirectoryPage.visible && f.P_Installer_DefaultPage.visible);
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Title), "Pakiet 4.0 trafi do katalogu");
  EXPECT_EQ(d.text(f.GB_Installer_DirectoryPage), "Katalog ${PROJECT_VERSION}");
  EXPECT_EQ(d.text(f.Btn_Installer_DirectoryPage_Browse), "Przeglądaj ${PROJECT_VERSION}");
  EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, kPlayer);
  EXPECT_TRUE(f.Edt_Installer_DirectoryPage_Dir.readOnly);

  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total_Desc), "Pojemność ${PROJECT_VERSION}:");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "500.00 GiB (536870912000 B)");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Used_Desc), "Zajęte:");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Used), "380.00 GiB (76.00%)");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Free_Desc), "Wolne:");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Free), "120.00 GiB (24.00%)");
  EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Free.fontColor, 0x737373u);
  EXPECT_TRUE(f.PB_Installer_DirectoryPage_Usage.visible);
  EXPECT_FALSE(f.PB_Installer_DirectoryPage_Usage.gauge);
  EXPECT_EQ(f.PB_Installer_DirectoryPage_Usage.position, 76);
  EXPECT_FALSE(f.P_Installer_DirectoryPage_UsageError.visible);
  EXPECT_EQ(f.PBox_Installer_DirectoryPage_Used.squareFill, SquareFill::Fill);
  EXPECT_EQ(f.PBox_Installer_DirectoryPage_Free.squareFill, SquareFill::Track);
  // The label was asked with the drive's root.
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_DiskInfo),
            "Dysk C: (SYSTEM): 120.00 GiB wolne z 500.00 GiB (Wymagane: 1.00 MiB)");
  EXPECT_TRUE(f.Lbl_Installer_DirectoryPage_DiskInfo.visible);

  // The player's rows: names expanded, without a colon.
  const std::pair<const Control*, std::string> rows[] = {
      {&f.Lbl_Installer_DirectoryPage_Info_Version_Desc, "Wersja 4.0"},
      {&f.Lbl_Installer_DirectoryPage_Info_Version, "5.9.2.10042 (Radionomy Group)"},
      {&f.Lbl_Installer_DirectoryPage_Info_Copyright_Desc, "Prawa"},
      {&f.Lbl_Installer_DirectoryPage_Info_Copyright, "Copyright (c) 1997-2026"},
      {&f.Lbl_Installer_DirectoryPage_Info_InstallDir_Desc, "Katalog"},
      {&f.Lbl_Installer_DirectoryPage_Info_InstallDir, "C:\\Program Files\\Winamp"},
      {&f.Lbl_Installer_DirectoryPage_Info_ConfigDir_Desc, "Ustawienia"},
      {&f.Lbl_Installer_DirectoryPage_Info_ConfigDir, "C:\\Program Files\\Winamp"},
      {&f.Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc, "Plik"},
      {&f.Lbl_Installer_DirectoryPage_Info_ConfigFile, "C:\\Program Files\\Winamp\\winamp.ini"},
  };
  for (const auto& [c, text] : rows) {
    SCOPED_TRACE(c->name);
    EXPECT_EQ(d.text(*c), text);
    EXPECT_TRUE(c->visible && c->transparent && c->wordWrap);
    EXPECT_EQ(c->fontColor, 0x737373u);
    EXPECT_TRUE(c->fontColorFromStyle);  // light theme
  }
  EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_Info.visible);
  EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_Info2.visible);
  ASSERT_TRUE(f.Img_Installer_DirectoryPage_Info.picture);
  EXPECT_EQ(*f.Img_Installer_DirectoryPage_Info.picture, *d.picture(u"INFO_WINAMP_96"));
  EXPECT_TRUE(f.Img_Installer_DirectoryPage_Info.center);

  EXPECT_TRUE(f.Btn_GUI_Back.visible && f.Btn_GUI_Back.enabled);
  EXPECT_EQ(f.Btn_GUI_Next.caption, u"Instaluj");
  EXPECT_TRUE(f.Btn_GUI_Next.visible && f.Btn_GUI_Next.enabled);
  EXPECT_TRUE(f.Btn_GUI_Cancel.enabled);
}

// Each refused directory: why, in the error block, and Next off.
TEST(DirectoryPage, VerdictTable) {
  struct Case {
    const char* name;
    Text mode;
    std::string player;  // fixture put into the standard folder ("" none)
    std::optional<DiskSpace> drive;
    Text dir;  // browsed to ("" the standard folder)
    DirectoryVerdict verdict;
    std::string explanation;
    bool gauge;
  };
  const std::optional<DiskSpace> roomy = DiskSpace{500 * GiB, 120 * GiB};
  const std::vector<Case> cases = {
      {"Ok", u"WINAMP", "winamp-5.9.2/winamp.exe", roomy, u"", DirectoryVerdict::Ok, "", false},
      {"newer", u"WINAMP", "winamp-5.9.3/winamp.exe", roomy, u"",
       DirectoryVerdict::NewerVersionInstalled, "Nowszy 5.9.3.10100", false},
      {"older", u"WINAMP", "winamp-5.9.1/winamp.exe", roomy, u"",
       DirectoryVerdict::OlderVersionInstalled, "Starszy", false},
      {"WACUP under a Winamp pack", u"WINAMP", "wacup-branded/winamp.exe", roomy, u"",
       DirectoryVerdict::WacupInstalled, "WACUP", false},
      {"WACUP under a WACUP pack", u"WACUP", "wacup-branded/winamp.exe", roomy, u"",
       DirectoryVerdict::Ok, "", false},
      {"Winamp under a WACUP pack", u"WACUP", "winamp-5.9.2/winamp.exe", roomy, u"",
       DirectoryVerdict::Ok, "", false},
      {"not installed", u"WINAMP", "", roomy, u"", DirectoryVerdict::PlayerNotFound, "E3", false},
      {"directory not found", u"WINAMP", "winamp-5.9.2/winamp.exe", roomy, u"C:\\Nowhere",
       DirectoryVerdict::DirectoryNotFound, "E3", false},
      {"player not found", u"WINAMP", "winamp-5.9.2/winamp.exe", roomy, u"C:\\Empty",
       DirectoryVerdict::PlayerNotFound, "E3", false},
      {"not enough space", u"WINAMP", "winamp-5.9.2/winamp.exe", DiskSpace{500 * GiB, 1000}, u"",
       DirectoryVerdict::NotEnoughSpace, "E2", true},
      {"disk information unavailable", u"WINAMP", "winamp-5.9.2/winamp.exe", std::nullopt, u"",
       DirectoryVerdict::DiskInfoUnavailable, "E1 4.0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Directory d(c.mode, false, 96, false);
    ASSERT_FALSE(d.exit);
    d.p.files.files.erase(fake::pathKey(kPlayer + u"\\winamp.exe"));
    if (!c.player.empty()) installPlayer(d.p, kPlayer, c.player);
    d.p.files.addDirectory(u"C:\\Empty");
    if (c.drive)
      d.p.files.drives[u"C:\\"] = *c.drive;
    else
      d.p.files.drives.clear();
    d.w().record.InstallDir = c.dir.empty() ? kPlayer : c.dir;
    d.next(), d.next(), d.next();
    ASSERT_EQ(d.page(), 3);
    MainForm& f = d.f();
    const bool ok = c.verdict == DirectoryVerdict::Ok;
    EXPECT_EQ(f.Btn_GUI_Next.enabled, ok);
    EXPECT_EQ(f.Btn_GUI_Next.caption, u"Instaluj");
    EXPECT_EQ(d.w().directory.accepted.has_value(), ok);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info.visible, !ok);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info2.visible, !ok);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_DiskInfo.visible, ok);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info_Version.visible, ok);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc.visible, ok);
    const Text mode = c.mode == u"WACUP" ? u"INFO_WACUP_96" : u"INFO_WINAMP_96";
    ASSERT_TRUE(f.Img_Installer_DirectoryPage_Info.picture);
    EXPECT_EQ(*f.Img_Installer_DirectoryPage_Info.picture,
              *d.picture(ok ? mode : Text(u"DIRECTORY_ERROR_96")));
    if (!ok) {
      EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Info), "Zły katalog 4.0");
      EXPECT_TRUE(f.Lbl_Installer_DirectoryPage_Info.font.bold);
      EXPECT_TRUE(f.Lbl_Installer_DirectoryPage_Info.centerVertically);
      EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info.fontColor, 0xD40000u);
      EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Info2), c.explanation);
      EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_Info2.font.bold);
      EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info2.fontColor, 0xD40000u);
    }
    EXPECT_EQ(f.P_Installer_DirectoryPage_UsageError.visible, c.gauge);
    EXPECT_EQ(f.PB_Installer_DirectoryPage_UsageError.visible, c.gauge);
    EXPECT_EQ(f.PB_Installer_DirectoryPage_Usage.visible, !c.gauge);
    EXPECT_EQ(d.w().directory.usageError, c.gauge);
    EXPECT_EQ(f.PBox_Installer_DirectoryPage_Used.squareFill,
              c.gauge ? SquareFill::Solid : SquareFill::Fill);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Free.fontColor,
              c.verdict == DirectoryVerdict::NotEnoughSpace ? 0xD40000u : 0x737373u);
    // The box shows the directory that was checked.
    EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, c.dir.empty() ? kPlayer : c.dir);
  }
}

TEST(DirectoryPage, NoDiskFiguresAndANeverCheckedDrive) {
  {
    // The query fails: three dashes, the red gauge at 0.
    Directory d(u"WINAMP", false, 96, false);
    d.p.files.drives.clear();
    d.next(), d.next(), d.next();
    MainForm& f = d.f();
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "-");
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Used), "-");
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Free), "-");
    EXPECT_EQ(f.PB_Installer_DirectoryPage_UsageError.position, 0);
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Info2), "E1 4.0");
  }
  {
    // A drive that reports no capacity: no share of nothing.
    Directory d(u"WINAMP", false, 96, false);
    d.p.files.drives[u"C:\\"] = {0, 0};
    d.next(), d.next(), d.next();
    MainForm& f = d.f();
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "-");
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Used), "-");
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Free), "-");
    EXPECT_EQ(f.PB_Installer_DirectoryPage_UsageError.position, 0);
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Info2), "E2");
  }
  {
    // A directory that does not exist: no query at all, the normal bar.
    Directory d;
    buildDirectoryPage(*d.app, u"Q:\\Nowhere");
    MainForm& f = d.f();
    EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "-");
    EXPECT_TRUE(f.PB_Installer_DirectoryPage_Usage.visible);
    EXPECT_EQ(f.PB_Installer_DirectoryPage_Usage.position, 0);
  }
}

TEST(DirectoryPage, TheSystemsDecimalSeparator) {
  Directory d(u"WINAMP", false, 96, false);
  d.p.locale.separator = u",";
  d.next(), d.next(), d.next();
  EXPECT_EQ(d.text(d.f().Lbl_Installer_DirectoryPage_Total), "500,00 GiB (536870912000 B)");
  EXPECT_EQ(d.text(d.f().Lbl_Installer_DirectoryPage_Used), "380,00 GiB (76,00%)");
}

TEST(DirectoryPage, DiskLineWithoutALabelAndOnANetworkShare) {
  Directory d;
  d.p.files.labels.clear();
  buildDirectoryPage(*d.app, kPlayer);
  EXPECT_EQ(d.text(d.f().Lbl_Installer_DirectoryPage_DiskInfo),
            "Dysk C: - 120.00 GiB wolne z 500.00 GiB (Wymagane: 1.00 MiB)");
  // A share answers only when asked with its root and trailing backslash.
  const Text share = u"\\\\server\\music\\Winamp";
  installPlayer(d.p, share, "winamp-5.9.2/winamp.exe");
  d.p.files.drives[u"\\\\server\\music\\"] = {4 * GiB, 3 * GiB};
  d.p.files.labels[u"\\\\server\\music\\"] = u"Muzyka";
  d.browse(share + u"\\");
  EXPECT_EQ(d.f().Edt_Installer_DirectoryPage_Dir.caption, share);
  EXPECT_TRUE(d.f().Btn_GUI_Next.enabled);
  EXPECT_EQ(d.text(d.f().Lbl_Installer_DirectoryPage_DiskInfo),
            "Dysk \\\\server\\music (Muzyka): 3.00 GiB wolne z 4.00 GiB (Wymagane: 1.00 MiB)");
}

TEST(DirectoryPage, BrowseStartsAtTheDirectoryAndCancelChangesNothing) {
  Directory d;
  MainForm& f = d.f();
  const WinampRecord before = d.w().record;
  d.browse(std::nullopt);
  ASSERT_EQ(d.p.dialogs.browsed.size(), 1u);
  EXPECT_EQ(d.p.dialogs.browsed[0].title, u"Wskaż ${PROJECT_VERSION}");
  EXPECT_EQ(d.p.dialogs.browsed[0].initial, kPlayer);
  // A choice without a file-system path is a Cancel too.
  d.browse(u"");
  EXPECT_EQ(d.p.dialogs.browsed.size(), 2u);
  EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, kPlayer);
  EXPECT_EQ(d.w().record.InstallDir, before.InstallDir);
  EXPECT_EQ(d.w().record.Version, before.Version);
  EXPECT_TRUE(f.Btn_GUI_Next.enabled);

  // A missing directory is browsed without a starting point.
  buildDirectoryPage(*d.app, u"Q:\\Nowhere");
  d.browse(std::nullopt);
  EXPECT_EQ(d.p.dialogs.browsed.back().initial, u"");
  EXPECT_FALSE(f.Btn_GUI_Next.enabled);

  // A drive root is kept as C: but browsed (and tested) as C:\.
  d.browse(u"C:\\");
  EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, u"C:");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Info2), "E3");
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "500.00 GiB (536870912000 B)");
  d.browse(std::nullopt);
  EXPECT_EQ(d.p.dialogs.browsed.back().initial, u"C:\\");
}

TEST(DirectoryPage, ARefusedDirectoryThenTheAcceptedOne) {
  Directory d;
  MainForm& f = d.f();
  d.p.files.addDirectory(u"D:\\Empty");
  d.p.files.drives[u"D:\\"] = {GiB, GiB / 2};
  d.browse(u"D:\\Empty");
  EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, u"D:\\Empty");
  EXPECT_FALSE(f.Btn_GUI_Next.enabled);
  // Nothing of the accepted build shows on the refused one, and back.
  EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_DiskInfo.visible);
  EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_Info_InstallDir.visible);
  EXPECT_EQ(d.text(f.Lbl_Installer_DirectoryPage_Total), "1.00 GiB (1073741824 B)");
  d.browse(kPlayer + u"\\");
  EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.caption, kPlayer);
  EXPECT_TRUE(f.Btn_GUI_Next.enabled);
  EXPECT_FALSE(f.Lbl_Installer_DirectoryPage_Info.visible);
  EXPECT_TRUE(f.Lbl_Installer_DirectoryPage_Info_InstallDir.visible);
  d.next();
  EXPECT_EQ(d.page(), 5);
  EXPECT_NE(d.savedInfo().find("InstallDir=C:\\Program Files\\Winamp\r\n"), std::string::npos);
}

TEST(DirectoryPage, LeaveWritesTheSeventeenKeysInOneSave) {
  Directory d;
  d.p.files.put(kPlayer + u"\\paths.ini", "[Winamp]\r\ninidir=.\\Settings\r\n");
  d.p.files.addDirectory(kPlayer + u"\\Settings");
  d.back(), d.next();  // shown again: the paths file is found
  const int writes = d.p.files.writes;
  leaveDirectoryPage(*d.app);
  EXPECT_EQ(d.p.files.writes - writes, 1);
  EXPECT_EQ(d.savedInfo(),
            "[INFO]\r\n"
            "InstallDir=C:\\Program Files\\Winamp\r\n"
            "ExeFileName=C:\\Program Files\\Winamp\\winamp.exe\r\n"
            "WacupType=0\r\nOSPortable=0\r\nPortable=1\r\n"
            "PathsConfig=C:\\Program Files\\Winamp\\paths.ini\r\n"
            "ConfigDir=C:\\Program Files\\Winamp\\Settings\r\n"
            "ConfigFile=C:\\Program Files\\Winamp\\winamp.ini\r\n"
            "SkinsDir=C:\\Program Files\\Winamp\\Skins\r\n"
            "PluginsDir=C:\\Program Files\\Winamp\\Plugins\r\n"
            "LangPackDir=C:\\Program Files\\Winamp\\Lang\r\n"
            "Version=5.9.2.10042\r\nCompanyName=Radionomy Group\r\nFileVersion=5.9.2.10042\r\n"
            "LegalCopyright=Copyright (c) 1997-2026\r\nProductName=Winamp\r\n"
            "ProductVersion=5.9.2.10042\r\n");
}

TEST(DirectoryPage, LeaveWritesOnlyTheAcceptedDirectory) {
  Directory d;
  // A check that the page never showed cannot be confirmed: a refused
  // build leaves nothing to write, whatever the box or the record hold.
  buildDirectoryPage(*d.app, u"Q:\\Nowhere");
  d.w().record.InstallDir = kPlayer;
  EXPECT_THROW(leaveDirectoryPage(*d.app), std::runtime_error);
  EXPECT_EQ(d.savedInfo(), "");
  // The accepted one is written without the trailing separator it was given.
  buildDirectoryPage(*d.app, kPlayer + u"\\");
  d.f().Edt_Installer_DirectoryPage_Dir.caption = u"E:\\Elsewhere";
  leaveDirectoryPage(*d.app);
  EXPECT_NE(d.savedInfo().find("InstallDir=C:\\Program Files\\Winamp\r\n"), std::string::npos);
}

TEST(DirectoryPage, AFailedSaveShowsItsTextAndKeepsThePage) {
  Directory d;
  d.p.files.failWrites = true;
  try {
    d.next();
    FAIL() << "the save did not fail";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("GUI.ini"), std::string::npos);
  }
  EXPECT_EQ(d.page(), 3);
  EXPECT_TRUE(d.f().P_Installer_DirectoryPage.visible);
  EXPECT_TRUE(d.f().Btn_GUI_Next.enabled);
  EXPECT_FALSE(d.app->state.installer.channelOpen);
  EXPECT_EQ(d.p.files.get(u"C:\\Pack\\DATA.ini"), "");
  d.p.files.failWrites = false;
  d.next();
  EXPECT_EQ(d.page(), 5);
}

TEST(InfoSection, NoValueBreaksItsLine) {
  Directory d;
  WinampRecord& r = d.w().record;
  r.LegalCopyright = Text(u"(c) 1997\r\n2026") + u'\0' + u"AOL";
  r.CompanyName = u"Radionomy\nGroup";
  writeInfoSection(*d.app, d.w());
  const IniDocument saved =
      IniDocument::parse(d.p.files.readWhole(kGui).value(), d.p.system.ansiCodePage());
  EXPECT_EQ(saved.readString(u"INFO", u"LegalCopyright"), Text(u"(c) 1997  2026 AOL"));
  EXPECT_EQ(saved.readString(u"INFO", u"CompanyName"), u"Radionomy Group");
  EXPECT_EQ(saved.readString(u"INFO", u"ProductVersion"), u"5.9.2.10042");
  // Each value on its own line, with nothing left over for another key.
  EXPECT_NE(d.p.files.get(kGui).find("\r\nLegalCopyright=(c) 1997  2026 AOL\r\nProductName="),
            std::string::npos);
}

TEST(DirectoryPage, LayoutAndColoursInBothThemesAndAtTwoDensities) {
  for (auto [dark, density] : {std::pair{false, 96}, {true, 144}}) {
    SCOPED_TRACE(density);
    Directory d(u"WINAMP", dark, density, false);
    d.p.files.drives[u"C:\\"] = {500 * GiB, 100};  // no room: the gauge
    d.next(), d.next(), d.next();
    MainForm& f = d.f();
    auto px = [&](int n) { return scaleLength(n, density); };
    const Control& group = f.GB_Installer_DirectoryPage;
    const Rect page = f.P_Installer_DirectoryPage.bounds;
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Title.bounds,
              (Rect{px(15), px(10), page.width - 2 * px(15), px(43)}));
    EXPECT_EQ(group.bounds, (Rect{px(15), px(10) + px(43) + px(1) + px(1), page.width - 2 * px(15),
                                  page.height - px(10) - px(43) - px(1) - px(1) - px(10)}));
    const Margins in = d.p.measure.groupBoxInsets(group.font);
    const int cw = group.bounds.width - in.left - in.right;
    auto at = [&](int left, int top, int width, int height) {
      return Rect{in.left + left, in.top + top, width, height};
    };
    const int line = lineHeight(*d.app, {u"Tahoma", 8, false, false});
    EXPECT_EQ(f.Btn_Installer_DirectoryPage_Browse.bounds,
              at(cw - px(115), px(18), px(100), px(25)));
    EXPECT_EQ(f.Edt_Installer_DirectoryPage_Dir.bounds, at(px(15), px(20), cw - px(135), px(21)));
    const int rowTop = px(20) + px(21) + px(5);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Total_Desc.bounds, at(px(15), rowTop, px(127), line));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Total.bounds, at(px(152), rowTop, cw - px(167), line));
    EXPECT_EQ(f.PBox_Installer_DirectoryPage_Used.bounds,
              at(px(15), rowTop + line + px(3), px(12), px(12)));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Used_Desc.bounds,
              at(px(32), rowTop + line + px(2), px(110), line));
    const int usedBottom = rowTop + line + px(3) + px(12);
    EXPECT_EQ(f.PBox_Installer_DirectoryPage_Free.bounds,
              at(px(15), usedBottom + px(3), px(12), px(12)));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Free_Desc.bounds,
              at(px(32), usedBottom + px(2), px(110), line));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Free.bounds,
              at(px(152), usedBottom + px(2), cw - px(167), line));
    const int barTop = usedBottom + px(2) + line + px(3);
    const Control& panel = f.P_Installer_DirectoryPage_UsageError;
    EXPECT_EQ(panel.bounds, at(px(15), barTop, cw - px(30), px(10)));
    EXPECT_EQ(panel.background, dark ? 0x2B2B2Bu : 0xBCBCBCu);
    const Control& gauge = f.PB_Installer_DirectoryPage_UsageError;
    EXPECT_EQ(gauge.bounds, (Rect{1, 1, panel.bounds.width - 2, px(8)}));
    EXPECT_TRUE(gauge.gauge);
    EXPECT_EQ(gauge.position, 99);
    EXPECT_EQ(gauge.background, dark ? 0x191919u : 0xE6E6E6u);
    EXPECT_EQ(gauge.barColor, 0xD40000u);
    EXPECT_EQ(f.PBox_Installer_DirectoryPage_Used.background, 0xD40000u);
    EXPECT_EQ(f.Img_Installer_DirectoryPage_Info.bounds, at(px(20), px(100), px(64), px(64)));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info.bounds, at(px(95), px(110), cw - px(110), px(40)));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info2.bounds, at(px(15), px(160), cw - px(30), px(65)));
    for (const Control* c :
         {&f.Lbl_Installer_DirectoryPage_Info, &f.Lbl_Installer_DirectoryPage_Free,
          &f.Lbl_Installer_DirectoryPage_Total_Desc})
      EXPECT_EQ(c->fontColorFromStyle, !dark) << c->name;
    ASSERT_TRUE(f.Img_Installer_DirectoryPage_Info.picture);
    EXPECT_EQ(*f.Img_Installer_DirectoryPage_Info.picture,
              *d.picture(pictureName::directoryError(densityBucket(density))));

    // Accepted: the bar, the disk line and the rows under it.
    d.p.files.drives[u"C:\\"] = {500 * GiB, 120 * GiB};
    buildDirectoryPage(*d.app, kPlayer);
    const Control& bar = f.PB_Installer_DirectoryPage_Usage;
    EXPECT_EQ(bar.bounds, at(px(15), barTop, cw - px(30), px(8)));
    const int diskTop = barTop + px(8) + px(5);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_DiskInfo.bounds,
              at(px(15), diskTop, cw - px(30), px(14)));
    const int infoTop = diskTop + px(14) + px(20);
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info_Version_Desc.bounds,
              at(px(15), infoTop, px(110), line));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info_Version.bounds,
              at(px(135), infoTop, cw - px(215), line));
    EXPECT_EQ(f.Lbl_Installer_DirectoryPage_Info_Copyright_Desc.bounds.top,
              in.top + infoTop + line + px(2));
    EXPECT_EQ(f.Img_Installer_DirectoryPage_Info.bounds, at(cw - px(79), infoTop, px(64), px(64)));
    EXPECT_EQ(f.PBox_Installer_DirectoryPage_Used.squareFill, SquareFill::Fill);
    EXPECT_FALSE(d.w().directory.usageError);
  }
}

}  // namespace
}  // namespace lingvora::test
