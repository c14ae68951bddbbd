#include "pages/language/Language_Dialog.h"

#include <algorithm>
#include <array>

#include "config/Config.h"
#include "images/Pictures.h"

namespace lingvora {
namespace {

constexpr std::uint16_t kEnglish = 1033;
// Locale fields: identifier in hexadecimal, name in the system's language,
// native language and country names, English language and country names.
constexpr std::uint32_t kHexId = 1, kLocalizedName = 2, kNativeName = 4, kNativeCountry = 8,
                        kEnglishName = 0x1001, kEnglishCountry = 0x1002;
// Designed at 96 dots per inch: the flag under the list, the four rows
// beside it, one line each.
constexpr int kFlagLeft = 11, kFlagTop = 59, kFlagSize = 48;
constexpr int kRowsLeft = 70, kRowHeight = 13, kValueGap = 10;

struct Row {
  Control& caption;
  Control& value;
};

std::array<Row, 4> rows(MainForm& f) {
  return {Row{f.Lbl_Lang_Name_Desc, f.Lbl_Lang_Name},
          Row{f.Lbl_Lang_Country_Desc, f.Lbl_Lang_Country},
          Row{f.Lbl_Lang_Lang_Desc, f.Lbl_Lang_Lang},
          Row{f.Lbl_Lang_Translator_Desc, f.Lbl_Lang_Translator}};
}

Margins scaled(const App& app, Margins m) {
  return {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)};
}

// A one-line label sized to its text, in its own colour when it has one.
void styleLabel(Control& label, bool bold, Color colour) {
  label.font = {u"Tahoma", 8, bold, false};
  label.fontColor = colour;
  label.fontColorFromStyle = colour == kDefaultColor;
  label.transparent = true;
  label.autoSize = true;
  label.wordWrap = false;
}

void layOutDialog(App& app) {
  MainForm& f = app.form;
  const bool dark = app.state.installer.dark;
  styleLabel(f.Lbl_Lang_Subtitle, false, kDefaultColor);
  f.Lbl_Lang_Subtitle.dock(Align::Top, -1, scaled(app, {10, 10, 10, 0})).show();
  f.CB_Lang_Languages.dock(Align::Top, app.scale(21), scaled(app, {10, 4, 10, 0})).show();

  f.P_Lang_Footer.dock(Align::Bottom, app.scale(40)).show();
  f.B_Lang_Footer.bevelShape = dark ? BevelShape::BottomLine : BevelShape::TopLine;
  f.B_Lang_Footer.dock(Align::Top, 1).show();
  Control& help = f.Lbl_Lang_Help;
  styleLabel(help, true, kErrorText);
  help.font.points = 10;
  help.centerVertically = true;
  help.dock(Align::Left, -1, scaled(app, {10, 0, 0, 0}));
  f.Btn_Lang_Cancel.dock(Align::Right, app.scale(100), scaled(app, {0, 7, 10, 7})).show();
  f.Btn_Lang_OK.dock(Align::Right, app.scale(100), scaled(app, {0, 7, 6, 7})).show();
  f.Btn_GUI_Next.defaultButton = false;
  f.Btn_Lang_OK.defaultButton = true;

  Control& desc = f.Lbl_Lang_Desc;
  desc.font = {u"Tahoma", 8, false, false};
  desc.fontColor = kSecondaryText;
  desc.fontColorFromStyle = false;
  desc.transparent = desc.wordWrap = true;
  desc.dock(Align::Bottom, app.scale(42), scaled(app, {10, 0, 10, 6})).show();

  Control& flag = f.Img_Lang_Flag;
  flag.align = Align::None;
  flag.center = true;
  flag.bounds = {app.scale(kFlagLeft), app.scale(kFlagTop), app.scale(kFlagSize),
                 app.scale(kFlagSize)};
  flag.show();
  Control& frame = f.S_Lang_Flag;
  frame.align = Align::None;
  frame.background = kButtonFaceColor;
  frame.outline = 0x808080;
  frame.show();

  int top = kFlagTop;
  for (const Row& row : rows(f)) {
    styleLabel(row.caption, false, kSecondaryText);
    styleLabel(row.value, true, kDefaultColor);
    for (Control* label : {&row.caption, &row.value}) {
      label->align = Align::None;
      label->bounds.top = app.scale(top);
      label->show();
    }
    row.caption.bounds.left = app.scale(kRowsLeft);
    top += kRowHeight;
  }
}

// What the controls show when no language fills them.
void showBuiltInTexts(App& app) {
  MainForm& f = app.form;
  f.caption = app.state.applicationTitle;
  f.Lbl_Lang_Subtitle.caption = u"...";
  f.Lbl_Lang_Name_Desc.caption = u"Language Name:";
  f.Lbl_Lang_Country_Desc.caption = u"Language Country:";
  f.Lbl_Lang_Lang_Desc.caption = u"Language ID:";
  f.Lbl_Lang_Translator_Desc.caption = u"Translator Name:";
  for (const Row& row : rows(f)) row.value.caption = u"-----";
  f.Lbl_Lang_Desc.caption = u"---";
  f.Lbl_Lang_Help.caption = u"Translation Help";
  f.Lbl_Lang_Help.hide();  // it has no address to open
  f.Btn_Lang_OK.caption = u"&OK";
  f.Btn_Lang_Cancel.caption = u"&Close";
}

// The values start after the widest caption.
void placeValues(App& app) {
  MainForm& f = app.form;
  int widest = 0;
  for (const Row& row : rows(f))
    widest = std::max(
        widest, app.platform.measure.textExtent(row.caption.font, row.caption.caption, 0).width);
  for (const Row& row : rows(f)) row.value.bounds.left = app.scale(kRowsLeft + kValueGap) + widest;
}

void fillList(App& app) {
  ProcessState& s = app.state;
  Control& list = app.form.CB_Lang_Languages;
  const auto doc = openIniDocument(app, s.languageListPath);
  s.languages = offeredLanguages(doc ? *doc : IniDocument{});
  list.entries.clear();
  list.selected = s.languages.empty() ? -1 : 0;
  for (const LanguageOffer& offer : s.languages) {
    if (offer.id == s.userInterfaceLanguage) list.selected = int(list.entries.size());
    // The built-in entry has no section, and shows its number.
    list.entries.push_back({offer.section.empty()
                                ? decimal(offer.id)
                                : app.platform.locale.localeText(offer.id, kLocalizedName),
                            offer.id});
  }
}

Text nameLine(Locale& locale, std::uint16_t n) {
  if (n == kEnglish) return locale.localeText(n, kEnglishName);
  const Text native = locale.localeText(n, kNativeName);
  const Text head = native.empty() ? Text()
                                   : locale.upperCase(n, native.substr(0, 1)) +
                                         locale.lowerCase(n, native.substr(1));
  return head + u" (" + locale.localeText(n, kEnglishName) + u")";
}

Text countryLine(Locale& locale, std::uint16_t n) {
  if (n == kEnglish) return locale.localeText(n, kEnglishCountry);
  return locale.localeText(n, kNativeCountry) + u" (" + locale.localeText(n, kEnglishCountry) +
         u")";
}

Text identifierLine(Locale& locale, std::uint16_t n) {
  Text line = decimal(n) + u" (" + locale.localeText(n, kHexId) + u")";
  const Text name = locale.localeName(n);
  if (!name.empty()) line += u" [" + name + u"]";
  return line;
}

bool translatorIsLink(App& app) {
  return app.form.Lbl_Lang_Translator.caption != u"-" && !app.state.translatorAddress.empty();
}

void linkColour(Control& label, Color colour, bool hand) {
  label.fontColorFromStyle = false;
  label.fontColor = colour;
  label.handCursor = hand;
}

void showTranslator(App& app, const Text& name, const Text& address) {
  Control& t = app.form.Lbl_Lang_Translator;
  t.caption = name;
  app.state.translatorAddress = address;
  t.font.bold = name != u"-";
  t.handCursor = false;
  if (translatorIsLink(app)) {
    linkColour(t, app.state.colours.labelText, false);
  } else {
    t.fontColorFromStyle = true;
    t.fontColor = kDefaultColor;
  }
}

void connectLinks(App& app) {
  MainForm& f = app.form;
  Control& t = f.Lbl_Lang_Translator;
  const ThemeColours& c = app.state.colours;
  t.onMouseEnter = [&app, &t, &c] {
    if (translatorIsLink(app)) linkColour(t, c.linkHover, true);
  };
  t.onMouseLeave = [&app, &t, &c] {
    if (translatorIsLink(app)) linkColour(t, c.labelText, false);
  };
  t.onClick = [&app, &t, &c] {
    if (!translatorIsLink(app)) return;
    linkColour(t, c.linkPressed, true);
    app.platform.shell.open(u"mailto:" + app.state.translatorAddress);
  };
  Control& help = f.Lbl_Lang_Help;
  help.onMouseEnter = [&help, &c] { linkColour(help, c.linkHover, true); };
  help.onMouseLeave = [&help] { linkColour(help, kErrorText, false); };
  help.onClick = [&app, &help, &c] {
    linkColour(help, c.linkPressed, true);
    app.platform.shell.open(app.state.helpAddress);
  };
  f.CB_Lang_Languages.onChange = [&app] { languagesClick(app); };
}

bool offersUserLanguage(const ProcessState& s) {
  return std::any_of(s.languages.begin(), s.languages.end(),
                     [&](const LanguageOffer& o) { return o.id == s.userInterfaceLanguage; });
}

void showDescription(App& app, const IniDocument& doc, const LanguageOffer& offer) {
  ProcessState& s = app.state;
  MainForm& f = app.form;
  auto key = [&](TextView k) {
    if (app.onTextRead) app.onTextRead(offer.section, k);
    return doc.readString(offer.section, k);
  };
  const bool offered = offersUserLanguage(s);
  const Text userLanguage = app.platform.locale.localeText(s.userInterfaceLanguage, kLocalizedName);
  f.Lbl_Lang_Desc.caption =
      key(u"Desc1") + u" " + userLanguage + u". " + key(offered ? u"Desc2" : u"Desc3");
  s.helpAddress = offered ? Text() : key(u"Desc5");
  Control& help = f.Lbl_Lang_Help;
  help.caption = app.platform.locale.upperCase(offer.id, key(u"Desc4"));
  linkColour(help, kErrorText, false);
  help.visible = !s.helpAddress.empty();
}

void showFlag(App& app, std::uint16_t id) {
  MainForm& f = app.form;
  Control& flag = f.Img_Lang_Flag;
  // A language without a flag shows none rather than the previous one's.
  flag.picture.reset();
  loadPicture(app.platform.images, app.state.installer.libraryPath,
              pictureName::flag(decimal(id), densityBucket(app.density())), flag);
  if (flag.picture) {
    flag.bounds.width = flag.picture->width;
    flag.bounds.height = flag.picture->height;
  } else {
    flag.bounds.width = flag.bounds.height = app.scale(kFlagSize);
  }
  const int one = app.scale(1);
  f.S_Lang_Flag.bounds = {flag.bounds.left - one, flag.bounds.top - one,
                          flag.bounds.width + 2 * one, flag.bounds.height + 2 * one};
}

}  // namespace

