#include "Driver.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace driver {

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::wstring windowsPath(const std::string& unix) {
  std::wstring out = L"Z:";
  for (char c : unix) out += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
  return out;
}

static void copyFile(const std::wstring& from, const std::wstring& to) {
  CopyFileW(from.c_str(), to.c_str(), FALSE);
}

DWORD run(const std::wstring& commandLine, DWORD timeoutMs) {
  std::wstring cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  else
    TerminateProcess(pi.hProcess, 99);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

PackDir::PackDir(const std::string& name, const std::vector<std::wstring>& files,
                 const std::string& guiExe) {
  const std::wstring root = windowsPath(env("LINGVORA_TEST_DIR"));
  CreateDirectoryW(root.c_str(), nullptr);
  path_ = root + L"\\" + std::wstring(name.begin(), name.end());
  // A clean directory for every run.
  std::wstring pattern = path_ + L"\\*";
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW(pattern.c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW((path_ + L"\\" + fd.cFileName).c_str());
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  CreateDirectoryW(path_.c_str(), nullptr);
  copyFile(windowsPath(guiExe), file(L"GUI.exe"));
  const std::wstring examples = windowsPath(env("LINGVORA_EXAMPLE_PACK"));
  for (const auto& f : files) {
    if (f == L"Pixora.dll" &&
        GetFileAttributesW((examples + L"\\" + f).c_str()) == INVALID_FILE_ATTRIBUTES) {
      write(f, "");  // a placeholder counts as present
      continue;
    }
    copyFile(examples + L"\\" + f, file(f));
  }
}

void PackDir::write(const std::wstring& name, const std::string& bytes) const {
  HANDLE h = CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD n = 0;
  WriteFile(h, bytes.data(), DWORD(bytes.size()), &n, nullptr);
  CloseHandle(h);
}

std::string PackDir::read(const std::wstring& name) const {
  HANDLE h = CreateFileW(file(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string out;
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return out;
}

Gui::Gui(const ExistingDir& pack, const std::wstring& arguments) {
  std::wstring cmd = L"\"" + pack.path + L"\\GUI.exe\"";
  if (!arguments.empty()) cmd += L" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, pack.path.c_str(), &si,
                 &info_);
}

Gui::~Gui() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

namespace {
struct FindArgs {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};
BOOL CALLBACK findTop(HWND w, LPARAM lp) {
  auto* a = reinterpret_cast<FindArgs*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[64];
  if (pid == a->pid && IsWindowVisible(w) && GetClassNameW(w, cls, 64) && !lstrcmpW(cls, a->cls)) {
    a->found = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND Gui::waitWindow(const wchar_t* cls, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  do {
    FindArgs a{pid(), cls, nullptr};
    EnumWindows(findTop, LPARAM(&a));
    if (a.found) return a.found;
    if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

DWORD Gui::waitExit(DWORD timeoutMs) const {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::wstring windowText(HWND w) {
  wchar_t buf[8192];
  // Cross-process WM_GETTEXT is marshalled by the system.
  LRESULT n = SendMessageW(w, WM_GETTEXT, 8192, LPARAM(buf));
  return std::wstring(buf, size_t(n > 0 ? n : 0));
}

std::wstring messageBoxText(HWND box) { return windowText(GetDlgItem(box, 0xFFFF)); }

void answer(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(box, id)));
}

namespace {
BOOL CALLBACK collect(HWND w, LPARAM lp) {
  auto* out = reinterpret_cast<std::vector<ChildWindow>*>(lp);
  ChildWindow c{w, {}, {}, windowText(w), IsWindowVisible(w) != FALSE, IsWindowEnabled(w) != FALSE,
                {}};
  wchar_t buf[256];
  if (GetClassNameW(w, buf, 256)) c.cls = buf;
  if (ATOM atom = ATOM(reinterpret_cast<ULONG_PTR>(GetPropW(w, L"LingvoraControl"))))
    if (GlobalGetAtomNameW(atom, buf, 256)) c.name = buf;
  GetWindowRect(w, &c.rect);
  out->push_back(c);
  return TRUE;
}
}  // namespace

std::vector<ChildWindow> children(HWND parent) {
  std::vector<ChildWindow> out;
  EnumChildWindows(parent, collect, LPARAM(&out));
  return out;
}

ChildWindow control(HWND main, const std::wstring& name) {
  for (auto& c : children(main))
    if (c.name == name) return c;
  return ChildWindow{nullptr, {}, {}, {}, false, false, {}};
}

void click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool finishWithoutStartingThePlayer(HWND main) {
  auto shown = [&](const wchar_t* name) { return control(main, name).visible; };
  click(control(main, L"Btn_GUI_Next").hwnd);
  if (!waitFor([&] { return shown(L"Lbl_Installer_DonationPage_Title"); }) ||
      !waitFor([&] { return control(main, L"Btn_GUI_Next").enabled; }))
    return false;
  click(control(main, L"Btn_GUI_Next").hwnd);
  if (!waitFor([&] { return shown(L"CB_Installer_FinishPage_Run"); })) return false;
  const HWND run = control(main, L"CB_Installer_FinishPage_Run").hwnd;
  click(run);
  if (!waitFor([&] { return SendMessageW(run, BM_GETCHECK, 0, 0) == BST_UNCHECKED; })) return false;
  click(control(main, L"Btn_GUI_Next").hwnd);
  return true;
}

void pressKey(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

namespace {
void put32(std::string& s, uint32_t v) {
  for (int i = 3; i >= 0; --i) s += char((v >> (8 * i)) & 0xFF);
}
void chunk(std::string& png, const char* type, const std::string& data) {
  put32(png, uint32_t(data.size()));
  std::string body = std::string(type, 4) + data;
  png += body;
  put32(png, uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}
}  // namespace

bool screenshot(HWND window, const std::string& unixPath) {
  return screenshotTo(window, windowsPath(unixPath));
}

bool screenshotTo(HWND window, const std::wstring& path) {
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC src = GetWindowDC(window);
  HDC mem = CreateCompatibleDC(src);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(src, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
  GdiFlush();
  std::string raw;
  raw.reserve(size_t(h) * (size_t(w) * 3 + 1));
  auto* px = static_cast<const unsigned char*>(bits);
  for (int y = 0; y < h; ++y) {
    raw += '\0';
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = px + (size_t(y) * w + x) * 4;
      raw += char(p[2]);
      raw += char(p[1]);
      raw += char(p[0]);
    }
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(window, src);

  uLongf size = compressBound(uLong(raw.size()));
  std::string z(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(z.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6) != Z_OK)
    return false;
  z.resize(size);
  std::string ihdr;
  put32(ihdr, uint32_t(w));
  put32(ihdr, uint32_t(h));
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  chunk(png, "IHDR", ihdr);
  chunk(png, "IDAT", z);
  chunk(png, "IEND", "");
  std::FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  std::fclose(f);
  return ok;
}

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

Engine::Engine(const PackDir& pack, const std::wstring& options) {
  std::wstring cmd = L"\"" + windowsPath(env("LINGVORA_ENGINE_EXE")) + L"\" " + options + L" \"" +
                     pack.path() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                 pack.path().c_str(), &si, &info_);
}

Engine::~Engine() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
  if (HWND w = FindWindowW(L"TORVA_GUI", nullptr)) {  // a wizard left behind
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
      TerminateProcess(p, 99);
      CloseHandle(p);
    }
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD Engine::waitExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace driver
