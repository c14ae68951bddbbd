#include "pages/installer/Installer_Donation_Page.h"

#include <algorithm>
#include <array>

#include "config/Config.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

constexpr TextView kSection = u"INSTALLER_DONATION_PAGE";
constexpr int kPageNumber = 6;
// The bar moves 5 every 50 ms: 100 a second, nine seconds in all.
constexpr int kCountdownEnd = 900, kCountdownStep = 5, kSecond = 100, kTickMs = 50;
constexpr Color kClickedLink = 0xD40000;

Text pageText(App& app, TextView key) {
  return expandPlaceholders(app, readText(app, kSection, Text(kSection) + Text(key)));
}

// Next with the seconds still to wait: "(9)" in the first second, "(1)" in
// the ninth.
Text countdownCaption(App& app, int position) {
  const int left = (kCountdownEnd - position + kSecond - 1) / kSecond;
  return app.state.installer.captions.next + u" (" + decimal(left) + u")";
}

void place(Control& c, int left, int top, int width, int height) {
  c.align = Align::None;
  c.bounds = {left, top, std::max(0, width), std::max(0, height)};
  c.show();
}

// A transparent, fixed-size label; ownColour: it keeps its colour under
// the dark style.
Control& label(App& app, Control& c, const Text& text, const Font& font, TextAlign align,
               Color colour, bool ownColour) {
  c.caption = text;
  c.font = font;
  c.textAlign = align;
  c.fontColor = colour;
  c.fontColorFromStyle = !(app.state.installer.dark && ownColour);
  c.transparent = true;
  c.wordWrap = c.autoSize = c.handCursor = false;
  c.enabled = true;
  return c;
}

std::array<Control*, 3> bankValues(MainForm& f) {
  return {&f.Lbl_Installer_DonationPage_BankRecipient,
          &f.Lbl_Installer_DonationPage_BankAdditionalNotes,
          &f.Lbl_Installer_DonationPage_BankAccountNumber};
}

// The three values are one link: they change colour together.
void colourBankValues(App& app, Color colour) {
  for (Control* c : bankValues(app.form)) c->fontColor = colour;
}

using PictureName = Text (*)(TextView bucket);

void showPayPal(App& app, PictureName name) {
  Control& img = app.form.Img_Installer_DonationPage_PayPal;
  loadPicture(app.platform.images, app.state.installer.libraryPath,
              name(densityBucket(app.density())), img);
  if (img.picture) {
    img.bounds.width = img.picture->width;
    img.bounds.height = img.picture->height;
  }
}

// At rest the light theme shows the active button, the dark theme the plain one.
PictureName payPalAtRest(App& app) {
  return app.state.installer.dark ? pictureName::payPalNormal : pictureName::payPalActive;
}

void openIfAny(App& app, const Text& address) {
  if (!address.empty()) app.platform.shell.open(address);
}

void connectHandlers(App& app) {
  MainForm& f = app.form;
  const ThemeColours colours = app.state.colours;
  for (Control* c : bankValues(f)) {
    c->onMouseEnter = [&app, colours] { colourBankValues(app, colours.linkHover); };
    c->onMouseLeave = [&app, colours] { colourBankValues(app, colours.labelText); };
    c->onClick = [&app] {
      colourBankValues(app, kClickedLink);
      openIfAny(app, app.state.installer.values.projectDonatePage);
    };
  }
  Control& payPal = f.Img_Installer_DonationPage_PayPal;
  payPal.onMouseEnter = [&app] { showPayPal(app, pictureName::payPalActive); };
  payPal.onMouseLeave = [&app] { showPayPal(app, payPalAtRest(app)); };
  payPal.onClick = [&app] {
    showPayPal(app, pictureName::payPalClick);
    openIfAny(app, app.state.installer.values.projectDonatePayPal);
  };
}

void countdownTick(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  // The timer belongs to its page: once the page is gone or the countdown
  // is over, a tick that still arrives leaves the footer alone.
  if (w.pageIndex != kPageNumber || !f.P_Installer_DonationPage.visible ||
      w.donationCountdown >= kCountdownEnd) {
    stopDonationCountdown(app);
    return;
  }
  w.donationCountdown = std::min(kCountdownEnd, w.donationCountdown + kCountdownStep);
  f.PB_Installer_DonationPage.position = w.donationCountdown;
  Control& next = f.Btn_GUI_Next;
  if (w.donationCountdown < kCountdownEnd) {
    next.caption = countdownCaption(app, w.donationCountdown);
    return;
  }
  stopDonationCountdown(app);
  next.caption = w.captions.next;
  next.enabled = true;
}

