#pragma once
// Mirrors the form model into real windows: one child window per control,
// so that every text is a window text that screen readers can read, and
// turns what the user does in them back into the core's user events.
#include <windows.h>

#include <commctrl.h>
#include <shobjidl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "Fonts.h"
#include "Handles.h"
#include "state/App.h"

namespace lingvora::win32 {

inline constexpr wchar_t kMainClass[] = L"TORVA_GUI";
inline constexpr wchar_t kPanelClass[] = L"TORVA_PANEL";
inline constexpr wchar_t kLabelClass[] = L"TORVA_LABEL";
// Window property holding a global atom with the control's name.
inline constexpr wchar_t kControlNameProperty[] = L"LingvoraControl";

// Controls whose border the program draws in a dark style.
bool framedInStyle(ControlKind kind);

class Renderer {
 public:
  // invoke runs a handler of the core behind the shell's error boundary
  // (and syncs the window afterwards).
  Renderer(App& app, HWND main, std::function<void(const std::function<void()>&)> invoke);
  static void registerClasses(HINSTANCE instance);

  // Lays the model out for the window's client area and pushes every change.
  void sync();
  // Makes the windows of hidden pages ahead of their first showing, for
  // about the given time; false once every window exists. Meant for idle
  // moments, so that Next finds its page ready.
  bool prepareAhead(double milliseconds);
  // The main window's messages that concern the controls (commands,
  // notifications, timers, colours, the default button); false for others.
  bool handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // WM_COMMAND and WM_NOTIFY of every control, routed to the core.
  bool command(WPARAM wp, LPARAM lp);
  LRESULT notify(const NMHDR& header);
  void timer(UINT_PTR id);
  // The default push button (DM_GETDEFID): its control id, or 0.
  int defaultButtonId() const;
  // WM_CTLCOLORSTATIC / WM_CTLCOLORBTN / WM_CTLCOLOREDIT for a child of ours.
  LRESULT controlColour(HDC dc, HWND child);
  // Paints a window of ours: panel, group box, bevel, picture, shape, square or label.
  void paint(HWND window, HDC dc);
  // Pointer and click events of labels and pictures (links).
  LRESULT pointerMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);
  // Pointer moves over a tree and the pointer leaving it.
  void treePointer(HWND tree, UINT msg, LPARAM lp);

 private:
  // What was last pushed to a control's window.
  struct Shadow {
    HWND window = nullptr;
    bool fresh = true;
    Rect bounds{-1, -1, -1, -1};
    bool visible = false, enabled = true, defaultButton = false;
    Text caption;
    Font font;
    std::vector<StyledRun> runs;
    std::vector<TreeItem> items;
    std::vector<HTREEITEM> itemHandles;
    std::vector<MaskedImage> stateImages;
    UniqueImageList imageList;
    int indent = -1, selected = -2;
    std::vector<ListEntry> entries;
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    bool checked = false;
    int minimum = -1, maximum = -1, position = -1, step = -1;
    Color gaugeBack = 0, gaugeBar = 0;
    bool timerRunning = false;
    int timerInterval = 0;
    std::vector<std::uint64_t> look;  // what its painting depends on
    // The pictures it showed, held so that a new picture never takes an
    // old one's address and goes unnoticed.
    std::vector<std::shared_ptr<const Image>> pictures;
    bool tracking = false, pressed = false;
  };
  Control* controlOf(HWND window) const;
  Shadow* shadowOf(HWND window);
  size_t indexOf(const Control& c) const;
  HWND create(Control& c, HWND parentWindow, int id);
  HWND windowOf(const Control& c) const;
  void syncControl(size_t index, bool ahead = false);
  void syncCommon(Control& c, Shadow& s);
  void syncRuns(Control& c, Shadow& s);
  void syncTree(Control& c, Shadow& s);
  void syncTreeImages(Control& c, Shadow& s);
  void syncDropDown(Control& c, Shadow& s);
  void syncList(Control& c, Shadow& s);
  void syncProgress(Control& c, Shadow& s);
  void syncTimer(size_t index, Control& c, Shadow& s);
  void syncWindowFrame();
  void darken(const Control& c, HWND window);
  LRESULT darkTreeItem(NMTVCUSTOMDRAW& draw);
  void syncTaskbar();
  TreeHit treeHit(HWND tree, POINT client) const;
  std::vector<std::uint64_t> look(const Control& c) const;
  static std::vector<std::shared_ptr<const Image>> pictures(const Control& c);

  void paintLabel(const Control& c, HDC dc, const RECT& r);
  void paintGroupBox(const Control& c, HDC dc, const RECT& r);
  void paintChildFrames(const Control& c, HDC dc);
  void paintSquare(const Control& c, HWND window, HDC dc, const RECT& r);
  void paintBackground(const Control& c, HDC dc, const RECT& r);
  void drawPicture(HDC dc, const RECT& area, const std::shared_ptr<const Image>& image, bool center,
                   bool stretch);
  // A picture's pixels as a bitmap, made once per picture: the same picture
  // is drawn again beneath every transparent control over it.
  struct PictureBitmap {
    std::weak_ptr<const Image> image;
    UniqueGdi bitmap;
    bool opaque = false;
  };
  const PictureBitmap* pictureBitmap(HDC dc, const std::shared_ptr<const Image>& image);
  HBRUSH brush(COLORREF colour);
  COLORREF background(const Control& c) const;
  COLORREF textColour(const Control& c) const;
  COLORREF resolve(Color c) const;

  App& app_;
  HWND main_;
  std::vector<Shadow> shadows_;  // by index in the form's control list
  std::map<HWND, size_t> byWindow_;
  FontCache fonts_;
  std::map<COLORREF, UniqueGdi> brushes_;
  std::map<const Image*, PictureBitmap> pictureBitmaps_;
  std::function<void(const std::function<void()>&)> invoke_;
  UniqueLibrary richEdit_;
  // While the renderer itself changes a control, its notifications are no
  // user events.
  bool pushing_ = false;
  size_t nextAhead_ = 0;
  int frameWidth_ = 0, frameHeight_ = 0;
  WindowStyle frameStyle_ = WindowStyle::Wizard;
  Text frameCaption_;
  bool titleBarDone_ = false;
  ComPtr<ITaskbarList3> taskbar_;
  bool taskbarTried_ = false;
  TaskbarProgress taskbarShown_;
};

}  // namespace lingvora::win32
