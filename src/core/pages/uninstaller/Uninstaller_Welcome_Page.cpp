#include "pages/uninstaller/Uninstaller_Welcome_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

Text welcomeText(App& app, TextView key) { return readText(app, u"UNINSTALLER_WELCOME_PAGE", key); }

}  // namespace

void showUninstallerWelcomePage(App& app) {
  WizardState& w = app.state.uninstaller;
  MainForm& f = app.form;
  w.pageIndex = 0;
  setUninstallerCaption(app);

  const Color text = kDefaultColor;
  // The title and the action are shown as written, the rest expanded.
  placeColumnLabel(app, f.Lbl_Uninstaller_WelcomePage_Title,
                   upper(welcomeText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_TITLE")),
                   {{u"Tahoma", 28, true, false}, text, TextAlign::Center, false}, Align::Top, 90,
                   {15, 5, 15, 5});
  placeColumnLabel(app, f.Lbl_Uninstaller_WelcomePage_Subtitle,
                   welcomeText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_ACTION"),
                   {{u"Tahoma", 18, true, false}, kRemovalAccent, TextAlign::Center, true},
                   Align::Top, 32, {15, 5, 15, 2});
  placeColumnLabel(app, f.Lbl_Uninstaller_WelcomePage_Subtitle2,
                   expandPlaceholders(app, welcomeText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_TOP")),
                   {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Top, 30,
                   {15, 15, 15, 2});
  placeColumnLabel(app, f.Lbl_Uninstaller_WelcomePage_Subtitle1,
                   expandPlaceholders(app, welcomeText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_INFO")),
                   {{u"Tahoma", 8, false, true}, kSecondaryText, TextAlign::Left, true}, Align::Top,
                   55, {15, 5, 15, 2});
  placeColumnLabel(
      app, f.Lbl_Uninstaller_WelcomePage_Info,
      expandPlaceholders(app, welcomeText(app, u"UNINSTALLER_WELCOME_PAGE_TEXT_NOTES")),
      {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Client, -1,
      {15, 5, 15, 5});

  // Next in the style's own look again, after the Summary page's red.
  const FooterCaptions& c = w.captions;
  setFooter(app, {{false, true, c.back}, {true, true, c.next}, {true, true, c.cancel}});
  showFullHeightPage(
      app, {f.P_Uninstaller_WelcomePage, f.Img_Uninstaller_WelcomePage,
            f.S_Uninstaller_WelcomePage_Divider, f.P_Uninstaller_WelcomePage_TextArea,
            f.Lbl_Uninstaller_WelcomePage_LangPack, f.Lbl_Uninstaller_WelcomePage_Copyright});
}

}  // namespace lingvora
