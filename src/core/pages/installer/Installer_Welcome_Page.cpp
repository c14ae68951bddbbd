#include "pages/installer/Installer_Welcome_Page.h"

#include "config/Config.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

struct LabelStyle {
  Font font;
  Color color;
  TextAlign align;
  bool ownColour;  // keeps its colour under the dark style
};

void placeLabel(App& app, Control& label, const Text& text, const LabelStyle& style, Align dock,
                int height, Margins m) {
  const bool dark = app.state.installer.dark;
  label.caption = text;
  label.font = style.font;
  label.fontColor = style.color;
  label.fontColorFromStyle = !(dark && style.ownColour);
  label.textAlign = style.align;
  label.transparent = label.wordWrap = true;
  label.enabled = true;
  label
      .dock(dock, app.scale(height),
            {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)})
      .show();
}

Text welcomeText(App& app, TextView key, bool expanded = true) {
  const Text t = readText(app, u"INSTALLER_WELCOME_PAGE", key);
  return expanded ? expandPlaceholders(app, t) : t;
}

// The copyright link: grey at rest, the hover colour under the pointer, red
// once clicked until the pointer leaves; its own colour in both themes.
void linkColour(Control& label, Color colour) {
  label.fontColorFromStyle = false;
  label.fontColor = colour;
}

}  // namespace

void showWelcomePage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  const Configuration& v = w.values;
  const bool dark = w.dark;
  w.pageIndex = 0;
  setInstallerCaption(app);

  Control& picture = f.Img_Installer_WelcomePage;
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::tall(v.mode, densityBucket(app.density())), picture);
  picture.dock(Align::Left, picture.picture ? picture.picture->width : 0).show();

  Control& divider = f.S_Installer_WelcomePage_Divider;
  divider.background = kDividerFill;
  divider.outline = kDividerOutline;
  divider.dock(Align::Left, 1, {0, app.scale(10), 0, app.scale(10)});
  divider.visible = dark;

  Control& column = f.P_Installer_WelcomePage_TextArea;
  column.background = dark ? kDefaultColor : Color(0xFFFFFF);
  column.dock(Align::Client).show();

  const Color text = kDefaultColor;
  placeLabel(app, f.Lbl_Installer_WelcomePage_Title, upper(v.projectFullName),
             {{u"Tahoma", 28, true, false}, 0xC80000, TextAlign::Center, true}, Align::Top, 90,
             {15, 5, 15, 5});
  placeLabel(app, f.Lbl_Installer_WelcomePage_SubTitle1,
             welcomeText(app, u"INSTALLER_WELCOME_PAGE_MISSION_SENTENCE"),
             {{u"Tahoma", 10, false, true}, text, TextAlign::Center, false}, Align::Top, 32,
             {15, 5, 15, 2});
  placeLabel(app, f.Lbl_Installer_WelcomePage_SubTitle2,
             welcomeText(app, u"INSTALLER_WELCOME_PAGE_MISSION_AUTHOR", false),
             {{u"Tahoma", 7, false, false}, text, TextAlign::Right, false}, Align::Top, 12,
             {15, 0, 15, 2});
  placeLabel(app, f.Lbl_Installer_WelcomePage_SubTitle3,
             welcomeText(app, u"INSTALLER_WELCOME_PAGE_TOP"),
             {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Top, 40,
             {15, 15, 15, 2});
  placeLabel(
      app, f.Lbl_Installer_WelcomePage_Info, welcomeText(app, u"INSTALLER_WELCOME_PAGE_CONTENT"),
      {{u"Tahoma", 8, false, false}, text, TextAlign::Left, false}, Align::Top, 55, {35, 2, 15, 5});
  placeLabel(app, f.Lbl_Installer_WelcomePage_Desc,
             welcomeText(app, u"INSTALLER_WELCOME_PAGE_DESC"),
             {{u"Tahoma", 8, false, true}, kSecondaryText, TextAlign::Left, true}, Align::Top, 55,
             {15, 5, 15, 2});
  f.Lbl_Installer_WelcomePage_Desc.textAtBottom = true;
  placeLabel(app, f.Lbl_Installer_WelcomePage_Next,
             welcomeText(app, u"INSTALLER_WELCOME_PAGE_NOTES"),
             {{u"Tahoma", 8, false, false}, text, TextAlign::Right, false}, Align::Bottom, 15,
             {15, 5, 15, 5});

  // The two lines under the picture: single lines sized to their text, so
  // that the link's hand cursor and click area cover its text only, placed
  // from the bottom of the page area as the footer leaves it.
  f.relayout();
  const int pageHeight = f.P_GUI_Installer.bounds.height;
  Control& copyright = f.Lbl_Installer_WelcomePage_Copyright;
  Control& product = f.Lbl_Installer_WelcomePage_LangPack;
  copyright.caption = v.projectCopyright;
  copyright.handCursor = true;
  product.caption = v.projectName + u" " + v.projectShortVersion + u" (" + v.mVersion + u")";
  for (Control* line : {&copyright, &product}) {
    line->font = {u"Tahoma", 7, false, false};
    line->fontColor = kSecondaryText;
    line->fontColorFromStyle = !dark;
    line->transparent = true;
    line->wordWrap = false;
    line->autoSize = true;
    line->align = Align::None;
    const Size extent = app.platform.measure.textExtent(line->font, line->caption, 0);
    line->bounds.width = extent.width;
    line->bounds.height = extent.height;
    line->bounds.left = app.scale(5);
  }
  copyright.bounds.top = pageHeight - app.scale(5) - copyright.bounds.height;
  product.bounds.top = copyright.bounds.top - app.scale(2) - product.bounds.height;
  copyright.show();
  product.show();

  const ThemeColours& colours = app.state.colours;
  copyright.onMouseEnter = [&copyright, c = colours.linkHover] { linkColour(copyright, c); };
  copyright.onMouseLeave = [&copyright, c = colours.linkNormal] { linkColour(copyright, c); };
  copyright.onClick = [&app, &copyright, c = colours.linkPressed] {
    linkColour(copyright, c);
    app.platform.shell.open(app.state.installer.values.projectHomePage);
  };

  const FooterCaptions& c = w.captions;
  setFooter(app, {{false, true, c.back}, {true, true, c.next}, {true, true, c.cancel}});
  f.P_Installer_WelcomePage.background = dark ? kDefaultColor : Color(0x202020);
  f.P_Installer_WelcomePage.dock(Align::Client).show();
}

}  // namespace lingvora
