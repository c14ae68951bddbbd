#include "pages/installer/Installer_Installation_Page.h"

#include <algorithm>

#include "config/Config.h"
#include "digest/Md5.h"
#include "engine/Channel.h"
#include "engine/Exchange.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"
#include "pages/frame/ProgressDisplay.h"

namespace lingvora {
namespace {

constexpr TextView kSection = u"INSTALLER_INSTALLATION_PAGE";

ProgressDisplay display(App& app) {
  MainForm& f = app.form;
  return {f.GB_Installer_InstallationPage,
          f.Img_Installer_InstallationPage,
          f.Lbl_Installer_InstallationPage_Item_Name,
          f.Lbl_Installer_InstallationPage_Item_Version,
          f.Lbl_Installer_InstallationPage_Item_License,
          f.Lbl_Installer_InstallationPage_Item_Copyright,
          f.Lbl_Installer_InstallationPage_Item_Publisher,
          f.Lbl_Installer_InstallationPage_Item_Desc,
          f.PB_Installer_InstallationPage};
}

Text page(App& app, TextView key) { return readText(app, kSection, Text(kSection) + Text(key)); }
Text pageExpanded(App& app, TextView key) { return expandPlaceholders(app, page(app, key)); }

Text bucket(App& app) { return densityBucket(app.density()); }
const Text& mode(App& app) { return app.state.installer.values.mode; }

Text projectDescription(App& app) {
  const Text brk(kBreak);
  return pageExpanded(app, u"_TEXT_NORMAL_DESC") + brk + brk +
         pageExpanded(app, u"_TEXT_EXTENDED_DESC");
}

// The six lines about the project as a whole (start, configuration, end).
StatusLines projectLines(App& app, const Text& caption) {
  const Configuration& v = app.state.installer.values;
  return {caption,
          v.projectName + u" (" + page(app, u"_TEXT_PROJECT") + u")",
          page(app, u"_TEXT_VERSION") + u" " + v.projectFullVersion,
          page(app, u"_TEXT_LICENSE") + u" " + v.projectLicense,
          v.projectCopyright,
          page(app, u"_TEXT_WEBSITE") + u" " + v.projectHomePage,
          projectDescription(app)};
}

enum class Kind { MainPack, Bundled, AdditionalPlugin };

// The six lines about one component X; which of its texts are expanded
// depends on its kind.
StatusLines componentLines(App& app, const Text& id, Kind kind) {
  const Configuration& v = app.state.installer.values;
  auto key = [&](TextView suffix) { return readText(app, id, id + Text(suffix)); };
  auto shown = [&](TextView suffix) {
    return kind == Kind::AdditionalPlugin ? key(suffix) : expandPlaceholders(app, key(suffix));
  };
  const Text version = page(app, u"_TEXT_VERSION") + u" ";
  StatusLines lines;
  lines.caption = key(u"_STATUS") + u"...";
  lines.name = key(u"_SHORT_NAME");
  lines.version = kind == Kind::MainPack
                      ? version + v.projectShortVersion + u" (" + shown(u"_VERSION") + u")"
                      : version + shown(u"_VERSION");
  lines.license = page(app, u"_TEXT_LICENSE") + u" " + shown(u"_LICENSE");
  lines.copyright = shown(u"_COPYRIGHT");
  lines.publisher = page(app, u"_TEXT_WEBSITE") + u" " +
                    (kind == Kind::Bundled ? v.projectInfoPage : v.projectHomePage);
  const Text brk(kBreak);
  lines.desc = kind == Kind::MainPack ? projectDescription(app)
                                      : expandPlaceholders(app, key(u"_DESC")) + brk + brk + brk +
                                            pageExpanded(app, u"_TEXT_NORMAL_DESC");
  return lines;
}

class InstallationProgress : public ProgressPage {
 public:
  explicit InstallationProgress(App& app) : app_(app) {}
  void showMainPackStatus(int position) override {
    component(position, u"LANG_PACK_OFFICIAL_WLZ", Kind::MainPack,
              pictureName::langPack(mode(app_), bucket(app_)));
  }
  void showHelpPluginStatus(int position) override {
    component(position, u"LANG_PACK_HELP_PLUGIN", Kind::Bundled,
              pictureName::helpPlugin(mode(app_), bucket(app_)));
  }
  void showClassicSkinStatus(int position) override {
    component(position, u"LANG_PACK_CLASSIC_SKIN", Kind::Bundled,
              pictureName::classicSkin(mode(app_), bucket(app_)));
  }
  void showAdditionalPluginStatus(const Text& message, int position) override {
    Text id = message;
    if (const auto at = id.find(u"ID_SECTION_"); at != Text::npos) id.erase(at, 11);
    component(position, id, Kind::AdditionalPlugin,
              pictureName::additionalPlugin(mode(app_), bucket(app_)));
  }
  void showConfigurationStatus(int position) override {
    const ProgressDisplay d = display(app_);
    setProgressPosition(app_, d.bar, position);
    showStatusPicture(app_, d, pictureName::installConfig(bucket(app_)));
    showStatusLines(d, projectLines(app_, page(app_, u"_TEXT_STATUS")));
  }
  void finishProgress(int position, bool aborted) override;

