#pragma once
// Where the player lives and what it is; the field names are the keys under
// which the record is handed to the engine.
#include "text/Text.h"

namespace lingvora {

struct WinampRecord {
  Text InstallDir, ExeFileName, PathsConfig, ConfigDir, ConfigFile;
  bool WacupType = false, OSPortable = false, Portable = false;
  Text SkinsDir, PluginsDir, LangPackDir;
  Text Version, CompanyName, FileVersion, LegalCopyright, ProductName, ProductVersion;
};

}  // namespace lingvora
