#pragma once
// The fatal start-up messages of both wizards; each ends the process with
// the active mode's pending exit code.
#include "state/App.h"

namespace lingvora {

[[noreturn]] void configurationMissing(App& app);
[[noreturn]] void localizedTextMissing(App& app);
[[noreturn]] void imageLibraryMissing(App& app);
[[noreturn]] void systemNotSupported(App& app);

}  // namespace lingvora
