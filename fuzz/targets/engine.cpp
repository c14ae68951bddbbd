// The engine channel: any text routed to a progress page with a work list
// chosen by the first byte; the bar never leaves 0 to 100 on the page.
#include <cstdlib>

#include "Input.h"
#include "engine/Channel.h"
#include "fakes/BarOnlyPage.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const Text kComponents[] = {u"LANG_PACK_OFFICIAL_WLZ", u"LANG_PACK_HELP_PLUGIN",
                                     u"LANG_PACK_CLASSIC_SKIN", u"LANG_PACK_PLUGIN_AVS",
                                     u"lang_pack_plugin_milkdrop"};
  WizardState w;
  for (int i = 0; i < 5; ++i)
    if (data[0] & (1 << i)) w.workList.push_back(kComponents[i]);
  w.progress.step = progressStep(w.workList.size());
  fake::BarOnlyPage page(w);
  // Several messages in one input, split at zero code units.
  const Text all = fuzz::utf16(data + 1, size - 1);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= all.size(); ++i) {
    if (i < all.size() && all[i] != u'\0') continue;
    if (!w.progressFinished) routeEngineMessage(w, page, all.substr(start, i - start));
    start = i + 1;
  }
  if (w.progress.position < 0 || w.progress.position > 100) std::abort();
  return 0;
}
