#pragma once
// Owners for the Win32 handles the shell uses: each closes its handle on
// every path.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <string>
#include <utility>

namespace lingvora::win32 {

template <typename H, typename Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(H h) : h_(h) {}
  Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
  Unique& operator=(Unique&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, Traits::invalid());
    }
    return *this;
  }
  ~Unique() { reset(); }
  void reset(H h = Traits::invalid()) {
    if (h_ != Traits::invalid()) Traits::close(h_);
    h_ = h;
  }
  H get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::invalid(); }

 private:
  H h_ = Traits::invalid();
};

struct FileTraits {
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct HandleTraits {
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct KeyTraits {
  static HKEY invalid() { return nullptr; }
  static void close(HKEY h) { RegCloseKey(h); }
};
struct GdiTraits {
  static HGDIOBJ invalid() { return nullptr; }
  static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct DcTraits {
  static HDC invalid() { return nullptr; }
  static void close(HDC h) { DeleteDC(h); }
};
struct ImageListTraits {
  static HIMAGELIST invalid() { return nullptr; }
  static void close(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct ThemeTraits {
  static HTHEME invalid() { return nullptr; }
  static void close(HTHEME h) { CloseThemeData(h); }
};
struct LibraryTraits {
  static HMODULE invalid() { return nullptr; }
  static void close(HMODULE h) { FreeLibrary(h); }
};

using UniqueFile = Unique<HANDLE, FileTraits>;
using UniqueHandle = Unique<HANDLE, HandleTraits>;
using UniqueKey = Unique<HKEY, KeyTraits>;
using UniqueGdi = Unique<HGDIOBJ, GdiTraits>;
using UniqueDc = Unique<HDC, DcTraits>;
using UniqueLibrary = Unique<HMODULE, LibraryTraits>;
using UniqueImageList = Unique<HIMAGELIST, ImageListTraits>;
using UniqueTheme = Unique<HTHEME, ThemeTraits>;

// A COM interface pointer, released when it goes.
template <typename I>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  I* get() const { return p_; }
  I* operator->() const { return p_; }
  void** out() { return reinterpret_cast<void**>(&p_); }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  I* p_ = nullptr;
};

// A window's device context, released with the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND w) : w_(w), dc_(GetDC(w)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(w_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND w_;
  HDC dc_;
};

// Selects an object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

inline const wchar_t* wide(const std::u16string& t) {
  return reinterpret_cast<const wchar_t*>(t.c_str());
}
inline std::u16string text(const wchar_t* w) { return reinterpret_cast<const char16_t*>(w); }
inline std::u16string text(const wchar_t* w, size_t n) {
  return std::u16string(reinterpret_cast<const char16_t*>(w), n);
}

}  // namespace lingvora::win32
