// Page and engine-message benchmark: walks a wizard of the real GUI.exe as
// a user pressing Next would and, on the progress page, plays the engine;
// times each step from the press (or the message) to the window painted
// again. Prints min / median / max per step over the rounds.
//
//   page_bench ROUNDS DPI PACK_DIR [--uninstall]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kEngineMessageId = 0x0141134D;

double now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

void setDensity(DWORD dpi) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
    RegCloseKey(key);
  }
}

BOOL CALLBACK anyUpdate(HWND w, LPARAM lp) {
  if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(lp) = true;
    return FALSE;
  }
  return TRUE;
}

// Waits until no window of the wizard has anything left to paint.
void waitPainted(HWND main) {
  for (int i = 0; i < 2000; ++i) {
    bool pending = GetUpdateRect(main, nullptr, FALSE) != FALSE;
    if (!pending) EnumChildWindows(main, anyUpdate, LPARAM(&pending));
    if (!pending) {
      DWORD_PTR r = 0;
      SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &r);
      return;
    }
    Sleep(0);
  }
}

struct Named {
  const wchar_t* name;
  HWND found;
};

BOOL CALLBACK byName(HWND w, LPARAM lp) {
  auto* n = reinterpret_cast<Named*>(lp);
  wchar_t buf[128];
  if (ATOM atom = ATOM(reinterpret_cast<ULONG_PTR>(GetPropW(w, L"LingvoraControl"))))
    if (GlobalGetAtomNameW(atom, buf, 128) && !lstrcmpW(buf, n->name)) {
      n->found = w;
      return FALSE;
    }
  return TRUE;
}

HWND control(HWND main, const wchar_t* name) {
  Named n{name, nullptr};
  EnumChildWindows(main, byName, LPARAM(&n));
  return n.found;
}

bool shown(HWND main, const wchar_t* name) {
  HWND w = control(main, name);
  return w && IsWindowVisible(w);
}

// The pages of both wizards, by the panel each one shows.
const wchar_t* const kPanels[] = {
    L"P_Installer_WelcomePage",          L"P_Installer_LicensePage",
    L"P_Installer_ComponentsPage",       L"P_Installer_DirectoryPage",
    L"P_Installer_ProcessMonitorPage",   L"P_Installer_InstallationPage",
    L"P_Installer_DonationPage",         L"P_Installer_FinishPage",
    L"P_Uninstaller_WelcomePage",        L"P_Uninstaller_SummaryPage",
    L"P_Uninstaller_ProcessMonitorPage", L"P_Uninstaller_InstallationPage",
    L"P_Uninstaller_FinishPage"};

std::wstring page(HWND main) {
  for (const wchar_t* p : kPanels)
    if (shown(main, p)) return p;
  return L"?";
}

void send(HWND main, const std::wstring& text) {
  COPYDATASTRUCT cds{kEngineMessageId, DWORD(text.size() * sizeof(wchar_t)),
                     const_cast<wchar_t*>(text.data())};
  SendMessageW(main, WM_COPYDATA, 0, LPARAM(&cds));
}

using Times = std::map<std::wstring, std::vector<double>>;

// What a timing build of GUI.exe wrote of the last event: the time from its
// arrival to the window idle with nothing left to paint. Waits for the line
// of the event after the `seen` ones; nothing from a build that writes none.
std::optional<double> inside(const std::wstring& file, size_t& seen) {
  for (int i = 0; i < 200; ++i) {
    std::vector<double> figures;
    if (FILE* f = _wfopen(file.c_str(), L"r")) {
      char what[32];
      double ms = 0;
      while (std::fscanf(f, "%31s %lf", what, &ms) == 2) figures.push_back(ms);
      std::fclose(f);
    }
    if (figures.size() > seen) {
      seen = figures.size();
      return figures.back();
    }
    Sleep(10);
  }
  return std::nullopt;
}

