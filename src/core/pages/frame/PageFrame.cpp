#include "pages/frame/PageFrame.h"

#include <algorithm>

#include "config/Config.h"
#include "images/Pictures.h"

namespace lingvora {

void layoutFooter(App& app) {
  MainForm& f = app.form;
  const bool dark = app.wizard().dark;
  const FooterCaptions& c = app.wizard().captions;
  Control& footer = f.P_GUI_Footer;
  footer.background = kButtonFaceColor;
  footer.dock(Align::Bottom, app.scale(46));
  f.B_GUI_Footer.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  f.B_GUI_Footer.dock(Align::Top, 1);

  const int buttonWidth = app.scale(75), buttonHeight = app.scale(25);
  // The footer spans the wizard's width; its height is fixed above.
  const int clientWidth = f.P_GUI.bounds.width;
  const int top = footer.bounds.height / 2 - buttonHeight / 2;
  Rect cancel{clientWidth - app.scale(10) - buttonWidth, top, buttonWidth, buttonHeight};
  Rect next{cancel.left - app.scale(10) - buttonWidth, top, buttonWidth, buttonHeight};
  Rect back{next.left - app.scale(1) - buttonWidth, top, buttonWidth, buttonHeight};
  // The label ends short of where Back stood before; the first time, Back
  // stands where this layout puts it.
  const bool placedBefore = f.Btn_GUI_Back.bounds.width > 0;
  const int oldBackLeft = placedBefore ? f.Btn_GUI_Back.bounds.left : back.left;

  Control& brand = f.Lbl_GUI_BrandingText;
  brand.fontColorFromStyle = !dark;
  brand.fontColor = kBrandingText;
  brand.font.points = 8;
  brand.transparent = true;
  brand.wordWrap = true;
  const int brandLeft = app.scale(10);
  brand.bounds = {brandLeft, app.scale(8), std::max(0, oldBackLeft - app.scale(20) - brandLeft),
                  app.scale(30)};
  brand.caption.clear();
  brand.hide();

  f.Btn_GUI_Cancel.bounds = cancel;
  f.Btn_GUI_Next.bounds = next;
  f.Btn_GUI_Back.bounds = back;
  f.Btn_GUI_Cancel.caption = c.cancel;
  f.Btn_GUI_Next.caption = c.next;
  f.Btn_GUI_Back.caption = c.back;
  for (Control* b : {&f.Btn_GUI_Back, &f.Btn_GUI_Next, &f.Btn_GUI_Cancel}) b->show();
  footer.show();
}

void setFooter(App& app, const Footer& footer) {
  MainForm& f = app.form;
  auto set = [](Control& b, const FooterButton& state) {
    b.visible = state.visible;
    b.enabled = state.enabled;
    b.caption = state.caption;
    b.fontColor = state.textColor;
    b.fontColorFromStyle = state.textColor == kDefaultColor;
  };
  set(f.Btn_GUI_Back, footer.back);
  set(f.Btn_GUI_Next, footer.next);
  set(f.Btn_GUI_Cancel, footer.cancel);
}

FooterButton hiddenButton(const Control& button) { return {false, false, button.caption}; }

namespace {

struct HeaderControls {
  Control &band, &bevel, &picture, &text, &title, &subtitle;
};

void showPageHeader(App& app, const WizardState& w, const HeaderControls& h, const Text& title,
                    const Text& subtitle) {
  const bool dark = w.dark;
  h.band.background = dark ? kDefaultColor : Color(0xFFFFFF);
  h.band.dock(Align::Top, app.scale(60)).show();

  h.bevel.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  h.bevel.dock(Align::Bottom, 1).show();

  Control& picture = h.picture;
  picture.picture.reset();
  picture.center = true;
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::header(w.values.mode, densityBucket(app.density())), picture);
  picture
      .dock(Align::Left, picture.picture ? picture.picture->width : 0,
            {app.scale(10), app.scale(5), 0, 0})
      .show();

  h.text.background = dark ? kDefaultColor : Color(0xFFFFFF);
  h.text.dock(Align::Client).show();

  Control& t = h.title;
  t.caption = title;
  t.font = {u"Tahoma", 8, true, false};
  t.transparent = t.wordWrap = true;
  // Eight points of text, at the screen's density.
  t.dock(Align::Top, app.scale(14), {app.scale(10), app.scale(12), app.scale(15), app.scale(1)})
      .show();

  Control& s = h.subtitle;
  s.caption = subtitle;
  s.font = {u"Tahoma", 8, false, false};
  s.fontColorFromStyle = !dark;
  s.fontColor = dark ? kSecondaryText : kDefaultColor;
  s.transparent = s.wordWrap = true;
  s.dock(Align::Client, -1, {app.scale(10), app.scale(1), app.scale(15), app.scale(5)}).show();
}

Size textSize(App& app, const Font& font, const Text& text) {
  if (!app.form.measure) return {0, app.scale(font.points + 4)};
  return app.form.measure->textExtent(font, text, 0);
}

// The copyright link: grey at rest, the hover colour under the pointer, red
// once clicked until the pointer leaves; its own colour in both themes.
void linkColour(Control& label, Color colour) {
  label.fontColorFromStyle = false;
  label.fontColor = colour;
}

}  // namespace

