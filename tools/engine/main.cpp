// engine: a stand-in for the pack's installer engine, so that a pack can be
// tried without the real one. It does the engine's side of the contract:
// starts GUI.exe in the pack directory, waits for the user's confirmation
// (SYSTEM / InstallDir in DATA.ini), reports one step per component with
// WM_COPYDATA, and returns GUI.exe's exit code. It copies no files.
//
//   engine [--uninstall] [--pause MS] [--abort-after N] [--vanish-after N] [--send TEXT]...
//          PACK_DIR
//
// --vanish-after N ends the engine after N component messages without a word,
// as a crashing engine would.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kEngineMessageId = 0x0141134D;

struct Options {
  bool uninstall = false;
  DWORD pause = 300;
  int abortAfter = -1;   // component messages before ID_ABORT; -1: none
  int vanishAfter = -1;  // component messages before the engine just ends; -1: never
  std::vector<std::wstring> extra;
  std::wstring pack;
};

bool parse(int argc, wchar_t** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    auto value = [&]() -> const wchar_t* { return i + 1 < argc ? argv[++i] : nullptr; };
    if (a == L"--uninstall") {
      o.uninstall = true;
    } else if (a == L"--pause") {
      const wchar_t* v = value();
      if (!v) return false;
      o.pause = DWORD(_wtoi(v));
    } else if (a == L"--abort-after") {
      const wchar_t* v = value();
      if (!v) return false;
      o.abortAfter = _wtoi(v);
    } else if (a == L"--vanish-after") {
      const wchar_t* v = value();
      if (!v) return false;
      o.vanishAfter = _wtoi(v);
    } else if (a == L"--send") {
      const wchar_t* v = value();
      if (!v) return false;
      o.extra.push_back(v);
    } else if (o.pack.empty() && a.rfind(L"--", 0) != 0) {
      o.pack = a;
    } else {
      return false;
    }
  }
  return !o.pack.empty();
}

std::wstring profile(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[4096] = {};
  GetPrivateProfileStringW(section, key, L"", buf, 4096, file.c_str());
  return buf;
}

std::vector<std::wstring> sections(const std::wstring& file) {
  std::vector<wchar_t> buf(65536);
  const DWORD n = GetPrivateProfileSectionNamesW(buf.data(), DWORD(buf.size()), file.c_str());
  std::vector<std::wstring> names;
  for (DWORD at = 0; at < n && buf[at];) {
    names.emplace_back(&buf[at]);
    at += DWORD(names.back().size() + 1);
  }
  return names;
}

// The components the engine works on, main pack first, then in file order.
std::vector<std::wstring> components(const std::wstring& gui, bool uninstall) {
  std::vector<std::wstring> work;
  for (const auto& s : sections(gui)) {
    const std::wstring key = uninstall ? L"Install" : L"UserAction";
    const int value = GetPrivateProfileIntW(s.c_str(), key.c_str(), 0, gui.c_str());
    if (uninstall ? value == 0 : value != 1) continue;
    if (s == L"LANG_PACK_OFFICIAL_WLZ")
      work.insert(work.begin(), s);
    else
      work.push_back(s);
  }
  return work;
}

struct Find {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findMain(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<Find*>(lp);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  wchar_t cls[32];
  if (owner == f->pid && GetClassNameW(w, cls, 32) && !lstrcmpW(cls, L"TORVA_GUI")) {
    f->found = w;
    return FALSE;
  }
  return TRUE;
}

// The main window of GUI.exe: the one of class TORVA_GUI in its process.
HWND findWindow(DWORD pid) {
  Find f{pid, nullptr};
  EnumWindows(findMain, LPARAM(&f));
  return f.found;
}

void send(HWND window, const std::wstring& text) {
  // The text without a terminator: cbData counts only its code units.
  COPYDATASTRUCT cds{kEngineMessageId, DWORD(text.size() * sizeof(wchar_t)),
                     const_cast<wchar_t*>(text.data())};
  SendMessageW(window, WM_COPYDATA, 0, LPARAM(&cds));
  std::printf("engine: sent %ls\n", text.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options o;
  if (!parse(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: engine [--uninstall] [--pause MS] [--abort-after N] [--vanish-after N] "
                 "[--send TEXT]... PACK_DIR\n");
    return 2;
  }
  const std::wstring data = o.pack + L"\\DATA.ini", gui = o.pack + L"\\GUI.ini";
  DeleteFileW(data.c_str());  // the cue must come from this run

  std::wstring cmd = L"\"" + o.pack + L"\\GUI.exe\" /ACTION=" + (o.uninstall ? L"1" : L"0");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, o.pack.c_str(), &si,
                      &pi)) {
    std::fprintf(stderr, "engine: cannot start %ls\n", cmd.c_str());
    return 2;
  }
  std::printf("engine: started GUI.exe, waiting for DATA.ini\n");
  std::fflush(stdout);
  // Nothing is done before the user confirms; GUI.exe may also just end.
  while (profile(data, L"SYSTEM", L"InstallDir").empty()) {
    if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
    std::printf("engine: installing into %ls\n", profile(data, L"SYSTEM", L"InstallDir").c_str());
    HWND window = nullptr;
    while (!(window = findWindow(pi.dwProcessId)) &&
           WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
    }
    std::vector<std::wstring> messages;
    for (const auto& c : components(gui, o.uninstall)) messages.push_back(L"ID_SECTION_" + c);
    messages.insert(messages.end(), o.extra.begin(), o.extra.end());
    // With an abort point, that many messages and then ID_ABORT; otherwise
    // every message and the two closing ones.
    const bool abort = o.abortAfter >= 0 && std::size_t(o.abortAfter) <= messages.size();
    if (abort) {
      messages.resize(std::size_t(o.abortAfter));
      messages.push_back(L"ID_ABORT");
    } else {
      messages.push_back(L"ID_SECTION_END");
      messages.push_back(L"ID_SECTION_FINISH");
    }
    for (std::size_t sent = 0; sent < messages.size() && window; ++sent) {
      if (o.vanishAfter >= 0 && sent == std::size_t(o.vanishAfter)) {
        std::printf("engine: vanishing\n");
        std::fflush(stdout);
        ExitProcess(3);
      }
      Sleep(o.pause);
      send(window, messages[sent]);
    }
    std::fflush(stdout);
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::printf("GUI.exe exit code: %lu\n", static_cast<unsigned long>(code));
  return int(code);
}
