// The marker expansion of paths.ini: folder markers and environment
// variables, including ones that name themselves.
#include "Input.h"
#include "fakes/FakePlatform.h"
#include "player/Probe.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fake::FakePlatform p = [] {
    fake::FakePlatform f;
    f.shell.folders[26] = u"C:\\Users\\u\\AppData\\Roaming";
    f.shell.folders[38] = u"C:\\Program Files";
    f.shell.variables[u"APPDATA"] = u"C:\\Users\\u\\AppData\\Roaming";
    f.shell.variables[u"SELF"] = u"%SELF%\\again";
    f.shell.variables[u"LOOP"] = u"{26}%LOOP%";
    return f;
  }();
  const Text text = fuzz::utf16(data, size);
  expandFolderMarkers(p.ports, text);
  expandEnvironmentMarkers(p.ports, text);
  return 0;
}
