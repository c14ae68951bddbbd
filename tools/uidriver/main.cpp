// uidriver: starts GUI.exe in a pack directory, waits for its window and
// saves a screenshot of it; then closes it the way a user would (Escape,
// Yes) and prints its exit code. Used by the demo on a headless machine.
//   uidriver PACK_DIR OUT.png ARGUMENTS...
#include <cstdio>

#include "driver/Driver.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: uidriver PACK_DIR OUT.png ARGUMENTS...\n");
    return 2;
  }
  std::wstring args;
  for (int i = 3; i < argc; ++i) args += (i > 3 ? L" " : L"") + std::wstring(argv[i]);
  driver::Gui gui(driver::ExistingDir(argv[1]), args);
  HWND main = gui.waitMainWindow();
  if (!main) {
    std::fprintf(stderr, "uidriver: no TORVA_GUI window appeared\n");
    return 1;
  }
  Sleep(500);
  std::wstring out = argv[2];
  if (!driver::screenshotTo(main, out)) std::fprintf(stderr, "uidriver: screenshot failed\n");
  driver::pressKey(main, VK_ESCAPE);
  if (HWND question = gui.waitMessageBox(5000)) driver::answer(question, IDYES);
  std::printf("GUI.exe exit code: %lu\n", static_cast<unsigned long>(gui.waitExit()));
  return 0;
}
