// A window with one control of every kind the form model knows, rendered by
// the real renderer: the gallery test reads each back from outside. What
// the user does to a control is logged into the label Lbl_Gallery_Events,
// so that the test sees the core's side of every event.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "Fonts.h"
#include "Ports.h"
#include "Processes.h"
#include "Renderer.h"

using namespace lingvora;
using namespace lingvora::win32;

namespace {

// A square state image with a magenta frame, which the image list masks.
MaskedImage stateImage(std::uint32_t rgb) {
  MaskedImage m;
  m.image.width = m.image.height = 16;
  m.image.bgra.resize(16 * 16 * 4);
  m.mask.resize(16 * 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const size_t i = size_t(y * 16 + x);
      const bool frame = x < 2 || y < 2 || x > 13 || y > 13;
      m.mask[i] = frame;
      m.image.bgra[i * 4 + 0] = std::uint8_t(rgb);
      m.image.bgra[i * 4 + 1] = std::uint8_t(rgb >> 8);
      m.image.bgra[i * 4 + 2] = std::uint8_t(rgb >> 16);
      m.image.bgra[i * 4 + 3] = 255;
    }
  return m;
}

std::shared_ptr<Image> gradient(int width, int height) {
  auto image = std::make_shared<Image>();
  image->width = width;
  image->height = height;
  image->bgra.resize(size_t(width * height * 4));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &image->bgra[size_t((y * width + x) * 4)];
      p[0] = std::uint8_t(255 * x / width);
      p[1] = 0x60;
      p[2] = std::uint8_t(255 * y / height);
      p[3] = 255;
    }
  return image;
}

struct Gallery {
  explicit Gallery(App& app) : app(app) {}
  App& app;
  MainForm& f = app.form;
  Control events{f, "Lbl_Gallery_Events", ControlKind::Label, &f.P_Lang};
  Control pointer{f, "Lbl_Gallery_Pointer", ControlKind::Label, &f.P_Lang};
  Control images{f, "IL_Gallery", ControlKind::ImageList, &f.P_Lang};
  Control tree{f, "TV_Gallery", ControlKind::Tree, &f.P_Lang};
  Control group{f, "GB_Gallery", ControlKind::GroupBox, &f.P_Lang};
  Control types{f, "CB_Gallery_Types", ControlKind::DropDown, &group};
  Control check{f, "CB_Gallery_Run", ControlKind::CheckBox, &group};
  Control edit{f, "Edt_Gallery", ControlKind::Edit, &group};
  Control bar{f, "PB_Gallery", ControlKind::Progress, &group};
  Control gauge{f, "PB_Gallery_Gauge", ControlKind::Progress, &group};
  Control legend{f, "P_Gallery_Legend", ControlKind::Panel, &group};
  Control track{f, "PBox_Gallery_Track", ControlKind::Square, &legend};
  Control fill{f, "PBox_Gallery_Fill", ControlKind::Square, &legend};
  Control solid{f, "PBox_Gallery_Solid", ControlKind::Square, &legend};
  Control link{f, "Lbl_Gallery_Link", ControlKind::Label, &legend};
  Control list{f, "LV_Gallery", ControlKind::List, &group};
  Control picture{f, "Img_Gallery", ControlKind::Picture, &group};
  Control ticks{f, "Lbl_Gallery_Ticks", ControlKind::Label, &group};
  Control timer{f, "T_Gallery", ControlKind::Timer, &group};
  int tickCount = 0;

  void log(const Text& event) { events.caption += (events.caption.empty() ? u"" : u" | ") + event; }
  int s(int length) const { return app.scale(length); }

