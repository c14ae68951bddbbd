#pragma once
// What a progress page shows for each engine message; positions are bar
// positions. The engine channel drives it; each wizard plugs its page in.
#include "text/Text.h"

namespace lingvora {

struct ProgressPage {
  virtual ~ProgressPage() = default;
  virtual void showMainPackStatus(int position) = 0;
  virtual void showHelpPluginStatus(int position) = 0;
  virtual void showClassicSkinStatus(int position) = 0;
  virtual void showAdditionalPluginStatus(const Text& message, int position) = 0;
  virtual void showConfigurationStatus(int position) = 0;
  virtual void finishProgress(int position, bool aborted) = 0;
};

}  // namespace lingvora
