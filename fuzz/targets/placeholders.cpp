// Placeholder expansion over a started installer: any text, any markers.
#include "Input.h"
#include "app/MainWindow.h"
#include "config/Config.h"
#include "fakes/FakePlatform.h"

using namespace lingvora;

namespace {
App& installer() {
  static fake::FakePlatform platform = [] {
    fake::FakePlatform p;
    p.files.put(
        u"C:\\Pack\\GUI.ini",
        "[LANG]\r\nLang=1045\r\n[NAME]\r\nMODE=WINAMP\r\nmVERSION=5.9.2\r\n[PROJECT]\r\n"
        "ProjectName=Lingvora\r\nProjectShortVersion=4.0\r\nProjectAuthor=${PROJECT_NAME}\r\n");
    p.files.put(u"C:\\Pack\\1045.ini", "[INSTALLER]\r\nINSTALLER_WINDOW_TITLE=${PROJECT_NAME}\r\n");
    p.files.put(u"C:\\Pack\\Pixora.dll", "MZ");
    return p;
  }();
  static App app(platform.ports);
  static const bool started = [] {
    try {
      formCreate(app, {u"/ACTION=0"});
    } catch (const ProcessExit&) {
      // No player in the fake machine: the configuration is loaded all the same.
    }
    return true;
  }();
  (void)started;
  return app;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  expandPlaceholders(installer(), fuzz::utf16(data, size));
  return 0;
}
