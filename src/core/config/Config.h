#pragma once
// GUI.ini and the localized text file: loading at wizard start, text lookup,
// and placeholder expansion.
#include <optional>

#include "state/App.h"

namespace lingvora {

// The project's own page, named at the end of the configuration-missing messages.
inline constexpr TextView kProjectWebAddress = u"https://lingvora.pl/winamp/winamp.php";

// Reads a whole INI file into a document; nothing when it cannot be read.
std::optional<IniDocument> openIniDocument(App& app, const Text& path);
// Saves a document whole, safely and in its encoding; false on failure.
bool saveIniDocument(App& app, const IniDocument& doc, const Text& path);

// Fills the active mode's configuration; ends the process on a fatal error.
void loadConfiguration(App& app);

Text readText(App& app, TextView section, TextView key);
Text expandPlaceholders(App& app, TextView text);

}  // namespace lingvora
