#include "config/Config.h"

#include "config/StartupErrors.h"

namespace lingvora {
namespace {

Text applyAddressRule(const WizardState& w, Text address) {
  return w.languageId == u"1045" ? address : replaceFirst(address, u".php", u"_en.php");
}

void readValues(App& app, WizardState& w) {
  const IniDocument& ini = w.config;
  Configuration& v = w.values;
  const bool installer = app.installerMode();
  auto get = [&](TextView section, TextView key, TextView fallback = u"") {
    return ini.readString(section, key, fallback);
  };
  auto address = [&](TextView key) { return applyAddressRule(w, get(u"PROJECT", key)); };

  if (installer) v.donation = ini.readBool(u"MODE", u"Donation", true);
  v.mode = get(u"NAME", u"MODE", u"WINAMP");
  if (installer)
    v.iName = get(u"NAME", u"iNAME");
  else
    v.uName = get(u"NAME", u"uNAME");
  v.mVersion = get(u"NAME", u"mVERSION");
  v.projectName = get(u"PROJECT", u"ProjectName");
  v.projectFullName = get(u"PROJECT", u"ProjectFullName");
  v.projectRegName = get(u"PROJECT", u"ProjectRegName");
  v.projectShortVersion = get(u"PROJECT", u"ProjectShortVersion");
  v.projectFullVersion = get(u"PROJECT", u"ProjectFullVersion");
  v.projectAuthor = get(u"PROJECT", u"ProjectAuthor");
  // Expanded at once: the licence and the copyright itself are still empty here.
  v.projectCopyright = expandPlaceholders(app, get(u"PROJECT", u"ProjectCopyright"));
  v.projectLicense = get(u"PROJECT", u"ProjectLicense");
  v.projectEmail = get(u"PROJECT", u"ProjectEmail");
  v.projectWebsite = address(u"ProjectWebsite");
  v.projectHomePage = address(u"ProjectHomePage");
  v.projectDownloadPage = address(u"ProjectDownloadPage");
  v.projectInfoPage = address(u"ProjectInfoPage");
  v.projectDonatePage = address(u"ProjectDonatePage");
  v.projectDonatePayPal = get(u"PROJECT", u"ProjectDonatePayPal");
}

void detectAndApplyTheme(App& app, WizardState& w) {
  w.dark = wantsDarkTheme(app.platform.registry, app.platform.system);
  applyTheme(app.styles, w.dark, app.installerMode());
}

}  // namespace

std::optional<IniDocument> openIniDocument(App& app, const Text& path) {
  auto bytes = app.platform.files.readWhole(path);
  if (!bytes) return std::nullopt;
  return IniDocument::parse(*bytes, app.platform.system.ansiCodePage());
}

bool saveIniDocument(App& app, const IniDocument& doc, const Text& path) {
  return app.platform.files.replaceWhole(path, doc.serialize(app.platform.system.ansiCodePage()));
}

void loadConfiguration(App& app) {
  WizardState& w = app.wizard();
  FileSystem& files = app.platform.files;
  w.configPath = joinPath(w.programDirectory, u"GUI.ini");
  // Both progress pages hand their directory to the engine through DATA.ini.
  w.dataPath = joinPath(w.programDirectory, u"DATA.ini");
  w.libraryPath = joinPath(w.programDirectory, u"Pixora.dll");

  auto config = files.fileExists(w.configPath) ? openIniDocument(app, w.configPath) : std::nullopt;
  if (!config) {
    w.pendingExitCode = 1;
    detectAndApplyTheme(app, w);
    configurationMissing(app);
  }
  w.config = std::move(*config);
  w.languageId = w.config.readString(u"LANG", u"Lang", u"1045");
  w.localePath = joinPath(w.programDirectory, w.languageId + u".ini");
  readValues(app, w);

  detectAndApplyTheme(app, w);
  app.state.colours = deriveThemeColours(app.styles, w.dark);

  auto locale = files.fileExists(w.localePath) ? openIniDocument(app, w.localePath) : std::nullopt;
  if (!locale) {
    w.pendingExitCode = 2;
    localizedTextMissing(app);
  }
  w.locale = std::move(*locale);

  if (!files.fileExists(w.libraryPath)) {
    w.pendingExitCode = 3;
    imageLibraryMissing(app);
  }
  if (app.installerMode()) {
    const OsVersion os = app.platform.system.osVersion();
    if (os.major < 6 && os.build < 7600) {
      w.pendingExitCode = 4;
      systemNotSupported(app);
    }
  }
}

Text readText(App& app, TextView section, TextView key) {
  if (app.onTextRead) app.onTextRead(section, key);
  return app.wizard().locale.readString(section, key);
}

Text expandPlaceholders(App& app, TextView text) {
  WizardState& w = app.wizard();
  const Configuration& v = w.values;
  Text t(text);
  t = replaceAll(t, u"${WINAMP_VERSION}", v.mVersion);
  t = replaceAll(t, u"${CURRENT_VERSION}", w.record.Version);
  t = replaceAll(t, u"${PROJECT_VERSION}", v.projectShortVersion);
  t = replaceAll(t, u"${PROJECT_AUTHOR}", v.projectAuthor);
  t = replaceAll(t, u"${PROJECT_COPYRIGHT}", v.projectCopyright);
  t = replaceAll(t, u"${PROJECT_LICENSE}", v.projectLicense);
  t = replaceAll(t, u"%Y", decimal(app.platform.system.today().year));
  // The localized texts write line feed as $\r and carriage return as $\n.
  t = replaceAll(t, u"$\\r", u"\n");
  t = replaceAll(t, u"$\\n", u"\r");
  return t;
}

}  // namespace lingvora
