#include "pages/uninstaller/Uninstaller_Installation_Page.h"

#include "engine/Channel.h"
#include "pages/frame/ProgressDisplay.h"

namespace lingvora {

std::unique_ptr<ProgressPage> uninstallationProgressPage(App& app) {
  return makeProgressPage(app, LaunchMode::Uninstaller);
}

bool buildUninstallWorkList(App& app) {
  WizardState& w = app.state.uninstaller;
  w.workList.clear();
  // Whatever the engine installed, in any variant, is removed.
  for (const Text& section : w.config.sectionNames())
    if (w.config.readInteger(section, u"Install", 0) != 0) w.workList.push_back(section);
  w.progress.step = progressStep(w.workList.size());
  return true;
}

void showUninstallationPage(App& app) {
  showProgressPage(app, LaunchMode::Uninstaller, buildUninstallWorkList);
}

}  // namespace lingvora