std::vector<LanguageOffer> offeredLanguages(const IniDocument& list) {
  const std::vector<Text> sections = list.sectionNames();
  if (sections.empty()) return {{kEnglish, {}}};
  std::vector<LanguageOffer> offers;
  for (const Text& section : sections) {
    long long n = 0;
    if (!list.find(section, u"Title") || !parseInteger(section, n) || n < 2 || n > 0xFFFF) continue;
    const auto id = static_cast<std::uint16_t>(n);
    if (std::none_of(offers.begin(), offers.end(),
                     [id](const LanguageOffer& o) { return o.id == id; }))
      offers.push_back({id, section});
  }
  return offers;
}

void buildLanguageDialog(App& app) {
  ProcessState& s = app.state;
  WizardState& w = s.installer;
  MainForm& f = app.form;
  f.style = WindowStyle::Dialog;
  f.minHeight = f.height = app.scale(250);
  f.minWidth = f.width = app.scale(450);
  f.P_GUI.hide();
  f.P_Lang.dock(Align::Client).show();
  w.libraryPath = joinPath(app.platform.system.executableDirectory(), u"Pixora.dll");

  w.dark = wantsDarkTheme(app.platform.registry, app.platform.system);
  applyTheme(app.styles, w.dark, app.installerMode());
  s.colours = deriveThemeColours(app.styles, w.dark);

  s.userInterfaceLanguage = app.platform.locale.userInterfaceLanguage();
  s.userInterfaceLanguageText = decimal(s.userInterfaceLanguage);
  layOutDialog(app);
  showBuiltInTexts(app);
  connectLinks(app);
  fillList(app);
  s.languageResult = 1;
  placeValues(app);
  const ClientSize client = app.platform.system.clientSize(f.width, f.height);
  f.layoutClient(client.width, client.height);
}

