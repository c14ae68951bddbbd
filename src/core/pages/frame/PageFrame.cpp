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
  };
  set(f.Btn_GUI_Back, footer.back);
  set(f.Btn_GUI_Next, footer.next);
  set(f.Btn_GUI_Cancel, footer.cancel);
}

FooterButton hiddenButton(const Control& button) { return {false, false, button.caption}; }

void setInstallerCaption(App& app) {
  app.form.caption =
      expandPlaceholders(app, readText(app, u"INSTALLER", u"INSTALLER_WINDOW_TITLE"));
}

void showInstallerPageHeader(App& app, const Text& title, const Text& subtitle) {
  MainForm& f = app.form;
  const WizardState& w = app.state.installer;
  const bool dark = w.dark;
  Control& band = f.P_Installer_DefaultHeader;
  band.background = dark ? kDefaultColor : Color(0xFFFFFF);
  band.dock(Align::Top, app.scale(60)).show();

  Control& bevel = f.B_Installer_DefaultHeader;
  bevel.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  bevel.dock(Align::Bottom, 1).show();

  Control& picture = f.Img_Installer_DefaultHeader;
  picture.picture.reset();
  picture.center = true;
  loadPicture(app.platform.images, w.libraryPath,
              pictureName::header(w.values.mode, densityBucket(app.density())), picture);
  picture
      .dock(Align::Left, picture.picture ? picture.picture->width : 0,
            {app.scale(10), app.scale(5), 0, 0})
      .show();

  Control& text = f.P_Installer_DefaultHeader_Text;
  text.background = dark ? kDefaultColor : Color(0xFFFFFF);
  text.dock(Align::Client).show();

  Control& t = f.Lbl_Installer_DefaultHeader_Title;
  t.caption = title;
  t.font = {u"Tahoma", 8, true, false};
  t.transparent = t.wordWrap = true;
  // Eight points of text, at the screen's density.
  t.dock(Align::Top, app.scale(14), {app.scale(10), app.scale(12), app.scale(15), app.scale(1)})
      .show();

  Control& s = f.Lbl_Installer_DefaultHeader_SubTitle;
  s.caption = subtitle;
  s.font = {u"Tahoma", 8, false, false};
  s.fontColorFromStyle = !dark;
  s.fontColor = dark ? kSecondaryText : kDefaultColor;
  s.transparent = s.wordWrap = true;
  s.dock(Align::Client, -1, {app.scale(10), app.scale(1), app.scale(15), app.scale(5)}).show();
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
