#include "pages/frame/ProgressDisplay.h"

#include <algorithm>

#include "config/Config.h"
#include "engine/Exchange.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {

ProgressDisplay progressDisplay(App& app, LaunchMode mode) {
  MainForm& f = app.form;
  if (mode == LaunchMode::Installer)
    return {f.GB_Installer_InstallationPage,
            f.Img_Installer_InstallationPage,
            f.Lbl_Installer_InstallationPage_Item_Name,
            f.Lbl_Installer_InstallationPage_Item_Version,
            f.Lbl_Installer_InstallationPage_Item_License,
            f.Lbl_Installer_InstallationPage_Item_Copyright,
            f.Lbl_Installer_InstallationPage_Item_Publisher,
            f.Lbl_Installer_InstallationPage_Item_Desc,
            f.PB_Installer_InstallationPage,
            30,
            15,
            3};
  return {f.GB_Uninstaller_InstallationPage,
          f.Img_Uninstaller_InstallationPage,
          f.Lbl_Uninstaller_InstallationPage_Item_Name,
          f.Lbl_Uninstaller_InstallationPage_Item_Version,
          f.Lbl_Uninstaller_InstallationPage_Item_License,
          f.Lbl_Uninstaller_InstallationPage_Item_Copyright,
          f.Lbl_Uninstaller_InstallationPage_Item_Publisher,
          f.Lbl_Uninstaller_InstallationPage_Item_Description,
          f.PB_Uninstaller_InstallationPage,
          25,
          10,
          0};
}

void layoutProgressDisplay(App& app, const ProgressDisplay& d) {
  auto s = [&app](int length) { return app.scale(length); };
  d.group.caption.clear();
  d.group.transparent = true;
  d.group.dock(Align::Client, -1, {s(15), s(5), s(15), s(10)}).show();

  d.name.font = {u"Tahoma", 10, true, false};
  d.name.dock(Align::Top, s(17), {s(15), s(d.nameTop), s(115), s(3)});
  for (Control* line : {&d.version, &d.license, &d.copyright, &d.publisher}) {
    line->font = {u"Tahoma", 8, false, false};
    line->dock(Align::Top, s(13), {s(25), s(3), s(115), s(3)});
  }
  d.publisher.margins.bottom = s(d.publisherBottom);
  for (Control* line : {&d.name, &d.version, &d.license, &d.copyright, &d.publisher}) {
    line->caption.clear();
    line->transparent = true;
    line->wordWrap = false;
    line->show();
  }
  d.bar.minimum = 0;
  d.bar.maximum = 100;
  d.bar.position = 0;
  d.bar.dock(Align::Bottom, s(12), {s(15), s(5), s(15), s(10)}).show();
  d.desc.caption.clear();
  d.desc.font = {u"Tahoma", 8, false, false};
  d.desc.transparent = d.desc.wordWrap = d.desc.textAtBottom = true;
  d.desc.dock(Align::Client, -1, {s(15), s(5), s(15), s(5)}).show();

  d.picture.align = Align::None;
  d.picture.autoSize = true;
  d.picture.picture.reset();
  d.picture.show();
  app.form.taskbar = {TaskbarState::Normal, 0, 100};
}

void showStatusLines(const ProgressDisplay& d, const StatusLines& lines) {
  d.group.caption = lines.caption;
  d.name.caption = lines.name;
  d.version.caption = lines.version;
  d.license.caption = lines.license;
  d.copyright.caption = lines.copyright;
  d.publisher.caption = lines.publisher;
  d.desc.caption = lines.desc;
}

void showStatusPicture(App& app, const ProgressDisplay& d, const Text& pictureName) {
  const WizardState& w = app.wizard();
  loadPicture(app.platform.images, w.libraryPath, pictureName, d.picture);
  placeStatusPicture(app, d);
}

void placeStatusPicture(App& app, const ProgressDisplay& d) {
  // Its right edge 15 inside the group box's client area.
  app.form.relayout();
  const Margins frame = app.platform.measure.groupBoxInsets(d.group.font);
  const int width = d.picture.picture ? d.picture.picture->width : 0;
  const int height = d.picture.picture ? d.picture.picture->height : 0;
  d.picture.bounds = {d.group.bounds.width - frame.right - app.scale(15) - width,
                      app.scale(d.pictureTop), width, height};
}

void setProgressPosition(App& app, Control& bar, int position) {
  bar.position = std::clamp(position, bar.minimum, bar.maximum);
  // The next component moves on from where the bar stands.
  app.wizard().progress.position = bar.position;
  app.form.taskbar.value = bar.position;
}

