// One control of every kind, rendered by the real renderer in its own
// process and read back from outside as an automation client would; what
// a user does reaches the core (the gallery logs it into a label).
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

HWND named(HWND main, const wchar_t* name) {
  ChildWindow c = control(main, name);
  EXPECT_TRUE(c.hwnd) << "no window for the control";
  return c.hwnd;
}

bool logged(HWND main, const std::wstring& event) {
  return waitFor(
      [&] { return control(main, L"Lbl_Gallery_Events").text.find(event) != std::wstring::npos; });
}

void gallery(DWORD dpi) {
  Density density(dpi);
  PackDir pack("gallery-" + std::to_string(dpi), {}, env("LINGVORA_GALLERY_EXE"));
  Gui gui(pack, L"");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  ASSERT_TRUE(waitFor([&] { return control(main, L"LV_Gallery").visible; }));

  // The tree: texts, state images by position, bold top-level items, the
  // two children under the group, the focus on the tree.
  HWND tree = named(main, L"TV_Gallery");
  std::vector<TreeItemInfo> items = treeItems(tree);
  ASSERT_EQ(items.size(), 5u);
  const std::pair<const wchar_t*, int> expected[] = {
      {L"Pakiet", 4}, {L"Pomoc", 2}, {L"Wtyczki", 3}, {L"Jedna", 2}, {L"Dwie", 1}};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].text, expected[i].first);
    EXPECT_EQ(items[i].state, expected[i].second) << i;
    EXPECT_EQ(items[i].bold, items[i].depth == 0) << i;
  }
  EXPECT_EQ(items[3].depth, 1);
  EXPECT_EQ(treeSelection(tree), items[0].handle);
  EXPECT_EQ(GetWindowLongPtrW(tree, GWL_STYLE) & TVS_EDITLABELS, 0);

  // Drop-down list, check box, progress bars, edit box, report list.
  HWND types = named(main, L"CB_Gallery_Types");
  EXPECT_EQ(comboEntries(types),
            (std::vector<std::wstring>{L"Pełna", L"Minimalna", L"Użytkownika"}));
  EXPECT_EQ(comboSelection(types), 0);
  HWND run = named(main, L"CB_Gallery_Run");
  EXPECT_EQ(SendMessageW(run, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(windowText(run), L"Uruchom Winampa");
  HWND bar = named(main, L"PB_Gallery");
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageW(named(main, L"PB_Gallery_Gauge"), PBM_GETPOS, 0, 0), 70);
  HWND edit = named(main, L"Edt_Gallery");
  EXPECT_EQ(windowText(edit), L"C:\\Program Files\\Winamp");
  HWND list = named(main, L"LV_Gallery");
  EXPECT_EQ(listRows(list), (std::vector<std::vector<std::wstring>>{
                                {L"1204", L"5.9.2", L"C:\\Program Files\\Winamp\\winamp.exe"},
                                {L"2210", L"1.0.20", L"C:\\WACUP\\wacup.exe"}}));
  EXPECT_EQ(listColumnWidth(list, 0), MulDiv(50, int(dpi), 96));
  EXPECT_EQ(listSelection(list), -1);
  for (const wchar_t* name : {L"GB_Gallery", L"PBox_Gallery_Track", L"PBox_Gallery_Fill",
                              L"PBox_Gallery_Solid", L"Img_Gallery", L"Lbl_Gallery_Link"})
    EXPECT_TRUE(control(main, name).visible) << "not shown";
  // The picture is sized to its picture; the link to its text.
  const RECT picture = control(main, L"Img_Gallery").rect;
  EXPECT_EQ(picture.right - picture.left, MulDiv(48, int(dpi), 96));
  EXPECT_TRUE(waitFor([&] { return control(main, L"Lbl_Gallery_Ticks").text == L"ticks 5"; }));
  Sleep(300);
  EXPECT_TRUE(screenshot(
      main, env("LINGVORA_SCREENSHOTS") + "/gallery-" + std::to_string(dpi) + "dpi.png"));

  // What the user does reaches the model before the handler runs.
  click(run);
  EXPECT_TRUE(logged(main, L"checked"));
  EXPECT_EQ(SendMessageW(run, BM_GETCHECK, 0, 0), BST_CHECKED);
  pressKey(types, VK_DOWN);
  EXPECT_TRUE(logged(main, L"types 1"));
  EXPECT_EQ(comboSelection(types), 1);
  SendMessageW(edit, WM_SETTEXT, 0, LPARAM(L"D:\\Inny"));
  EXPECT_TRUE(logged(main, L"edit D:\\Inny"));
  EXPECT_EQ(windowText(edit), L"D:\\Inny");  // the next push keeps what the user typed
  listSelect(list, 1);
  EXPECT_TRUE(logged(main, L"list 1"));
  EXPECT_EQ(listSelection(list), 1);

  // The real pointer on the last item's state image: the hit test finds it,
  // the item is selected and the handler toggles it.
  SetForegroundWindow(main);
  const RECT label = treeItemRect(tree, items[4].handle, true);
  const POINT stateIcon{label.left - 8, (label.top + label.bottom) / 2};
  moveTo(tree, stateIcon);
  EXPECT_TRUE(waitFor([&] { return control(main, L"Lbl_Gallery_Pointer").text == L"Dwie"; }));
  clickAt(tree, stateIcon);
  EXPECT_TRUE(logged(main, L"tree click 4 selected 4"));
  EXPECT_TRUE(waitFor([&] { return treeItems(tree)[4].state == 2; }));
  EXPECT_EQ(treeSelection(tree), items[4].handle);
  const RECT link = control(main, L"Lbl_Gallery_Link").rect;
  POINT linkPoint{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
  ScreenToClient(main, &linkPoint);
  clickAt(main, linkPoint);
  EXPECT_TRUE(logged(main, L"link"));
  EXPECT_TRUE(waitFor([&] { return control(main, L"Lbl_Gallery_Pointer").text == L"left"; }));
}

TEST(Gallery, EveryKindAt96Dpi) { gallery(96); }
TEST(Gallery, EveryKindAt144Dpi) { gallery(144); }

}  // namespace