 private:
  void component(int position, const Text& id, Kind kind, const Text& picture) {
    const ProgressDisplay d = display(app_);
    setProgressPosition(app_, d.bar, position);
    showStatusPicture(app_, d, picture);
    showStatusLines(d, componentLines(app_, id, kind));
  }
  App& app_;
};

void InstallationProgress::finishProgress(int position, bool aborted) {
  App& app = app_;
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  const ProgressDisplay d = display(app);
  setProgressPosition(app, d.bar, position);
  Control& title = f.Lbl_Installer_DefaultHeader_Title;
  Control& subtitle = f.Lbl_Installer_DefaultHeader_SubTitle;
  const FooterCaptions& c = w.captions;
  Text caption;
  if (aborted) {
    showInstallerPageHeader(app, pageExpanded(app, u"_TITLE_ABORT"),
                            pageExpanded(app, u"_SUBTITLE_ABORT"));
    if (w.dark)
      for (Control* line : {&title, &subtitle}) {
        line->fontColorFromStyle = false;
        line->fontColor = kErrorText;
      }
    showStatusPicture(app, d, pictureName::installFailed(bucket(app)));
    caption = page(app, u"_RESULT_FAILED");
    setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, true, c.next}, {true, true, c.cancel}});
    f.taskbar.state = TaskbarState::Error;
  } else {
    showInstallerPageHeader(app, pageExpanded(app, u"_TITLE_SUCCESS"),
                            pageExpanded(app, u"_SUBTITLE_SUCCESS"));
    if (w.dark) {
      title.fontColorFromStyle = true;
      subtitle.fontColorFromStyle = false;
      subtitle.fontColor = kSecondaryText;
    }
    showStatusPicture(app, d, pictureName::installSuccess(bucket(app)));
    caption = page(app, u"_RESULT_SUCCESS");
    setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, true, c.next}, {true, false, c.cancel}});
    f.taskbar.state = TaskbarState::Normal;
  }
  w.failed = aborted;
  w.closeAllowed = true;
  w.progressFinished = true;
  w.channelOpen = false;
  showStatusLines(d, projectLines(app, caption));
}

// Opens straight in the aborted state: the engine gets no cue.
void abortAtOnce(App& app) {
  if (ProgressPage* p = app.progressPage()) p->finishProgress(100, true);
}

}  // namespace

std::unique_ptr<ProgressPage> installationProgressPage(App& app) {
  return std::make_unique<InstallationProgress>(app);
}

bool buildWorkList(App& app) {
  WizardState& w = app.state.installer;
  IniDocument& ini = w.config;
  w.workList.clear();
  for (const Text& section : ini.sectionNames()) {
    if (ini.readInteger(section, u"Install", 0) != 1 ||
        ini.readInteger(section, u"PluginChoice", 0) != 1)
      continue;
    bool chosen = true;
    if (section.find(u"LANG_PACK_PLUGIN_") != Text::npos) {
      // An additional plugin goes only when the player holds exactly the
      // file the pack was made for; a file that cannot be read counts as
      // another file.
      const Text fileName = ini.readString(section, u"FileName");
      const Text path = joinPath(w.record.PluginsDir, fileName);
      std::optional<Text> digest;
      // It must name a file inside the plugins folder itself.
      if (isPlainName(fileName) && app.platform.files.fileExists(path))
        digest = fileDigest(app.platform.files, path);
      chosen = digest && *digest == ini.readString(section, u"PluginHash");
    }
    if (chosen) {
      w.workList.push_back(section);
      ini.write(section, u"UserAction", u"1");
    } else {
      ini.write(section, u"UserAction", u"0");
      ini.write(section, u"UserHash", u"");
    }
  }
  w.progress.step = progressStep(w.workList.size());
  return saveIniDocument(app, ini, w.configPath);
}

void showInstallationPage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = 5;
  // Nothing the engine sends counts until it has been cued.
  w.channelOpen = false;
  setInstallerCaption(app);
  f.P_Installer_DefaultPage.background = kButtonFaceColor;
  f.P_Installer_DefaultPage.dock(Align::Client).show();
  showInstallerPageHeader(app, pageExpanded(app, u"_TITLE"), pageExpanded(app, u"_SUBTITLE"));
  fillBrandingLabel(app);

  const ProgressDisplay d = display(app);
  layoutProgressDisplay(app, d);
  const FooterCaptions& c = w.captions;
  setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, false, c.next}, {true, false, c.cancel}});

  w.progress = ProgressValues{};
  w.closeAllowed = w.progressFinished = w.failed = false;

  showStatusPicture(app, d, pictureName::langPack(mode(app), bucket(app)));
  showStatusLines(d, projectLines(app, page(app, u"_TITLE")));

  const bool saved = buildWorkList(app);
  f.P_Installer_InstallationPage.background = kButtonFaceColor;
  f.P_Installer_InstallationPage.dock(Align::Client).show();
  placeStatusPicture(app, d);
  // Choices that did not reach GUI.ini must not start the engine.
  if (!saved || !writeInstallDirToDataIni(app, w.dataPath, w.record.InstallDir)) {
    abortAtOnce(app);
    return;
  }
  w.channelOpen = true;
}

}  // namespace lingvora
