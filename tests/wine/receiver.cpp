// A stand-in for GUI.exe that the stand-in engine can drive: a TORVA_GUI
// window that confirms at once (DATA.ini), writes every WM_COPYDATA it gets
// to received.txt beside itself, and ends with exit code 7 after the
// engine's last message.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring directory() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L'\\'));
}

LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    std::wstring text(static_cast<const wchar_t*>(cds->lpData), cds->cbData / 2);
    if (FILE* f = _wfopen((directory() + L"\\received.txt").c_str(), L"ab")) {
      std::fprintf(f, "%lx %lu %ls\n", static_cast<unsigned long>(cds->dwData),
                   static_cast<unsigned long>(cds->cbData), text.c_str());
      std::fclose(f);
    }
    if (text == L"ID_SECTION_FINISH" || text == L"ID_ABORT") PostQuitMessage(7);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = proc;
  cls.hInstance = instance;
  cls.lpszClassName = L"TORVA_GUI";
  RegisterClassW(&cls);
  CreateWindowW(L"TORVA_GUI", L"receiver", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                instance, nullptr);
  WritePrivateProfileStringW(L"SYSTEM", L"InstallDir", L"C:\\Winamp",
                             (directory() + L"\\DATA.ini").c_str());
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return int(m.wParam);
}
