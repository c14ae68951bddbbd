// The plainest Win32 program with a window and two controls: the floor
// against which the wizard's start is measured.
#include <windows.h>

namespace {
LRESULT CALLBACK proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = proc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
  cls.lpszClassName = L"PLAIN_WINDOW";
  RegisterClassW(&cls);
  HWND main = CreateWindowW(L"PLAIN_WINDOW", L"Plain", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 544, 437, nullptr, nullptr, instance, nullptr);
  CreateWindowW(L"STATIC", L"A plain window", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, main, nullptr,
                instance, nullptr);
  CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 75, 25, main,
                nullptr, instance, nullptr);
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