// Title, shadow, subtitle, divider and the text about the project; gives
// the top of what follows.
int layoutHeading(App& app, int width) {
  MainForm& f = app.form;
  const bool dark = app.state.installer.dark;
  auto s = [&app](int length) { return app.scale(length); };
  const Text title = pageText(app, u"_TITLE");
  const Font titleFont{u"Tahoma", 30, true, false};
  const int titleHeight = lineHeight(app, titleFont);
  place(label(app, f.Lbl_Installer_DonationPage_TitleShadow, title, titleFont, TextAlign::Center,
              dark ? Color(0x000000) : kWindowTextColor, true),
        s(16), s(11), width, titleHeight);
  place(label(app, f.Lbl_Installer_DonationPage_Title, title, titleFont, TextAlign::Center,
              dark ? Color(0x820000) : Color(0xD40000), true),
        s(15), s(10), width, titleHeight);

  const Font subtitleFont{u"Tahoma", 22, true, false};
  const int subtitleTop = s(10) + titleHeight;
  const int subtitleHeight = lineHeight(app, subtitleFont);
  place(label(app, f.Lbl_Installer_DonationPage_SubTitle, pageText(app, u"_SUBTITLE"), subtitleFont,
              TextAlign::Center, app.state.colours.labelText, true),
        s(15), subtitleTop, width, subtitleHeight);

  Control& divider = f.S_Installer_DonationPage_Divider;
  divider.background = 0x252525;
  divider.outline = 0x363636;
  const int dividerTop = subtitleTop + subtitleHeight + s(10);
  place(divider, s(15), dividerTop, width, 1);

  Control& info =
      label(app, f.Lbl_Installer_DonationPage_ProjectInfo, pageText(app, u"_TEXT_TOP"),
            {u"Tahoma", 9, false, false}, TextAlign::Left, app.state.colours.labelText, true);
  info.wordWrap = true;
  const int infoTop = dividerTop + 1 + s(10);
  place(info, s(15), infoTop, width, s(115));
  return infoTop + s(115) + s(10);
}

// The framed box with the bank transfer's data and the PayPal button.
void layoutPayment(App& app, int top, int width, int clientWidth) {
  MainForm& f = app.form;
  const WizardState& w = app.state.installer;
  const bool dark = w.dark;
  auto s = [&app](int length) { return app.scale(length); };

  Control& frame = f.S_Installer_DonationPage_Frame;
  frame.background = frame.outline = dark ? Color(0x252525) : kButtonFaceColor;
  place(frame, s(15), top, width, s(90));
  // Labels show their parent's colour, not the frame's: those over the
  // frame carry its fill themselves.
  auto onFrame = [&](Control& c) -> Control& {
    c.transparent = false;
    c.background = frame.background;
    return c;
  };

  const Font plain{u"Tahoma", 8, false, false}, bold{u"Tahoma", 8, true, false};
  const Color text = app.state.colours.labelText;
  const int row = lineHeight(app, plain);
  const int headingTop = top + s(10);
  place(onFrame(label(app, f.Lbl_Installer_DonationPage_BankData, pageText(app, u"_BANK_DATA"),
                      bold, TextAlign::Left, text, false)),
        s(25), headingTop, s(270), row);

  struct Row {
    Control &desc, &value;
    TextView descKey;
    Text shown;
  } rows[] = {
      {f.Lbl_Installer_DonationPage_BankRecipient_Desc, f.Lbl_Installer_DonationPage_BankRecipient,
       u"_RECIPIENT", w.values.projectAuthor},
      {f.Lbl_Installer_DonationPage_BankAdditionalNotes_Desc,
       f.Lbl_Installer_DonationPage_BankAdditionalNotes, u"_BANK_NOTES", w.values.projectFullName},
      {f.Lbl_Installer_DonationPage_BankAccountNumber_Desc,
       f.Lbl_Installer_DonationPage_BankAccountNumber, u"_ACCOUNT_NUMBER",
       Text(kDonationAccountNumber)},
  };
  int rowTop = headingTop + row + s(5);
  for (Row& r : rows) {
    place(
        onFrame(label(app, r.desc, pageText(app, r.descKey), plain, TextAlign::Left, text, false)),
        s(25), rowTop, s(105), row);
    Control& value = onFrame(label(app, r.value, r.shown, bold, TextAlign::Left, text, true));
    value.handCursor = true;
    place(value, s(25) + s(105) + s(5), rowTop, s(215), row);
    rowTop += row + s(3);
  }

  place(onFrame(label(app, f.Lbl_Installer_DonationPage_PayPalData, pageText(app, u"_PAYPAL_DATA"),
                      bold, TextAlign::Right, text, false)),
        clientWidth - s(20) - s(220), headingTop, s(220), row);

  Control& payPal = f.Img_Installer_DonationPage_PayPal;
  payPal.picture.reset();
  payPal.center = true;
  payPal.stretch = false;
  payPal.handCursor = true;
  place(payPal, s(380), top + s(30), 0, 0);
  showPayPal(app, payPalAtRest(app));
}

}  // namespace

void showDonationPage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = kPageNumber;
  setInstallerCaption(app);

  const int clientWidth = f.P_GUI.bounds.width;
  const int width = clientWidth - app.scale(30);
  layoutPayment(app, layoutHeading(app, width), width, clientWidth);
  Control& bar = f.PB_Installer_DonationPage;
  bar.smooth = true;
  bar.minimum = 0;
  bar.maximum = kCountdownEnd;
  bar.step = 1;
  bar.dock(Align::Bottom, app.scale(12),
           {app.scale(15), app.scale(5), app.scale(15), app.scale(10)})
      .show();
  connectHandlers(app);

  const FooterCaptions& c = w.captions;
  setFooter(app, {{false, false, c.back}, {true, false, c.next}, {true, false, c.cancel}});
  f.P_Installer_DonationPage.background = kButtonFaceColor;
  f.P_Installer_DonationPage.dock(Align::Client).show();

  w.donationCountdown = 0;
  bar.position = 0;
  Control& timer = f.TimerDonation;
  timer.onTimer = [&app] { countdownTick(app); };
  if (w.values.donation) {
    timer.interval = kTickMs;
    f.Btn_GUI_Next.caption = countdownCaption(app, 0);
    timer.enabled = true;
  } else {
    stopDonationCountdown(app);
    f.Btn_GUI_Next.caption = c.next;
    f.Btn_GUI_Next.enabled = true;
  }
}

void stopDonationCountdown(App& app) { app.form.TimerDonation.enabled = false; }

}  // namespace lingvora
