#pragma once
// A progress page that keeps only the bar and the end state, for tests of
// the engine channel that need no display.
#include <algorithm>

#include "state/App.h"

namespace lingvora::fake {

class BarOnlyPage : public ProgressPage {
 public:
  explicit BarOnlyPage(WizardState& wizard) : w_(wizard) {}
  void showMainPackStatus(int position) override { setBar(position); }
  void showHelpPluginStatus(int position) override { setBar(position); }
  void showClassicSkinStatus(int position) override { setBar(position); }
  void showAdditionalPluginStatus(const Text&, int position) override { setBar(position); }
  void showConfigurationStatus(int position) override { setBar(position); }
  void finishProgress(int position, bool aborted) override {
    setBar(position);
    w_.progressFinished = true;
    w_.failed = aborted;
    w_.closeAllowed = true;
  }

 private:
  void setBar(int position) { w_.progress.position = std::min(position, 100); }
  WizardState& w_;
};

}  // namespace lingvora::fake
