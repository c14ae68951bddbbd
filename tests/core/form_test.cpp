#include "Pack.h"
#include "appearance/Theme.h"
#include "wizard/Controllers.h"

namespace lingvora::test {
namespace {

TEST(Layout, DocksInOrderWithMarginsAndSkipsHidden) {
  Form form;
  Control root{form, "root", ControlKind::Panel, nullptr};
  Control top{form, "top", ControlKind::Panel, &root};
  Control gone{form, "gone", ControlKind::Panel, &root};
  Control bottom{form, "bottom", ControlKind::Panel, &root};
  Control left{form, "left", ControlKind::Panel, &root};
  Control fill{form, "fill", ControlKind::Panel, &root};
  Control inner{form, "inner", ControlKind::Label, &fill};
  root.bounds = {0, 0, 200, 100};
  top.dock(Align::Top, 20, {1, 2, 3, 4});
  gone.dock(Align::Top, 50).hide();
  bottom.dock(Align::Bottom, 10);
  left.dock(Align::Left, 30);
  fill.dock(Align::Client, -1, {5, 5, 5, 5});
  inner.dock(Align::Right, 15);
  layout(root);
  EXPECT_EQ(top.bounds, (Rect{1, 2, 196, 20}));
  EXPECT_EQ(bottom.bounds, (Rect{0, 90, 200, 10}));
  EXPECT_EQ(left.bounds, (Rect{0, 26, 30, 64}));
  EXPECT_EQ(fill.bounds, (Rect{35, 31, 160, 54}));
  EXPECT_EQ(inner.bounds, (Rect{145, 0, 15, 54}));
  EXPECT_EQ(form.find("inner"), &inner);
}

TEST(Footer, GeometryAtTwoDensities) {
  struct {
    int density;
    Rect footer, back, next, cancel, brand;
  } cases[] = {
      // client 538 wide (the fake border takes 6); footer 46 high.
      {96,
       {0, 363, 538, 46},
       {292, 11, 75, 25},
       {368, 11, 75, 25},
       {453, 11, 75, 25},
       {10, 8, 262, 30}},
      // 144 dpi: client 810 x 628, footer 69, buttons 113 x 38 (112.5 rounds up).
      {144,
       {0, 559, 810, 69},
       {439, 15, 113, 38},
       {554, 15, 113, 38},
       {682, 15, 113, 38},
       {15, 12, 394, 45}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.density);
    Pack pack;
    pack.p.system.density = c.density;
    App& app = pack.start({u"/ACTION=0"});
    ASSERT_FALSE(pack.exit);
    MainForm& f = app.form;
    f.layoutClient(app.form.width - 6, app.form.height - 28);
    EXPECT_EQ(f.P_GUI_Footer.bounds, c.footer);
    EXPECT_EQ(f.Btn_GUI_Back.bounds, c.back);
    EXPECT_EQ(f.Btn_GUI_Next.bounds, c.next);
    EXPECT_EQ(f.Btn_GUI_Cancel.bounds, c.cancel);
    EXPECT_EQ(f.Lbl_GUI_BrandingText.bounds, c.brand);
    EXPECT_EQ(f.B_GUI_Footer.bounds, (Rect{0, 0, c.footer.width, 1}));
    EXPECT_EQ(f.Btn_GUI_Back.caption, u"< Wstecz");
    EXPECT_EQ(f.Btn_GUI_Next.caption, u"Dalej >");
    EXPECT_EQ(f.Btn_GUI_Cancel.caption, u"Anuluj");
    EXPECT_FALSE(f.Lbl_GUI_BrandingText.visible);
    EXPECT_TRUE(f.Btn_GUI_Next.defaultButton);
  }
}

TEST(Footer, DarkThemeBevelAndBrandingColour) {
  Pack pack;
  pack.p.registry.setDarkMode(true);
  App& app = pack.start({u"/ACTION=1"});
  ASSERT_FALSE(pack.exit);
  EXPECT_EQ(app.form.B_GUI_Footer.bevelShape, BevelShape::BottomLine);
  EXPECT_FALSE(app.form.Lbl_GUI_BrandingText.fontColorFromStyle);
  EXPECT_EQ(app.form.Lbl_GUI_BrandingText.fontColor, kBrandingText);
  EXPECT_EQ(app.form.Btn_GUI_Cancel.caption, u"uAnuluj");
  EXPECT_EQ(app.form.Btn_GUI_Back.caption, u"");  // a missing key is an empty caption
}

TEST(ShownColours, OnlyThePicturesATransparentControlOverlapsShowThrough) {
  Form form;
  Control root{form, "root", ControlKind::Panel, nullptr};
  Control label{form, "label", ControlKind::Label, &root};
  auto picture = [&](const char* name, Rect bounds, bool visible, bool loaded) {
    auto c = std::make_unique<Control>(form, name, ControlKind::Picture, &root);
    c->bounds = bounds;
    c->visible = visible;
    if (loaded) c->picture = std::make_shared<Image>();
    return c;
  };
  label.bounds = {10, 10, 100, 20};
  auto under = picture("under", {0, 0, 50, 50}, true, true);
  auto beside = picture("beside", {110, 10, 50, 20}, true, true);  // touches, no overlap
  auto hidden = picture("hidden", {0, 0, 200, 200}, false, true);
  auto empty = picture("empty", {0, 0, 200, 200}, true, false);
  auto names = [&] {
    std::string s;
    for (const Control* c : picturesBeneath(label)) s += std::string(c->name) + " ";
    return s;
  };
  EXPECT_EQ(names(), "");  // an opaque label hides what lies beneath
  label.transparent = true;
  EXPECT_EQ(names(), "under ");
  beside->bounds.left = 100;
  EXPECT_EQ(names(), "under beside ");
}

TEST(ShownColours, ParentsStyleAndOwnColours) {
  Form form;
  Control root{form, "root", ControlKind::Panel, nullptr};
  Control panel{form, "panel", ControlKind::Panel, &root};
  Control label{form, "label", ControlKind::Label, &panel};
  root.background = kButtonFaceColor;
  VisualStyle light;  // the system's look
  VisualStyle dark;
  dark.custom = true;
  dark.face = 0x2B2B2B;
  dark.text = 0xE6E6E6;

  EXPECT_EQ(shownBackground(label, light), kButtonFaceColor);  // from the root
  EXPECT_EQ(shownBackground(label, dark), 0x2B2B2Bu);          // the face follows the style
  panel.background = 0xFFFFFF;
  label.background = 0x123456;
  label.transparent = true;  // shows its parent
  EXPECT_EQ(shownBackground(label, dark), 0xFFFFFFu);

  EXPECT_EQ(shownTextColour(label, light), kWindowTextColor);
  EXPECT_EQ(shownTextColour(label, dark), 0xE6E6E6u);
  label.fontColor = 0xC80000;
  EXPECT_EQ(shownTextColour(label, light), 0xC80000u);
  EXPECT_EQ(shownTextColour(label, dark), 0xE6E6E6u);
  label.fontColorFromStyle = false;  // keeps its own colour under the dark style
  EXPECT_EQ(shownTextColour(label, dark), 0xC80000u);
}

TEST(ControlColours, EachKindInEachStyle) {
  VisualStyle system;
  VisualStyle dark;
  dark.custom = true;
  dark.face = 0x2B2B2B, dark.window = 0x1F1F1F, dark.text = 0xE6E6E6;
  dark.border = 0x3C3C3C, dark.accent = 0x4A90D9;
  const Color window = kSystemColor | 5, shadow = kSystemColor | 16, buttonText = kSystemColor | 18;
  struct {
    ControlKind kind;
    ControlColours light, dark;
  } cases[] = {
      {ControlKind::Button,
       {kButtonFaceColor, buttonText, shadow, kHighlightColor},
       {0x2B2B2B, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
      {ControlKind::CheckBox,
       {kButtonFaceColor, buttonText, shadow, kHighlightColor},
       {0x2B2B2B, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
      {ControlKind::Tree,
       {window, kWindowTextColor, shadow, kHighlightColor},
       {0x1F1F1F, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
      {ControlKind::List,
       {window, kWindowTextColor, shadow, kHighlightColor},
       {0x1F1F1F, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
      {ControlKind::Edit,
       {window, kWindowTextColor, shadow, kHighlightColor},
       {0x1F1F1F, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
      {ControlKind::Progress,
       {window, kWindowTextColor, shadow, kHighlightColor},
       {0x1F1F1F, 0xE6E6E6, 0x3C3C3C, 0x4A90D9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.kind));
    EXPECT_EQ(controlColours(c.kind, system), c.light);
    EXPECT_EQ(controlColours(c.kind, dark), c.dark);
  }
  // Buttons drawn by the program: lighter than the panel, lighter still
  // under the pointer, darker pressed, greyed text when disabled; the
  // default button's border in the accent colour.
  EXPECT_EQ(buttonColours(dark, ButtonState::Normal, false),
            (ButtonColours{0x3B3B3B, 0xE6E6E6, 0x545454}));
  EXPECT_EQ(buttonColours(dark, ButtonState::Normal, true).border, 0x4A90D9u);
  EXPECT_EQ(buttonColours(dark, ButtonState::Hot, false).face, 0x4D4D4Du);
  EXPECT_EQ(buttonColours(dark, ButtonState::Pressed, false).face, 0x2F2F2Fu);
  EXPECT_EQ(buttonColours(dark, ButtonState::Disabled, false),
            (ButtonColours{0x2B2B2B, 0x888888, 0x3C3C3C}));
}

TEST(Theme, HighContrastWinsOverTheDarkSetting) {
  for (bool contrast : {false, true}) {
    Pack pack;
    pack.p.registry.setDarkMode(true);
    pack.p.system.contrast = contrast;
    App& app = pack.start({u"/ACTION=0"});
    ASSERT_FALSE(pack.exit);
    EXPECT_EQ(app.state.installer.dark, !contrast);
  }
}

}  // namespace
}  // namespace lingvora::test
