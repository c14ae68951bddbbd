// uidriver: drives GUI.exe for the demo on a headless machine.
//
//   uidriver PACK_DIR OUT.png ARGUMENTS...
//     starts GUI.exe in a pack directory, waits for its window, saves a
//     screenshot, then closes it as a user would (Escape, Yes).
//   uidriver --walk OUT_DIR ENGINE_EXE PACK_DIR
//     starts the engine (which starts GUI.exe), walks the installer from
//     Welcome to its end as a user pressing Next would, and saves a
//     screenshot of every page into OUT_DIR.
//   uidriver --gallery OUT_DIR ENGINE_EXE PACK_DIR LANGUAGE [--language-dialog]
//     for the gallery of a pack (scripts/gallery.sh): in the light and the
//     dark theme at 96 and 144 dpi, walks both wizards with the engine,
//     saving every page and the quit question, and with --language-dialog
//     shows the language dialog once per language of the list. The files
//     are named WIZARD-NN-PAGE@LANGUAGE-THEME-DPI.png.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

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
constexpr Page kInstallerPages[] = {
    {L"P_Installer_WelcomePage", L"welcome"},
    {L"P_Installer_LicensePage", L"license"},
    {L"P_Installer_ComponentsPage", L"components"},
    {L"P_Installer_DirectoryPage", L"directory"},
    {L"P_Installer_ProcessMonitorPage", L"process-monitor"},
    {L"P_Installer_InstallationPage", L"installation"},
    {L"P_Installer_DonationPage", L"donation"},
    {L"P_Installer_FinishPage", L"finish"},
};
constexpr Page kUninstallerPages[] = {
    {L"P_Uninstaller_WelcomePage", L"welcome"},
    {L"P_Uninstaller_SummaryPage", L"summary"},
    {L"P_Uninstaller_ProcessMonitorPage", L"process-monitor"},
    {L"P_Uninstaller_InstallationPage", L"uninstallation"},
    {L"P_Uninstaller_FinishPage", L"finish"},
};

template <std::size_t N>
const Page* currentPage(HWND main, const Page (&pages)[N]) {
  for (const Page& p : pages)
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

std::optional<PROCESS_INFORMATION> startEngine(const std::wstring& engine,
                                               const std::wstring& options,
                                               const std::wstring& pack) {
  std::wstring cmd = L"\"" + engine + L"\" " + options + L" \"" + pack + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, pack.c_str(), &si,
                      &pi)) {
    std::fprintf(stderr, "uidriver: cannot start the engine\n");
    return std::nullopt;
  }
  return pi;
}

HWND waitMainWindow() {
  HWND main = nullptr;
  for (int i = 0; i < 300 && !(main = FindWindowW(L"TORVA_GUI", nullptr)); ++i) Sleep(50);
  if (!main) std::fprintf(stderr, "uidriver: no TORVA_GUI window appeared\n");
  return main;
}

