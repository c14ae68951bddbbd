#pragma once
// The player's executable identified by its version resource.
#include <vector>

#include "platform/Platform.h"

namespace lingvora {

struct TEXEVersionData {
  Text CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademarks,
      OriginalFileName, ProductName, ProductVersion, Comments, PrivateBuild, SpecialBuild;
};

using TTableString = std::vector<Text>;

// Never fails: what cannot be read stays empty.
TEXEVersionData readVersionData(VersionResources& versions, const Text& file);
// Four decimal numbers joined by points, from the fixed file information;
// empty when there is none.
Text readFileVersion(FileSystem& files, VersionResources& versions, const Text& file);
// "0" equal, "1" a is higher (also when only the writing differs), "2" a is lower.
Text compareVersions(TextView a, TextView b);
TTableString splitText(TextView s, char16_t separator);
Text textPart(char16_t separator, TextView s, std::size_t index);

}  // namespace lingvora
