#include "engine/Channel.h"

#include <algorithm>

namespace lingvora {

int progressStep(std::size_t entries) { return entries <= 1 ? 1 : int((90 - 20) / (entries - 1)); }

void routeEngineMessage(WizardState& w, ProgressPage& page, const Text& text) {
  const ProgressValues& p = w.progress;
  auto inWorkList = [&](TextView id) {
    return std::any_of(w.workList.begin(), w.workList.end(),
                       [&](const Text& entry) { return equalsNoCase(entry, id); });
  };
  const int next = p.position + p.step;
  if (text == u"ID_ABORT") {
    page.finishProgress(100, true);
  } else if (text == u"ID_SECTION_LANG_PACK_OFFICIAL_WLZ") {
    if (inWorkList(u"LANG_PACK_OFFICIAL_WLZ")) page.showMainPackStatus(p.start);
  } else if (text == u"ID_SECTION_LANG_PACK_HELP_PLUGIN") {
    if (inWorkList(u"LANG_PACK_HELP_PLUGIN")) page.showHelpPluginStatus(next);
  } else if (text == u"ID_SECTION_LANG_PACK_CLASSIC_SKIN") {
    if (inWorkList(u"LANG_PACK_CLASSIC_SKIN")) page.showClassicSkinStatus(next);
  } else if (text.find(u"ID_SECTION_LANG_PACK_PLUGIN_") != Text::npos) {
    if (inWorkList(replaceAll(text, u"ID_SECTION_", u"")))
      page.showAdditionalPluginStatus(text, next);
  } else if (text == u"ID_SECTION_END") {
    page.showConfigurationStatus(p.end + 5);
  } else if (text == u"ID_SECTION_FINISH") {
    page.finishProgress(100, false);
  }
}

void receiveEngineMessage(App& app, std::uint64_t dwData, const std::uint8_t* data,
                          std::size_t byteCount) {
  if (app.state.languageSelection || dwData != kEngineMessageId) return;
  // Bytes from another process: a length without data is no message, and
  // every word the engine sends is short.
  if ((!data && byteCount > 0) || byteCount > kMaxEngineMessageBytes) return;
  Text text(byteCount / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
  WizardState& w = app.wizard();
  const int progressPage = app.installerMode() ? 5 : 3;
  ProgressPage* page = app.progressPage();
  if (!page || w.pageIndex != progressPage || w.progressFinished || !w.channelOpen) return;
  routeEngineMessage(w, *page, text);
}

void engineEnded(App& app) {
  if (app.state.languageSelection) return;
  WizardState& w = app.wizard();
  ProgressPage* page = app.progressPage();
  if (page && w.channelOpen && !w.progressFinished) page->finishProgress(100, true);
}

}  // namespace lingvora
