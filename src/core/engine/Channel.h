#pragma once
// The engine channel: WM_COPYDATA messages from the installer engine, routed
// to the progress page of the current mode.
#include <cstdint>

#include "state/App.h"

namespace lingvora {

inline constexpr std::uint64_t kEngineMessageId = 0x0141134D;
// Longer texts are no engine message.
inline constexpr std::size_t kMaxEngineMessageBytes = 64 * 1024;

// The progress step for a work list of that many entries.
int progressStep(std::size_t entries);

// The WM_COPYDATA handler: bytes as the message carries them (cbData of
// them at data). The message's result is always 0.
void receiveEngineMessage(App& app, std::uint64_t dwData, const std::uint8_t* data,
                          std::size_t byteCount);
// The process that started the wizard has ended: a progress page still
// waiting for it can never finish, so it takes the aborted state.
void engineEnded(App& app);
// The vocabulary, applied to the page of one mode.
void routeEngineMessage(WizardState& wizard, ProgressPage& page, const Text& text);

}  // namespace lingvora
