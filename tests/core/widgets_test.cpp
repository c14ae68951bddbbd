#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "fakes/FakeRenderer.h"

namespace lingvora::test {
namespace {

// One control of every kind that the user can change, and what each
// handler saw of the model when it ran.
struct Gallery {
  Form form;
  Control root{form, "root", ControlKind::Panel, nullptr};
  Control box{form, "CB_box", ControlKind::CheckBox, &root};
  Control types{form, "CB_types", ControlKind::DropDown, &root};
  Control list{form, "LV_list", ControlKind::List, &root};
  Control edit{form, "Edt_dir", ControlKind::Edit, &root};
  Control tree{form, "TV_tree", ControlKind::Tree, &root};
  Control timer{form, "T_timer", ControlKind::Timer, &root};
  fake::FakeRenderer user{form};
  std::vector<std::string> seen;

  Gallery() {
    types.entries = {{u"Full", 1}, {u"Minimal", 2}, {u"User", 0}};
    list.rows = {{{u"1", u"winamp.exe"}, 1}, {{u"2", u"wacup.exe"}, 2}};
    tree.items = {{u"Pack", u"MAIN", -1, 4},
                  {u"Plugins", u"GROUP", -1, 3},
                  {u"One", u"P1", 1, 2},
                  {u"Two", u"P2", 1, 1}};
    tree.selected = 0;
    box.onClick = [this] { seen.push_back(box.checked ? "checked" : "unchecked"); };
    types.onChange = [this] { seen.push_back("types " + std::to_string(types.selected)); };
    list.onChange = [this] { seen.push_back("list " + std::to_string(list.selected)); };
    edit.onChange = [this] { seen.push_back("edit " + toUtf8(edit.caption)); };
    tree.onTreeClick = [this](const TreeHit& hit) {
      seen.push_back("tree click " + std::to_string(hit.item) + " selected " +
                     std::to_string(tree.selected));
    };
    tree.onTreeMouseMove = [this](const TreeHit& hit) {
      seen.push_back("tree move " + std::to_string(hit.item));
    };
    timer.onTimer = [this] { seen.push_back("tick"); };
  }
};

TEST(Widgets, UserChangesReachTheModelBeforeTheHandler) {
  Gallery g;
  g.user.click("CB_box");
  g.user.check("CB_box", false);
  g.user.select("CB_types", 2);
  g.user.select("CB_types", 2);  // no change, no event
  g.user.select("LV_list", 1);
  g.user.select("LV_list", 7);  // beyond the rows: nothing selected
  g.user.type("Edt_dir", u"C:\\Winamp");
  g.user.type("Edt_dir", u"C:\\Winamp");
  g.user.treeClick("TV_tree", treehit::OnStateIcon, 3);
  g.user.treeClick("TV_tree", treehit::OnRight, 2);  // right of the label: no selection
  g.user.treeClick("TV_tree", treehit::Nowhere, -1);
  g.user.treeMove("TV_tree", treehit::OnLabel, 2);
  EXPECT_EQ(g.seen, (std::vector<std::string>{"checked", "unchecked", "types 2", "list 1",
                                              "list -1", "edit C:\\Winamp",
                                              "tree click 3 selected 3", "tree click 2 selected 3",
                                              "tree click -1 selected 3", "tree move 2"}));
}

TEST(Widgets, ProgramChangesRaiseNoEventsAndTimersTickOnlyWhenRunning) {
  Gallery g;
  g.box.checked = true;
  g.types.selected = 1;
  g.tree.selected = 2;
  g.user.tick("T_timer");  // no interval yet
  g.timer.interval = 50;
  g.timer.enabled = false;
  g.user.tick("T_timer");
  g.timer.enabled = true;
  g.user.tick("T_timer");
  EXPECT_EQ(g.seen, (std::vector<std::string>{"tick"}));
  EXPECT_EQ(g.tree.childrenOf(1), (std::vector<int>{2, 3}));
  EXPECT_EQ(g.tree.childrenOf(-1), (std::vector<int>{0, 1}));
}

TEST(Widgets, TreeHitOnItemOnly) {
  struct {
    unsigned flags;
    int item;
    bool onItem;
  } cases[] = {
      {treehit::OnStateIcon, 0, true}, {treehit::OnLabel, 1, true},
      {treehit::OnIcon, 1, true},      {treehit::OnIndent, 1, false},
      {treehit::OnRight, 1, false},    {treehit::OnLabel | treehit::ToRight, 1, false},
      {treehit::Nowhere, -1, false},   {treehit::OnLabel, -1, false},
  };
  for (const auto& c : cases) EXPECT_EQ((TreeHit{c.flags, c.item}.onItemOnly()), c.onItem);
}

TEST(Widgets, LayoutMeasuresTextPicturesAndGroupBoxFrames) {
  fake::FakeMeasure measure;  // 8 pt: 6 pixels a character, 13 a line
  Form form;
  Control root{form, "root", ControlKind::Panel, nullptr};
  Control line{form, "line", ControlKind::Label, &root};
  Control wrapped{form, "wrapped", ControlKind::Label, &root};
  Control picture{form, "picture", ControlKind::Picture, &root};
  Control group{form, "group", ControlKind::GroupBox, &root};
  Control inside{form, "inside", ControlKind::Label, &group};
  root.bounds = {0, 0, 200, 300};
  root.padding = {10, 0, 10, 0};
  line.caption = u"(c) 2026";  // 8 characters
  line.autoSize = true;
  line.bounds = {5, 250, 999, 999};
  wrapped.caption = Text(50, u'x');  // 300 pixels in a 180-pixel column: two lines
  wrapped.wordWrap = wrapped.autoSize = true;
  wrapped.dock(Align::Top);
  auto image = std::make_shared<Image>();
  image->width = 40;
  image->height = 30;
  picture.picture = image;
  picture.autoSize = true;
  picture.dock(Align::Left);
  group.dock(Align::Client);
  inside.dock(Align::Top, 20);

  layout(root, &measure);
  EXPECT_EQ(line.bounds, (Rect{5, 250, 48, 13}));
  EXPECT_EQ(wrapped.bounds, (Rect{10, 0, 180, 26}));
  EXPECT_EQ(picture.bounds, (Rect{10, 26, 40, 274}));
  EXPECT_EQ(group.bounds, (Rect{50, 26, 140, 274}));
  EXPECT_EQ(inside.bounds, (Rect{6, 13, 128, 20}));  // inside the frame and caption

  line.caption = u"longer text";
  picture.picture.reset();
  layout(root, &measure);
  EXPECT_EQ(line.bounds.width, 66);
  EXPECT_EQ(picture.bounds.width, 0);
}

}  // namespace
}  // namespace lingvora::test