void walk(const std::wstring& pack, bool uninstall, Times& times) {
  std::wstring cmd = L"\"" + pack + L"\\GUI.exe\" /ACTION=" + (uninstall ? L"1" : L"0");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  DeleteFileW((pack + L"\\DATA.ini").c_str());
  const std::wstring timing = pack + L"\\timing.txt";
  DeleteFileW(timing.c_str());
  SetEnvironmentVariableW(L"LINGVORA_TIMING_FILE", timing.c_str());
  size_t seen = 0;
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, pack.c_str(), &si,
                      &pi))
    return;
  HWND main = nullptr;
  for (int i = 0; i < 1000 && !(main = FindWindowW(L"TORVA_GUI", nullptr)); ++i) Sleep(10);
  for (int i = 0; i < 500 && main && page(main) == L"?"; ++i) Sleep(10);
  for (int step = 0; main && IsWindow(main) && step < 12; ++step) {
    const std::wstring from = page(main);
    if (from.find(L"InstallationPage") != std::wstring::npos) {
      // The engine's messages, each to the page painted again.
      const wchar_t* messages[] = {
          L"ID_SECTION_LANG_PACK_OFFICIAL_WLZ", L"ID_SECTION_LANG_PACK_HELP_PLUGIN",
          L"ID_SECTION_LANG_PACK_CLASSIC_SKIN", L"ID_SECTION_END", L"ID_SECTION_FINISH"};
      // The floor of the outside measurement: a message the wizard ignores.
      for (int i = 0; i < 3; ++i) {
        COPYDATASTRUCT other{kEngineMessageId + 1, 0, nullptr};
        const double t0 = now();
        SendMessageW(main, WM_COPYDATA, 0, LPARAM(&other));
        waitPainted(main);
        times[L"outside: message ignored (the floor)"].push_back(now() - t0);
        inside(timing, seen);
      }
      for (const wchar_t* m : messages) {
        const double t0 = now();
        send(main, m);
        waitPainted(main);
        times[std::wstring(L"outside: message ") + m].push_back(now() - t0);
        if (auto ms = inside(timing, seen))
          times[std::wstring(L"inside: message ") + m].push_back(*ms);
        Sleep(30);
      }
    }
    HWND next = control(main, L"Btn_GUI_Next");
    // A countdown or the engine first.
    for (int i = 0; i < 1500 && next && !IsWindowEnabled(next); ++i) Sleep(10);
    if (!next || !IsWindowEnabled(next) || from.find(L"FinishPage") != std::wstring::npos) break;
    Sleep(100);
    const double t0 = now();
    SendMessageW(next, BM_CLICK, 0, 0);
    if (!IsWindow(main)) break;
    waitPainted(main);
    const double took = now() - t0;
    const auto ms = inside(timing, seen);
    const std::wstring to = page(main);
    if (to != from) {
      times[L"outside: Next " + from + L" -> " + to].push_back(took);
      if (ms) times[L"inside: Next " + from + L" -> " + to].push_back(*ms);
    }
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: page_bench ROUNDS DPI PACK_DIR [--uninstall]\n");
    return 2;
  }
  const int rounds = _wtoi(argv[1]);
  const DWORD dpi = DWORD(_wtoi(argv[2]));
  const bool uninstall = argc > 4 && std::wstring(argv[4]) == L"--uninstall";
  setDensity(dpi);
  Times times;
  for (int r = 0; r < rounds + 1; ++r) {
    Times one;
    walk(argv[3], uninstall, one);
    if (r == 0) continue;  // warm-up
    for (auto& [k, v] : one) times[k].insert(times[k].end(), v.begin(), v.end());
  }
  setDensity(96);
  std::printf("%s at %lu dpi (ms)%*s %8s %8s %8s\n", uninstall ? "uninstaller" : "installer",
              static_cast<unsigned long>(dpi), 60, "", "min", "median", "max");
  for (auto& [step, v] : times) {
    std::sort(v.begin(), v.end());
    std::printf("%-90ls %8.1f %8.1f %8.1f\n", step.c_str(), v.front(), v[v.size() / 2], v.back());
  }
  return 0;
}