namespace {

// Everything of one wizard that its progress page uses.
struct ProgressSide {
  WizardState& wizard;
  ProgressDisplay display;
  // The page's texts: the section, whose name prefixes every key.
  TextView section;
  // The suffix of a component's key for the group caption.
  TextView statusKey;
  Control &defaultPage, &pagePanel, &headerTitle, &headerSubtitle;
  void (*setCaption)(App&);
  void (*showHeader)(App&, const Text&, const Text&);
};

ProgressSide progressSide(App& app, LaunchMode mode) {
  MainForm& f = app.form;
  if (mode == LaunchMode::Installer)
    return {app.state.installer,
            progressDisplay(app, mode),
            u"INSTALLER_INSTALLATION_PAGE",
            u"_STATUS",
            f.P_Installer_DefaultPage,
            f.P_Installer_InstallationPage,
            f.Lbl_Installer_DefaultHeader_Title,
            f.Lbl_Installer_DefaultHeader_SubTitle,
            setInstallerCaption,
            showInstallerPageHeader};
  return {app.state.uninstaller,
          progressDisplay(app, mode),
          u"UNINSTALLER_INSTALLATION_PAGE",
          u"_STATUS2",
          f.P_Uninstaller_DefaultPage,
          f.P_Uninstaller_InstallationPage,
          f.Lbl_Uninstaller_DefaultHeader_Title,
          f.Lbl_Uninstaller_DefaultHeader_SubTitle,
          setUninstallerCaption,
          showUninstallerPageHeader};
}

enum class Kind { MainPack, Bundled, AdditionalPlugin };

class ProgressView : public ProgressPage {
 public:
  ProgressView(App& app, LaunchMode mode) : app_(app), mode_(mode) {}

  void showMainPackStatus(int position) override {
    component(position, u"LANG_PACK_OFFICIAL_WLZ", Kind::MainPack,
              pictureName::langPack(mode(), bucket()));
  }
  void showHelpPluginStatus(int position) override {
    component(position, u"LANG_PACK_HELP_PLUGIN", Kind::Bundled,
              pictureName::helpPlugin(mode(), bucket()));
  }
  void showClassicSkinStatus(int position) override {
    component(position, u"LANG_PACK_CLASSIC_SKIN", Kind::Bundled,
              pictureName::classicSkin(mode(), bucket()));
  }
  void showAdditionalPluginStatus(const Text& message, int position) override {
    Text id = message;
    if (const auto at = id.find(u"ID_SECTION_"); at != Text::npos) id.erase(at, 11);
    component(position, id, Kind::AdditionalPlugin,
              pictureName::additionalPlugin(mode(), bucket()));
  }
  void showConfigurationStatus(int position) override {
    const ProgressSide side = progressSide(app_, mode_);
    setProgressPosition(app_, side.display.bar, position);
    showStatusPicture(app_, side.display, pictureName::installConfig(bucket()));
    showStatusLines(side.display, projectLines(side, page(side, u"_TEXT_STATUS")));
  }
  void finishProgress(int position, bool aborted) override;

  // The start status: the project, under the page's title.
  void showStartStatus() {
    const ProgressSide side = progressSide(app_, mode_);
    showStatusPicture(app_, side.display, pictureName::langPack(mode(), bucket()));
    showStatusLines(side.display, projectLines(side, page(side, u"_TITLE")));
  }

 private:
  const Text& mode() { return progressSide(app_, mode_).wizard.values.mode; }
  Text bucket() { return densityBucket(app_.density()); }

  Text page(const ProgressSide& side, TextView key) {
    return readText(app_, side.section, Text(side.section) + Text(key));
  }
  Text pageExpanded(const ProgressSide& side, TextView key) {
    return expandPlaceholders(app_, page(side, key));
  }

  Text projectDescription(const ProgressSide& side) {
    const Text brk(kBreak);
    return pageExpanded(side, u"_TEXT_NORMAL_DESC") + brk + brk +
           pageExpanded(side, u"_TEXT_EXTENDED_DESC");
  }

  // The six lines about the project as a whole (start, configuration, end).
  StatusLines projectLines(const ProgressSide& side, const Text& caption) {
    const Configuration& v = side.wizard.values;
    return {caption,
            v.projectName + u" (" + page(side, u"_TEXT_PROJECT") + u")",
            page(side, u"_TEXT_VERSION") + u" " + v.projectFullVersion,
            page(side, u"_TEXT_LICENSE") + u" " + v.projectLicense,
            v.projectCopyright,
            page(side, u"_TEXT_WEBSITE") + u" " + v.projectHomePage,
            projectDescription(side)};
  }

