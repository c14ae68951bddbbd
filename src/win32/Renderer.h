#pragma once
// Mirrors the form model into real windows: one child window per control,
// so that every text is a window text that screen readers can read.
#include <windows.h>

#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "Handles.h"
#include "state/App.h"

namespace lingvora::win32 {

inline constexpr wchar_t kMainClass[] = L"TORVA_GUI";
inline constexpr wchar_t kPanelClass[] = L"TORVA_PANEL";
inline constexpr wchar_t kLabelClass[] = L"TORVA_LABEL";
// Window property holding a global atom with the control's name.
inline constexpr wchar_t kControlNameProperty[] = L"LingvoraControl";

class Renderer {
 public:
  // invoke runs a handler of the core behind the shell's error boundary.
  Renderer(App& app, HWND main, std::function<void(const std::function<void()>&)> invoke);
  static void registerClasses(HINSTANCE instance);

  // Lays the model out for the window's client area and pushes every change.
  void sync();
  Control* controlById(int id) const;
  // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN for a child of ours.
  LRESULT controlColour(HDC dc, HWND child);
  // Paints a window of ours: panel, bevel, picture, shape or label.
  void paint(HWND window, HDC dc);
  // Pointer and click events of labels (links).
  LRESULT labelMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);

 private:
  struct Shadow {
    HWND window = nullptr;
    Rect bounds{-1, -1, -1, -1};
    bool visible = false, enabled = true, defaultButton = false;
    Text caption;
    Font font;
    bool fresh = true;
    std::vector<StyledRun> runs;
    bool tracking = false;  // the pointer is over the window
  };
  Control* controlOf(HWND window) const;
  void syncRuns(Control& c, Shadow& s);
  void paintLabel(const Control& c, HDC dc, const RECT& r);
  void paintBackground(const Control& c, HDC dc, const RECT& r);
  HWND create(Control& c, HWND parentWindow, int id);
  HWND windowOf(const Control& c) const;
  void drawPicture(HDC dc, const RECT& area, const Image& image);
  void syncWindowFrame();
  HFONT font(const Font& f);
  HBRUSH brush(COLORREF colour);
  COLORREF background(const Control& c) const;
  COLORREF textColour(const Control& c) const;
  COLORREF resolve(Color c) const;

  App& app_;
  HWND main_;
  std::vector<Shadow> shadows_;  // by index in the form's control list
  std::map<HWND, size_t> byWindow_;
  std::map<std::tuple<Text, int, bool>, UniqueGdi> fonts_;
  std::map<COLORREF, UniqueGdi> brushes_;
  std::function<void(const std::function<void()>&)> invoke_;
  UniqueLibrary richEdit_;
  int frameWidth_ = 0, frameHeight_ = 0;
  Text frameCaption_;
};

}  // namespace lingvora::win32
