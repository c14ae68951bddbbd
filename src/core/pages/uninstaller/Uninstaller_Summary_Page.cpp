#include "pages/uninstaller/Uninstaller_Summary_Page.h"

#include <algorithm>

#include "config/Config.h"
#include "engine/Exchange.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

// The page's texts; the row captions live in this section too, under key
// names that begin with UNINSTALLER_WELCOME_PAGE_.
Text summaryText(App& app, TextView key) { return readText(app, u"UNINSTALLER_SUMMARY_PAGE", key); }

// The group box's client area in its own coordinates: where its frame and
// caption end, and how much room is left inside them.
struct ClientArea {
  int left = 0, top = 0, width = 0, height = 0;
};

ClientArea clientArea(App& app, const Control& group) {
  const Margins in = app.form.measure ? app.form.measure->groupBoxInsets(group.font) : Margins{};
  return {in.left, in.top, group.bounds.width - in.left - in.right,
          group.bounds.height - in.top - in.bottom};
}

void label(Control& c, const Text& text, const Font& font, Color colour, bool ownColour, bool dark,
           bool wrap) {
  c.caption = text;
  c.font = font;
  c.fontColor = colour;
  c.fontColorFromStyle = !(dark && ownColour);
  c.transparent = true;
  c.wordWrap = wrap;
  c.autoSize = false;
  c.align = Align::None;
  c.enabled = true;
  c.show();
}

struct Row {
  Control& caption;
  Control& value;
  const char16_t* key;
  Text text;
  int gap;   // above the caption, below the label before it
  int room;  // kept free right of the value: the picture's column on the upper rows
};

}  // namespace

void showSummaryPage(App& app) {
  WizardState& w = app.state.uninstaller;
  MainForm& f = app.form;
  const Configuration& v = w.values;
  const bool dark = w.dark;
  w.pageIndex = 1;
  setUninstallerCaption(app);
  f.P_Uninstaller_DefaultPage.background = kButtonFaceColor;
  f.P_Uninstaller_DefaultPage.dock(Align::Client).show();
  showUninstallerPageHeader(
      app, expandPlaceholders(app, summaryText(app, u"UNINSTALLER_SUMMARY_PAGE_TITLE")),
      expandPlaceholders(app, summaryText(app, u"UNINSTALLER_SUMMARY_PAGE_SUBTITLE")));
  fillBrandingLabel(app);

  const Font regular{u"Tahoma", 8, false, false};
  const Font bold{u"Tahoma", 8, true, false};
  Control& topText = f.Lbl_Uninstaller_SummaryPage_Title;
  label(topText, expandPlaceholders(app, summaryText(app, u"UNINSTALLER_SUMMARY_PAGE_TEXT_TOP")),
        regular, kDefaultColor, false, dark, true);
  topText.dock(Align::Top, app.scale(48), {app.scale(15), app.scale(10), app.scale(15), 0});
  Control& group = f.GB_Uninstaller_SummaryPage;
  group.caption = summaryText(app, u"UNINSTALLER_SUMMARY_PAGE_TEXT_INFO_TITLE");
  group.font = regular;
  group.dock(Align::Client, -1, {app.scale(15), app.scale(3), app.scale(15), app.scale(10)}).show();
  f.P_Uninstaller_SummaryPage.background = kButtonFaceColor;
  f.P_Uninstaller_SummaryPage.dock(Align::Client).show();

  // Everything inside the group box stands where its client area puts it.
  f.relayout();
  const ClientArea area = clientArea(app, group);
  auto place = [&](Control& c, int left, int top, int width, int height) {
    c.bounds = {area.left + left, area.top + top, std::max(0, width), height};
  };
  const int s25 = app.scale(25);

  Control& picture = f.Img_Uninstaller_SummaryPage;
  picture.picture.reset();
  picture.align = Align::None;
  picture.autoSize = false;
  picture.center = picture.stretch = true;
  place(picture, area.width - s25 - app.scale(96), s25, app.scale(96), app.scale(96));
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::langPack(v.mode, densityBucket(app.density())), picture);
  picture.show();

  Control& name = f.Lbl_Uninstaller_SummaryPage_ProjectName;
  label(name, upper(summaryText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_NAME")),
        {u"Tahoma", 12, false, false}, kDefaultColor, false, dark, false);
  place(name, s25, s25, area.width - app.scale(135 + 25), app.scale(20));

  // Six rows: a grey caption of fixed width and its value beside it.
  const Row rows[] = {
      {f.Lbl_Uninstaller_SummaryPage_Version_Desc, f.Lbl_Uninstaller_SummaryPage_Version,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_VERSION",
       v.projectFullVersion + u" (Winamp " + w.record.Version + u")", 10, 140},
      {f.Lbl_Uninstaller_SummaryPage_Author_Desc, f.Lbl_Uninstaller_SummaryPage_Author,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_AUTHOR", v.projectAuthor, 2, 140},
      {f.Lbl_Uninstaller_SummaryPage_License_Desc, f.Lbl_Uninstaller_SummaryPage_License,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_LICENSE", v.projectLicense, 2, 140},
      {f.Lbl_Uninstaller_SummaryPage_Copyright_Desc, f.Lbl_Uninstaller_SummaryPage_Copyright,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_COPYRIGHT", v.projectCopyright, 2, 140},
      {f.Lbl_Uninstaller_SummaryPage_InstallDir_Desc, f.Lbl_Uninstaller_SummaryPage_InstallDir,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DIR", w.record.InstallDir, 12, 20},
      {f.Lbl_Uninstaller_SummaryPage_InstallDate_Desc, f.Lbl_Uninstaller_SummaryPage_InstallDate,
       u"UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DATE", w.packInstallDate, 2, 20},
  };
  const int captionHeight = lineHeight(app, regular);
  const int valueHeight = lineHeight(app, bold);
  int below = name.bounds.bottom() - area.top;  // the bottom of the label above
  for (const Row& r : rows) {
    label(r.caption, summaryText(app, r.key), regular, kSecondaryText, true, dark, true);
    place(r.caption, s25, below + app.scale(r.gap), app.scale(110), captionHeight);
    label(r.value, r.text, bold, kDefaultColor, false, dark, false);
    place(r.value, r.caption.bounds.right() - area.left + app.scale(5),
          r.caption.bounds.top - area.top, area.width - app.scale(r.room + 25 + 110), valueHeight);
    below = r.caption.bounds.bottom() - area.top;
  }

  Control& note = f.Lbl_Uninstaller_SummaryPage_ProjectDesc;
  label(note,
        expandPlaceholders(app, summaryText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_INSTALL_DESC")),
        {u"Tahoma", 8, false, true}, kSecondaryText, true, dark, true);
  place(note, app.scale(15), area.height - app.scale(15) - app.scale(40),
        area.width - app.scale(30), app.scale(40));

  // Uninstall in red: the user's confirmation. The enabled states stay as
  // the Welcome page left them.
  const FooterCaptions& c = w.captions;
  setFooter(app, {{true, f.Btn_GUI_Back.enabled, c.back},
                  {true, f.Btn_GUI_Next.enabled, c.uninstall, kRemovalAccent},
                  {true, f.Btn_GUI_Cancel.enabled, c.cancel}});
}

void leaveSummaryPage(App& app) { writeInfoSection(app, app.state.uninstaller); }

}  // namespace lingvora
