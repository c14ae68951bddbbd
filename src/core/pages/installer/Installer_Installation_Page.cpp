#include "pages/installer/Installer_Installation_Page.h"

#include "config/Config.h"
#include "digest/Md5.h"
#include "engine/Channel.h"
#include "pages/frame/ProgressDisplay.h"

namespace lingvora {

std::unique_ptr<ProgressPage> installationProgressPage(App& app) {
  return makeProgressPage(app, LaunchMode::Installer);
}

bool buildWorkList(App& app) {
  WizardState& w = app.state.installer;
  IniDocument& ini = w.config;
  w.workList.clear();
  for (const Text& section : ini.sectionNames()) {
    if (ini.readInteger(section, u"Install", 0) != 1 ||
        ini.readInteger(section, u"PluginChoice", 0) != 1)
      continue;
    bool chosen = true;
    if (section.find(u"LANG_PACK_PLUGIN_") != Text::npos) {
      // An additional plugin goes only when the player holds exactly the
      // file the pack was made for; a file that cannot be read counts as
      // another file.
      const Text fileName = ini.readString(section, u"FileName");
      const Text path = joinPath(w.record.PluginsDir, fileName);
      std::optional<Text> digest;
      // It must name a file inside the plugins folder itself.
      if (isPlainName(fileName) && app.platform.files.fileExists(path))
        digest = fileDigest(app.platform.files, path);
      chosen = digest && *digest == ini.readString(section, u"PluginHash");
    }
    if (chosen) {
      w.workList.push_back(section);
      ini.write(section, u"UserAction", u"1");
    } else {
      ini.write(section, u"UserAction", u"0");
      ini.write(section, u"UserHash", u"");
    }
  }
  w.progress.step = progressStep(w.workList.size());
  return saveIniDocument(app, ini, w.configPath);
}

void showInstallationPage(App& app) { showProgressPage(app, LaunchMode::Installer, buildWorkList); }

}  // namespace lingvora
