#pragma once
// The text fit of a pack under Windows (or Wine): the Windows build only.
#include <vector>

#include "lint/Lint.h"

namespace lingvora {

// Texts cut off in any page of either wizard or the language dialog, for
// every language of the pack, at 96 and 144 dpi; each an error of kind
// text-fit, filed under the language's text file.
std::vector<Finding> textFitFindings(const Text& packDirectory);

// One density, in this process: a tab-separated line per cut text.
int reportCutTexts(const Text& packDirectory, const std::vector<Text>& languages);

}  // namespace lingvora
