// uidriver: drives GUI.exe for the demo on a headless machine.
//
//   uidriver PACK_DIR OUT.png ARGUMENTS...
//     starts GUI.exe in a pack directory, waits for its window, saves a
//     screenshot, then closes it as a user would (Escape, Yes).
//   uidriver --walk OUT_DIR ENGINE_EXE PACK_DIR
//     starts the engine (which starts GUI.exe), walks the installer from
//     Welcome to its end as a user pressing Next would, and saves a
//     screenshot of every page into OUT_DIR.
#include <cstdio>
#include <string>

#include "driver/Driver.h"

namespace {

int screenshotOnce(int argc, wchar_t** argv) {
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

// The installer's pages, by the panel each one shows.
struct Page {
  const wchar_t* panel;
  const wchar_t* name;
};
constexpr Page kPages[] = {
    {L"P_Installer_WelcomePage", L"welcome"},
    {L"P_Installer_LicensePage", L"license"},
    {L"P_Installer_ComponentsPage", L"components"},
    {L"P_Installer_DirectoryPage", L"directory"},
    {L"P_Installer_ProcessMonitorPage", L"process-monitor"},
    {L"P_Installer_InstallationPage", L"installation"},
    {L"P_Installer_DonationPage", L"donation"},
    {L"P_Installer_FinishPage", L"finish"},
};

const Page* currentPage(HWND main) {
  for (const Page& p : kPages)
    if (driver::control(main, p.panel).visible) return &p;
  return nullptr;
}

// Waits until Next can be pressed (the engine's end, a countdown).
bool nextEnabled(HWND main, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
    if (!IsWindow(main)) return false;
    if (driver::control(main, L"Btn_GUI_Next").enabled) return true;
    Sleep(100);
  }
  return false;
}

int walk(const std::wstring& outDir, const std::wstring& engine, const std::wstring& pack) {
  std::wstring cmd = L"\"" + engine + L"\" --pause 400 \"" + pack + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, pack.c_str(), &si,
                      &pi)) {
    std::fprintf(stderr, "uidriver: cannot start the engine\n");
    return 1;
  }
  HWND main = nullptr;
  for (int i = 0; i < 300 && !(main = FindWindowW(L"TORVA_GUI", nullptr)); ++i) Sleep(50);
  if (!main) {
    std::fprintf(stderr, "uidriver: no TORVA_GUI window appeared\n");
    return 1;
  }
  int shot = 0;
  const Page* last = nullptr;
  for (int step = 0; step < 20 && IsWindow(main); ++step) {
    Sleep(400);
    const Page* page = currentPage(main);
    if (!page) continue;
    // The progress page and the countdown finish before Next is enabled.
    if (!nextEnabled(main, 60000)) break;
    Sleep(300);
    if (page != last) {
      wchar_t name[64];
      swprintf(name, 64, L"\\%02d-%ls.png", ++shot, page->name);
      driver::screenshotTo(main, outDir + name);
      std::printf("uidriver: %ls\n", page->name);
      last = page;
    }
    driver::click(driver::control(main, L"Btn_GUI_Next").hwnd);
  }
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::printf("GUI.exe exit code (through the engine): %lu\n", static_cast<unsigned long>(code));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wstring(argv[1]) == L"--walk") return walk(argv[2], argv[3], argv[4]);
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: uidriver PACK_DIR OUT.png ARGUMENTS...\n"
                 "       uidriver --walk OUT_DIR ENGINE_EXE PACK_DIR\n");
    return 2;
  }
  return screenshotOnce(argc, argv);
}