void languagesClick(App& app) {
  ProcessState& s = app.state;
  MainForm& f = app.form;
  Control& list = f.CB_Lang_Languages;
  if (list.selected < 0 || list.selected >= int(s.languages.size())) return;
  const LanguageOffer offer = s.languages[std::size_t(list.selected)];
  const std::uint16_t n = offer.id;
  // Read anew for every choice; a file gone meanwhile gives the defaults.
  const IniDocument doc = openIniDocument(app, s.languageListPath).value_or(IniDocument{});
  auto key = [&](TextView k, TextView fallback) {
    if (app.onTextRead) app.onTextRead(offer.section, k);
    return doc.readString(offer.section, k, fallback);
  };

  f.caption = key(u"Title", u"Language Selection");
  f.Lbl_Lang_Subtitle.caption = key(u"SubTitle", u"Please Select Language:");
  f.Btn_Lang_OK.caption = key(u"OK", u"&OK");
  f.Btn_Lang_Cancel.caption = key(u"Cancel", u"&Cancel");
  f.Lbl_Lang_Name_Desc.caption = key(u"Name", u"Language Name:");
  f.Lbl_Lang_Country_Desc.caption = key(u"Country", u"Language Country:");
  f.Lbl_Lang_Lang_Desc.caption = key(u"ID", u"Lang ID:");
  f.Lbl_Lang_Translator_Desc.caption = key(u"Translator", u"Translator:");

  Locale& locale = app.platform.locale;
  f.Lbl_Lang_Name.caption = nameLine(locale, n);
  f.Lbl_Lang_Country.caption = countryLine(locale, n);
  f.Lbl_Lang_Lang.caption = identifierLine(locale, n);
  showTranslator(app, key(u"TranslatorName", u"-"), key(u"TranslatorEmail", u""));
  showDescription(app, doc, offer);
  showFlag(app, n);
  placeValues(app);
  f.focusRequest = &list;
  f.relayout();
}

void chooseLanguage(App& app) {
  const Control& list = app.form.CB_Lang_Languages;
  const bool chosen = list.selected >= 0 && list.selected < int(list.entries.size());
  app.state.languageResult = chosen ? list.entries[std::size_t(list.selected)].value : kEnglish;
}

void cancelLanguage(App& app) { app.state.languageResult = 1; }

}  // namespace lingvora
