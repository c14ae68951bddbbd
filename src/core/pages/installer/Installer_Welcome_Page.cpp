#include "pages/installer/Installer_Welcome_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

Text welcomeText(App& app, TextView key, bool expanded = true) {
  const Text t = readText(app, u"INSTALLER_WELCOME_PAGE", key);
  return expanded ? expandPlaceholders(app, t) : t;
}

}  // namespace

void showWelcomePage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  const Configuration& v = w.values;
  w.pageIndex = 0;
  setInstallerCaption(app);

  const Color text = kDefaultColor;
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_Title, upper(v.projectFullName),
                   {{u"Tahoma", 28, true, false}, 0xC80000, TextAlign::Center, true}, Align::Top,
                   90, {15, 5, 15, 5});
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_SubTitle1,
                   welcomeText(app, u"INSTALLER_WELCOME_PAGE_MISSION_SENTENCE"),
                   {{u"Tahoma", 10, false, true}, text, TextAlign::Center, false}, Align::Top, 32,
                   {15, 5, 15, 2});
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_SubTitle2,
                   welcomeText(app, u"INSTALLER_WELCOME_PAGE_MISSION_AUTHOR", false),
                   {{u"Tahoma", 7, false, false}, text, TextAlign::Right, false}, Align::Top, 12,
                   {15, 0, 15, 2});
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_SubTitle3,
                   welcomeText(app, u"INSTALLER_WELCOME_PAGE_TOP"),
                   {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Top, 40,
                   {15, 15, 15, 2});
  placeColumnLabel(
      app, f.Lbl_Installer_WelcomePage_Info, welcomeText(app, u"INSTALLER_WELCOME_PAGE_CONTENT"),
      {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Top, 55, {35, 2, 15, 5});
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_Desc,
                   welcomeText(app, u"INSTALLER_WELCOME_PAGE_DESC"),
                   {{u"Tahoma", 8, false, true}, kSecondaryText, TextAlign::Left, true}, Align::Top,
                   55, {15, 5, 15, 2});
  f.Lbl_Installer_WelcomePage_Desc.textAtBottom = true;
  placeColumnLabel(app, f.Lbl_Installer_WelcomePage_Next,
                   welcomeText(app, u"INSTALLER_WELCOME_PAGE_NOTES"),
                   {{u"Tahoma", 8, false, false}, text, TextAlign::Right, false}, Align::Bottom, 15,
                   {15, 5, 15, 5});

  const FooterCaptions& c = w.captions;
  setFooter(app, {{false, true, c.back}, {true, true, c.next}, {true, true, c.cancel}});
  showFullHeightPage(app,
                     {f.P_Installer_WelcomePage, f.Img_Installer_WelcomePage,
                      f.S_Installer_WelcomePage_Divider, f.P_Installer_WelcomePage_TextArea,
                      f.Lbl_Installer_WelcomePage_LangPack, f.Lbl_Installer_WelcomePage_Copyright});
}

}  // namespace lingvora
