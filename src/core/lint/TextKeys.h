#pragma once
// Every key the wizards read from a localized text file and from the
// language list, with how each is used: passed through the placeholder
// expansion, or shown exactly as written (where a placeholder would appear
// literally). The pack lint checks packs against it; a native test walks
// both wizards and the language dialog and holds every key they read
// against it, so that it cannot drift from the pages.
#include <optional>
#include <span>

#include "text/Text.h"

namespace lingvora {

enum class TextUse { Expanded, AsRead };

struct TextKey {
  TextView section;
  TextView key;
  TextUse use;
};

// The keys of fixed sections, in the order of the example pack.
std::span<const TextKey> fixedTextKeys();

// The keys of a component's section, named after the component: the
// section's name followed by the suffix (LANG_PACK_HELP_PLUGIN_NAME). The
// pack's own components (language pack, help plugin, classic skin) and the
// group of additional plugins show their texts expanded; an additional
// plugin's are shown as written.
struct ComponentKey {
  TextView suffix;
  TextUse use;        // the own components and the group
  TextUse pluginUse;  // an additional plugin
  bool inGroup;       // also read for the group of additional plugins
};
std::span<const ComponentKey> componentKeys();

// The group of additional plugins in the components tree: texts only.
inline constexpr TextView kOtherPluginsSection = u"LANG_PACK_OTHER_PLUGINS";

// A section of GUI.ini that is a component: the three fixed ones and every
// name containing LANG_PACK_PLUGIN_.
bool isComponentSection(TextView section);

// The keys of one language's section of the language list (shown as read).
std::span<const TextView> languageListKeys();

// How the wizard uses a key of a localized text file, given the components
// of the pack; nothing when no page reads it. Names match without regard to
// case.
std::optional<TextUse> textKeyUse(TextView section, TextView key, std::span<const Text> components);

}  // namespace lingvora