struct BoxSearch {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK findBox(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<BoxSearch*>(p);
  wchar_t cls[16] = {};
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  GetClassNameW(w, cls, 16);
  if (owner == s->pid && IsWindowVisible(w) && std::wstring(cls) == L"#32770") {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

// The message box that the main window's process shows, or null.
HWND waitMessageBox(HWND main, DWORD timeoutMs) {
  BoxSearch search{0, nullptr};
  GetWindowThreadProcessId(main, &search.pid);
  driver::waitFor(
      [&] {
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

// Presses Next on every page until the wizard ends, saving each page once;
// name(n, page) is the file of the n-th page saved. On the first page,
// the quit question first when quitShot names its file.
template <std::size_t N>
void walkPages(HWND main, const Page (&pages)[N],
               const std::function<std::wstring(int, const Page&)>& name,
               const std::wstring& quitShot = {}) {
  int shot = 0;
  const Page* last = nullptr;
  for (int step = 0; step < 20 && IsWindow(main); ++step) {
    Sleep(400);
    const Page* page = currentPage(main, pages);
    if (!page) continue;
    // The progress page and the countdown finish before Next is enabled.
    if (!nextEnabled(main, 60000)) break;
    Sleep(300);
    if (page != last) {
      driver::screenshotTo(main, name(++shot, *page));
      std::printf("uidriver: %ls\n", page->name);
      last = page;
      if (shot == 1 && !quitShot.empty()) {
        driver::click(driver::control(main, L"Btn_GUI_Cancel").hwnd);
        if (HWND box = waitMessageBox(main, 5000)) {
          Sleep(300);
          driver::screenshotTo(box, quitShot);
          driver::answer(box, IDNO);
          Sleep(300);
        }
      }
    }
    driver::click(driver::control(main, L"Btn_GUI_Next").hwnd);
  }
}

DWORD endOf(PROCESS_INFORMATION& pi) {
  WaitForSingleObject(pi.hProcess, 30000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

int walk(const std::wstring& outDir, const std::wstring& engine, const std::wstring& pack) {
  auto pi = startEngine(engine, L"--pause 400", pack);
  if (!pi) return 1;
  HWND main = waitMainWindow();
  if (!main) return 1;
  walkPages(main, kInstallerPages, [&](int n, const Page& page) {
    wchar_t name[64];
    swprintf(name, 64, L"\\%02d-%ls.png", n, page.name);
    return outDir + name;
  });
  std::printf("GUI.exe exit code (through the engine): %lu\n",
              static_cast<unsigned long>(endOf(*pi)));
  return 0;
}

// The language dialog once per entry of the list, each shown by choosing it.
void languageDialog(const std::wstring& pack,
                    const std::function<std::wstring(int, const std::wstring&)>& name) {
  driver::Gui gui(driver::ExistingDir(pack), L"/LANG=languages.ini");
  HWND main = gui.waitMainWindow();
  if (!main) return;
  HWND list = driver::control(main, L"CB_Lang_Languages").hwnd;
  const int count = int(driver::comboEntries(list).size());
  // From the first entry on.
  for (int i = driver::comboSelection(list); i > 0; --i) driver::pressKey(list, VK_UP);
  for (int i = 0; i < count; ++i) {
    if (i > 0) driver::pressKey(list, VK_DOWN);
    Sleep(500);
    driver::screenshotTo(main, name(i + 1, driver::control(main, L"Lbl_Lang_Lang").text));
  }
  driver::pressKey(list, VK_ESCAPE);
  gui.waitExit();
}

int gallery(const std::wstring& outDir, const std::wstring& engine, const std::wstring& pack,
            const std::wstring& language, bool withLanguageDialog) {
  for (bool dark : {false, true})
    for (DWORD dpi : {96u, 144u}) {
      driver::Density density(dpi);
      std::optional<driver::DarkTheme> theme;
      if (dark) theme.emplace();
      const std::wstring look =
          std::wstring(dark ? L"dark" : L"light") + L"-" + std::to_wstring(dpi);
      auto file = [&](const std::wstring& wizard, int n, const std::wstring& page,
                      const std::wstring& lang) {
        wchar_t number[8];
        swprintf(number, 8, L"%02d", n);
        return outDir + L"\\" + wizard + L"-" + number + L"-" + page + L"@" + lang + L"-" + look +
               L".png";
      };
      for (bool uninstaller : {false, true}) {
        const std::wstring wizard = uninstaller ? L"uninstaller" : L"installer";
        auto pi =
            startEngine(engine, uninstaller ? L"--uninstall --pause 100" : L"--pause 100", pack);
        if (!pi) return 1;
        if (HWND main = waitMainWindow()) {
          auto name = [&](int n, const Page& page) { return file(wizard, n, page.name, language); };
          if (uninstaller)
            walkPages(main, kUninstallerPages, name, file(wizard, 0, L"quit", language));
          else
            walkPages(main, kInstallerPages, name, file(wizard, 0, L"quit", language));
        }
        endOf(*pi);
      }
      if (withLanguageDialog)
        languageDialog(pack, [&](int n, const std::wstring& id) {
          // The identifier line starts with the entry's language number.
          const std::wstring lang = id.substr(0, id.find_first_not_of(L"0123456789"));
          return file(L"language", n, L"dialog", lang.empty() ? std::to_wstring(n) : lang);
        });
    }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 5 && std::wstring(argv[1]) == L"--walk") return walk(argv[2], argv[3], argv[4]);
  if ((argc == 6 || argc == 7) && std::wstring(argv[1]) == L"--gallery")
    return gallery(argv[2], argv[3], argv[4], argv[5],
                   argc == 7 && std::wstring(argv[6]) == L"--language-dialog");
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: uidriver PACK_DIR OUT.png ARGUMENTS...\n"
                 "       uidriver --walk OUT_DIR ENGINE_EXE PACK_DIR\n"
                 "       uidriver --gallery OUT_DIR ENGINE_EXE PACK_DIR LANGUAGE "
                 "[--language-dialog]\n");
    return 2;
  }
  return screenshotOnce(argc, argv);
}