  void build() {
    f.caption = u"Lingvora gallery";
    f.width = s(640);
    f.height = s(480);
    f.P_Lang.dock(Align::Client).show();
    f.P_Lang.background = kButtonFaceColor;
    f.P_Lang.padding = {s(8), s(8), s(8), s(8)};
    events.dock(Align::Top, s(16));
    pointer.dock(Align::Bottom, s(16));
    pointer.caption = u"-";

    images.images = {stateImage(0xFFFFFF), stateImage(0xFFFFFF), stateImage(0x2E7D32),
                     stateImage(0xF9A825), stateImage(0x9E9E9E)};
    tree.stateImages = &images;
    tree.readOnly = tree.rowSelect = true;
    tree.items = {{u"Pakiet", u"MAIN", -1, 4, true, true},
                  {u"Pomoc", u"HELP", -1, 2, true, true},
                  {u"Wtyczki", u"GROUP", -1, 3, true, true},
                  {u"Jedna", u"P1", 2, 2, true, false},
                  {u"Dwie", u"P2", 2, 1, true, false}};
    tree.selected = 0;
    tree.dock(Align::Left, s(200), {0, s(4), s(8), 0});
    tree.onTreeClick = [this](const TreeHit& hit) {
      log(u"tree click " + decimal(hit.item) + u" selected " + decimal(tree.selected));
      if ((hit.flags & treehit::OnStateIcon) && hit.item >= 0) {
        TreeItem& item = tree.items[size_t(hit.item)];
        item.state = item.state == 2 ? 1 : 2;
      }
    };
    tree.onTreeMouseMove = [this](const TreeHit& hit) {
      pointer.caption = hit.onItemOnly() ? tree.items[size_t(hit.item)].text : Text(u"-");
    };
    tree.onMouseLeave = [this] { pointer.caption = u"left"; };
    f.focusRequest = &tree;

    group.caption = u"Opis";
    group.dock(Align::Client, -1, {0, s(4), 0, 0});
    types.entries = {{u"Pełna", 1}, {u"Minimalna", 2}, {u"Użytkownika", 0}};
    types.selected = 0;
    types.dock(Align::Top, s(21), {s(4), s(2), s(4), s(2)});
    types.onChange = [this] { log(u"types " + decimal(types.selected)); };
    check.caption = u"Uruchom Winampa";
    check.dock(Align::Top, s(20), {s(4), s(2), s(4), s(2)});
    check.onClick = [this] { log(check.checked ? u"checked" : u"unchecked"); };
    edit.caption = u"C:\\Program Files\\Winamp";
    edit.dock(Align::Top, s(21), {s(4), s(2), s(4), s(2)});
    edit.onChange = [this] { log(u"edit " + edit.caption); };
    bar.position = 40;
    bar.smooth = true;
    bar.dock(Align::Top, s(18), {s(4), s(2), s(4), s(2)});
    gauge.gauge = true;
    gauge.position = 70;
    gauge.background = 0xFFFFFF;
    gauge.barColor = 0x3C9BE6;
    gauge.dock(Align::Top, s(12), {s(4), s(2), s(4), s(2)});

    legend.dock(Align::Top, s(16), {s(4), s(2), s(4), s(2)});
    track.squareFill = SquareFill::Track;
    fill.squareFill = SquareFill::Fill;
    solid.background = 0xC80000;
    for (Control* square : {&track, &fill, &solid})
      square->dock(Align::Left, s(12), {0, 0, s(6), 0});
    link.caption = u"lingvora.example";
    link.handCursor = link.autoSize = true;
    link.fontColor = 0x0066CC;
    link.fontColorFromStyle = false;
    link.dock(Align::Left, -1, {s(6), 0, 0, 0});
    link.onClick = [this] { log(u"link"); };

    list.columns = {{u"PID", s(50)}, {u"Wersja", s(70)}, {u"Ścieżka", s(150)}};
    list.rows = {{{u"1204", u"5.9.2", u"C:\\Program Files\\Winamp\\winamp.exe"}, 1204},
                 {{u"2210", u"1.0.20", u"C:\\WACUP\\wacup.exe"}, 2210}};
    list.dock(Align::Top, s(70), {s(4), s(2), s(4), s(2)});
    list.onChange = [this] { log(u"list " + decimal(list.selected)); };

    picture.picture = gradient(s(48), s(32));
    picture.autoSize = picture.center = true;
    picture.dock(Align::Left, -1, {s(4), s(2), s(4), s(2)});
    ticks.caption = u"ticks 0";
    ticks.dock(Align::Client, -1, {s(4), s(2), s(4), s(2)});
    ticks.centerVertically = true;
    timer.interval = 50;
    timer.onTimer = [this] {
      ticks.caption = u"ticks " + decimal(++tickCount);
      if (tickCount == 5) timer.enabled = false;
    };
    f.taskbar = {TaskbarState::Normal, 40, 100};
  }
};

struct Program {
  Win32Files files;
  Win32Registry registry;
  Win32System system{WS_CAPTION, 0};
  Win32Dialogs dialogs;
  Win32ImageLibrary images;
  Win32Locale locale;
  Win32Shell shell;
  Win32VersionResources versions;
  Win32Measure measure;
  Win32Processes processes;
  Platform platform{files,  registry, system,   dialogs, images,
                    locale, shell,    versions, measure, processes};
  std::unique_ptr<App> app;
  std::unique_ptr<Gallery> gallery;
  std::unique_ptr<Renderer> renderer;
};

Program* g_program = nullptr;

LRESULT CALLBACK mainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  Program* p = g_program;
  if (p && p->renderer)
    if (LRESULT result = 0; p->renderer->handle(msg, wp, lp, result)) return result;
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  static Program program;
  g_program = &program;
  program.app = std::make_unique<App>(program.platform);
  program.gallery = std::make_unique<Gallery>(*program.app);
  program.gallery->build();

  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = mainProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.lpszClassName = kMainClass;
  RegisterClassExW(&cls);
  Renderer::registerClasses(instance);
  HWND main =
      CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!main) return 1;
  program.renderer =
      std::make_unique<Renderer>(*program.app, main, [main](const std::function<void()>& handler) {
        handler();
        if (IsWindow(main)) g_program->renderer->sync();
      });
  program.renderer->sync();
  ShowWindow(main, SW_SHOW);
  program.renderer->sync();  // the focus request needs a visible window

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
