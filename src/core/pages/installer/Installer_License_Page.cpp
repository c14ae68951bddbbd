#include "pages/installer/Installer_License_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

Text licence(App& app, TextView key) { return readText(app, u"INSTALLER_LICENSE_PAGE", key); }
Text expanded(App& app, TextView key) { return expandPlaceholders(app, licence(app, key)); }

class Composer {
 public:
  explicit Composer(Control& box) : box_(box) { box_.runs.clear(); }
  // Append styled run: every run of the licence ends with a line break.
  void run(const Text& text, Color colour, const char16_t* face, int points, bool bold, int align) {
    box_.runs.push_back({text, colour, face, 1, points, bold, align, true});
  }
  void body(const Text& text, Color colour, int points = 11, bool bold = false) {
    run(text, colour, u"Calibri", points, bold, 0);
  }
  // A bare line break: no attribute changes.
  void lineBreaks(int n) {
    for (int i = 0; i < n; ++i) box_.runs.push_back({u"", 0, u"", 1, 0, false, -1, true});
  }

 private:
  Control& box_;
};

}  // namespace

LicenceColours licenceColours(const App& app) {
  const bool dark = app.state.installer.dark;
  return {dark ? app.state.colours.accent : Color(0x333333),
          dark ? Color(0xC0C0C0) : Color(0x333333), 0x666666, 0x737373};
}

void showLicensePage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = 1;
  setInstallerCaption(app);
  f.P_Installer_DefaultPage.background = kButtonFaceColor;
  f.P_Installer_DefaultPage.dock(Align::Client).show();
  showInstallerPageHeader(app, expanded(app, u"INSTALLER_LICENSE_PAGE_TITLE"),
                          expanded(app, u"INSTALLER_LICENSE_PAGE_SUBTITLE"));
  fillBrandingLabel(app);

  Control& top = f.Lbl_Installer_LicensePage_TopText;
  top.caption = expanded(app, u"INSTALLER_LICENSE_PAGE_TOP");
  top.wordWrap = top.transparent = true;
  top.dock(Align::Top, app.scale(14), {app.scale(20), app.scale(15), app.scale(20), app.scale(2)})
      .show();

  Control& box = f.RE_Installer_LicensePage;
  box.readOnly = true;
  box.fontColorFromStyle = !w.dark;  // the runs keep their colours
  box.dock(Align::Client, -1, {app.scale(20), app.scale(2), app.scale(20), app.scale(2)});

  const LicenceColours c = licenceColours(app);
  Composer compose(box);
  compose.lineBreaks(1);
  compose.run(licence(app, u"INSTALLER_LICENSE_PAGE_TITLE1"), c.heading, u"Tahoma", 18, true, 1);
  compose.run(expanded(app, u"INSTALLER_LICENSE_PAGE_TITLE2"), c.muted, u"Calibri", 10, false, 1);
  compose.run(licence(app, u"INSTALLER_LICENSE_PAGE_TITLE3"), c.muted, u"Calibri", 10, false, 1);
  compose.lineBreaks(2);
  compose.body(expanded(app, u"INSTALLER_LICENSE_PAGE_INFO1"), c.body);
  compose.lineBreaks(1);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_INFO2"), c.grey);
  compose.lineBreaks(1);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_INFO3"), c.body);
  compose.lineBreaks(1);
  compose.body(expanded(app, u"INSTALLER_LICENSE_PAGE_INFO4"), c.body);
  compose.lineBreaks(1);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_INFO5"), c.body);
  compose.lineBreaks(3);
  const Text line = licence(app, u"INSTALLER_LICENSE_PAGE_LINE");
  compose.body(line, c.body);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_CONTACT_1"), c.body, 12, true);
  compose.body(line, c.body);
  compose.lineBreaks(1);
  for (int i = 2; i <= 5; ++i)
    compose.body(u"     " + licence(app, u"INSTALLER_LICENSE_PAGE_CONTACT_" + decimal(i)), c.body);
  compose.lineBreaks(2);
  compose.body(line, c.body);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_AGREEMENT_1"), c.body, 12, true);
  compose.body(line, c.body);
  compose.lineBreaks(1);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_AGREEMENT_2"), c.body);
  compose.body(expanded(app, u"INSTALLER_LICENSE_PAGE_AGREEMENT_3"), c.body);
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_AGREEMENT_4"), c.body);
  compose.lineBreaks(1);
  for (int i = 5; i <= 8; ++i) {
    compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_AGREEMENT_" + decimal(i)), c.body);
    compose.lineBreaks(1);
  }
  compose.body(licence(app, u"INSTALLER_LICENSE_PAGE_SLINE"), c.muted, 8);
  for (const char16_t* key : {u"INSTALLER_LICENSE_PAGE_INFO6", u"INSTALLER_LICENSE_PAGE_INFO7"})
    if (const Text t = expanded(app, key); !t.empty()) compose.body(t, c.muted, 8);
  box.show();

  Control& bottom = f.Lbl_Installer_LicensePage_BottomText;
  bottom.caption = expanded(app, u"INSTALLER_LICENSE_PAGE_BOTTOM");
  bottom.wordWrap = bottom.transparent = true;
  bottom
      .dock(Align::Bottom, app.scale(30),
            {app.scale(20), app.scale(3), app.scale(20), app.scale(20)})
      .show();

  const FooterCaptions& b = w.captions;
  setFooter(app, {{true, true, b.back}, {true, true, b.agree}, {true, true, b.cancel}});
  f.P_Installer_LicensePage.background = kButtonFaceColor;
  f.P_Installer_LicensePage.dock(Align::Client).show();
}

}  // namespace lingvora