void setInstallerCaption(App& app) {
  app.form.caption =
      expandPlaceholders(app, readText(app, u"INSTALLER", u"INSTALLER_WINDOW_TITLE"));
}

void setUninstallerCaption(App& app) {
  app.form.caption =
      expandPlaceholders(app, readText(app, u"UNINSTALLER", u"UNINSTALLER_WINDOW_TITLE"));
}

void showInstallerPageHeader(App& app, const Text& title, const Text& subtitle) {
  MainForm& f = app.form;
  showPageHeader(app, app.state.installer,
                 {f.P_Installer_DefaultHeader, f.B_Installer_DefaultHeader,
                  f.Img_Installer_DefaultHeader, f.P_Installer_DefaultHeader_Text,
                  f.Lbl_Installer_DefaultHeader_Title, f.Lbl_Installer_DefaultHeader_SubTitle},
                 title, subtitle);
}

void showUninstallerPageHeader(App& app, const Text& title, const Text& subtitle) {
  MainForm& f = app.form;
  showPageHeader(app, app.state.uninstaller,
                 {f.P_Uninstaller_DefaultHeader, f.B_Uninstaller_DefaultHeader,
                  f.Img_Uninstaller_DefaultHeader, f.P_Uninstaller_DefaultHeader_Text,
                  f.Lbl_Uninstaller_DefaultHeader_Title, f.Lbl_Uninstaller_DefaultHeader_SubTitle},
                 title, subtitle);
}

int lineHeight(App& app, const Font& font) { return textSize(app, font, u"Ag").height; }

void placeColumnLabel(App& app, Control& label, const Text& text, const ColumnLabel& style,
                      Align dock, int height, Margins m) {
  label.caption = text;
  label.font = style.font;
  label.fontColor = style.color;
  label.fontColorFromStyle = !(app.wizard().dark && style.ownColour);
  label.textAlign = style.align;
  label.transparent = label.wordWrap = true;
  label.autoSize = false;
  label.enabled = true;
  label
      .dock(dock, height < 0 ? -1 : app.scale(height),
            {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)})
      .show();
}

void showFullHeightPage(App& app, const FullHeightPage& page) {
  WizardState& w = app.wizard();
  MainForm& f = app.form;
  const bool dark = w.dark;

  Control& picture = page.picture;
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::tall(w.values.mode, densityBucket(app.density())), picture);
  picture.dock(Align::Left, picture.picture ? picture.picture->width : 0).show();

  page.divider.background = kDividerFill;
  page.divider.outline = kDividerOutline;
  page.divider.dock(Align::Left, 1, {0, app.scale(10), 0, app.scale(10)});
  page.divider.visible = dark;

  page.column.background = dark ? kDefaultColor : Color(0xFFFFFF);
  page.column.dock(Align::Client).show();

  // The two lines under the picture, single lines sized to their text,
  // placed from the bottom of the page area as the footer leaves it.
  f.relayout();
  const int pageHeight = page.panel.parent->bounds.height;
  Control& copyright = page.copyright;
  Control& product = page.product;
  for (Control* line : {&copyright, &product}) {
    line->font = {u"Tahoma", 7, false, false};
    line->fontColor = kSecondaryText;
    line->fontColorFromStyle = !dark;
    line->transparent = true;
    line->wordWrap = false;
    line->autoSize = true;
    line->enabled = true;
    line->align = Align::None;
  }
  const Configuration& v = w.values;
  copyright.caption = v.projectCopyright;
  copyright.handCursor = true;
  const Size c = textSize(app, copyright.font, copyright.caption);
  copyright.bounds = {app.scale(5), pageHeight - app.scale(5) - c.height, c.width, c.height};
  copyright.show();
  product.caption = v.projectName + u" " + v.projectShortVersion + u" (" + v.mVersion + u")";
  const Size p = textSize(app, product.font, product.caption);
  product.bounds = {app.scale(5), copyright.bounds.top - app.scale(2) - c.height, p.width,
                    p.height};
  product.show();

  const ThemeColours& colours = app.state.colours;
  copyright.onMouseEnter = [&copyright, c = colours.linkHover] { linkColour(copyright, c); };
  copyright.onMouseLeave = [&copyright, c = colours.linkNormal] { linkColour(copyright, c); };
  copyright.onClick = [&app, &copyright, c = colours.linkPressed] {
    linkColour(copyright, c);
    app.platform.shell.open(app.wizard().values.projectHomePage);
  };

  page.panel.background = dark ? kDefaultColor : Color(0x202020);
  page.panel.dock(Align::Client).show();
}

void fillBrandingLabel(App& app) {
  WizardState& w = app.wizard();
  const Configuration& v = w.values;
  const Date d = app.platform.system.today();
  const Text compileDate = app.installerMode()
                               ? readText(app, u"INSTALLER", u"INSTALLER_COMPILE_DATE")
                               : readText(app, u"UNINSTALLER", u"UNINSTALLER_COMPILE_DATE");
  Control& label = app.form.Lbl_GUI_BrandingText;
  label.caption = v.projectName + u" " + v.projectShortVersion + u" (" + v.mVersion + u")" +
                  Text(kBreak) + expandPlaceholders(app, compileDate) + u" " + twoDigits(d.day) +
                  u"." + twoDigits(d.month) + u"." + decimal(d.year);
  label.show();
}

}  // namespace lingvora