  // The six lines about one component X; which of its texts are expanded
  // depends on its kind.
  StatusLines componentLines(const ProgressSide& side, const Text& id, Kind kind) {
    const Configuration& v = side.wizard.values;
    auto key = [&](TextView suffix) { return readText(app_, id, id + Text(suffix)); };
    auto shown = [&](TextView suffix) {
      return kind == Kind::AdditionalPlugin ? key(suffix) : expandPlaceholders(app_, key(suffix));
    };
    const Text version = page(side, u"_TEXT_VERSION") + u" ";
    StatusLines lines;
    lines.caption = key(side.statusKey) + u"...";
    lines.name = key(u"_SHORT_NAME");
    lines.version = kind == Kind::MainPack
                        ? version + v.projectShortVersion + u" (" + shown(u"_VERSION") + u")"
                        : version + shown(u"_VERSION");
    lines.license = page(side, u"_TEXT_LICENSE") + u" " + shown(u"_LICENSE");
    lines.copyright = shown(u"_COPYRIGHT");
    lines.publisher = page(side, u"_TEXT_WEBSITE") + u" " +
                      (kind == Kind::Bundled ? v.projectInfoPage : v.projectHomePage);
    const Text brk(kBreak);
    lines.desc = kind == Kind::MainPack ? projectDescription(side)
                                        : expandPlaceholders(app_, key(u"_DESC")) + brk + brk +
                                              brk + pageExpanded(side, u"_TEXT_NORMAL_DESC");
    return lines;
  }

  void component(int position, const Text& id, Kind kind, const Text& picture) {
    const ProgressSide side = progressSide(app_, mode_);
    setProgressPosition(app_, side.display.bar, position);
    showStatusPicture(app_, side.display, picture);
    showStatusLines(side.display, componentLines(side, id, kind));
  }

  App& app_;
  const LaunchMode mode_;
};

void ProgressView::finishProgress(int position, bool aborted) {
  App& app = app_;
  const ProgressSide side = progressSide(app, mode_);
  WizardState& w = side.wizard;
  MainForm& f = app.form;
  const ProgressDisplay& d = side.display;
  setProgressPosition(app, d.bar, position);
  Control& title = side.headerTitle;
  Control& subtitle = side.headerSubtitle;
  const FooterCaptions& c = w.captions;
  Text caption;
  if (aborted) {
    side.showHeader(app, pageExpanded(side, u"_TITLE_ABORT"),
                    pageExpanded(side, u"_SUBTITLE_ABORT"));
    if (w.dark)
      for (Control* line : {&title, &subtitle}) {
        line->fontColorFromStyle = false;
        line->fontColor = kErrorText;
      }
    showStatusPicture(app, d, pictureName::installFailed(bucket()));
    caption = page(side, u"_RESULT_FAILED");
    setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, true, c.next}, {true, true, c.cancel}});
    f.taskbar.state = TaskbarState::Error;
  } else {
    side.showHeader(app, pageExpanded(side, u"_TITLE_SUCCESS"),
                    pageExpanded(side, u"_SUBTITLE_SUCCESS"));
    if (w.dark) {
      title.fontColorFromStyle = true;
      subtitle.fontColorFromStyle = false;
      subtitle.fontColor = kSecondaryText;
    }
    showStatusPicture(app, d, pictureName::installSuccess(bucket()));
    caption = page(side, u"_RESULT_SUCCESS");
    setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, true, c.next}, {true, false, c.cancel}});
    f.taskbar.state = TaskbarState::Normal;
  }
  w.failed = aborted;
  w.closeAllowed = true;
  w.progressFinished = true;
  w.channelOpen = false;
  showStatusLines(d, projectLines(side, caption));
}

}  // namespace

std::unique_ptr<ProgressPage> makeProgressPage(App& app, LaunchMode mode) {
  return std::make_unique<ProgressView>(app, mode);
}

void showProgressPage(App& app, LaunchMode mode, WorkListBuilder buildWorkList) {
  const ProgressSide side = progressSide(app, mode);
  WizardState& w = side.wizard;
  MainForm& f = app.form;
  w.pageIndex = mode == LaunchMode::Installer ? 5 : 3;
  // Nothing the engine sends counts until it has been cued.
  w.channelOpen = false;
  side.setCaption(app);
  side.defaultPage.background = kButtonFaceColor;
  side.defaultPage.dock(Align::Client).show();
  ProgressView view(app, mode);
  auto page = [&](TextView key) {
    return expandPlaceholders(app, readText(app, side.section, Text(side.section) + Text(key)));
  };
  side.showHeader(app, page(u"_TITLE"), page(u"_SUBTITLE"));
  fillBrandingLabel(app);

  const ProgressDisplay& d = side.display;
  layoutProgressDisplay(app, d);
  // Next in the style's own look, after the Summary page's red.
  const FooterCaptions& c = w.captions;
  setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, false, c.next}, {true, false, c.cancel}});

  w.progress = ProgressValues{};
  w.closeAllowed = w.progressFinished = w.failed = false;
  view.showStartStatus();

  const bool recorded = buildWorkList(app);
  side.pagePanel.background = kButtonFaceColor;
  side.pagePanel.dock(Align::Client).show();
  placeStatusPicture(app, d);
  // A record that did not reach GUI.ini must not start the engine.
  if (!recorded || !writeInstallDirToDataIni(app, w.dataPath, w.record.InstallDir)) {
    view.finishProgress(100, true);
    return;
  }
  w.channelOpen = true;
}

}  // namespace lingvora
