#include "engine/Exchange.h"

#include <stdexcept>

#include "config/Config.h"

namespace lingvora {

bool writeInstallDirToDataIni(App& app, const Text& dataPath, const Text& directory) {
  // A relative path would land wherever the engine's working directory is.
  if (!isFullyQualifiedPath(dataPath)) return false;
  IniDocument doc;
  if (app.platform.files.fileExists(dataPath)) {
    auto read = openIniDocument(app, dataPath);
    if (!read) return false;
    doc = std::move(*read);
  }
  doc.write(u"SYSTEM", u"InstallDir", directory);
  return saveIniDocument(app, doc, dataPath);
}

namespace {

// A line break would end the value early and start a key of its own; a NUL
// ends the line for many readers. Version strings may hold either.
Text oneLine(TextView value) {
  Text t(value);
  for (char16_t& c : t)
    if (c == u'\r' || c == u'\n' || c == u'\0') c = u' ';
  return t;
}

}  // namespace

void writeInfoSection(App& app, WizardState& w) {
  WinampRecord r = w.record;
  for (Text* t : {&r.InstallDir, &r.ExeFileName, &r.PathsConfig, &r.ConfigDir, &r.ConfigFile,
                  &r.SkinsDir, &r.PluginsDir, &r.LangPackDir, &r.Version, &r.CompanyName,
                  &r.FileVersion, &r.LegalCopyright, &r.ProductName, &r.ProductVersion})
    *t = oneLine(*t);
  IniDocument& ini = w.config;
  auto flag = [](bool b) { return b ? u"1" : u"0"; };
  ini.write(u"INFO", u"InstallDir", r.InstallDir);
  ini.write(u"INFO", u"ExeFileName", r.ExeFileName);
  ini.write(u"INFO", u"WacupType", flag(r.WacupType));
  ini.write(u"INFO", u"OSPortable", flag(r.OSPortable));
  ini.write(u"INFO", u"Portable", flag(r.Portable));
  ini.write(u"INFO", u"PathsConfig", r.PathsConfig);
  ini.write(u"INFO", u"ConfigDir", r.ConfigDir);
  ini.write(u"INFO", u"ConfigFile", r.ConfigFile);
  ini.write(u"INFO", u"SkinsDir", r.SkinsDir);
  ini.write(u"INFO", u"PluginsDir", r.PluginsDir);
  ini.write(u"INFO", u"LangPackDir", r.LangPackDir);
  ini.write(u"INFO", u"Version", r.Version);
  ini.write(u"INFO", u"CompanyName", r.CompanyName);
  ini.write(u"INFO", u"FileVersion", r.FileVersion);
  ini.write(u"INFO", u"LegalCopyright", r.LegalCopyright);
  ini.write(u"INFO", u"ProductName", r.ProductName);
  ini.write(u"INFO", u"ProductVersion", r.ProductVersion);
  saveConfiguration(app, w);
}

void saveConfiguration(App& app, WizardState& w) {
  if (!saveIniDocument(app, w.config, w.configPath))
    throw std::runtime_error("Cannot write the file " + toUtf8(w.configPath) + ".");
}

}  // namespace lingvora
