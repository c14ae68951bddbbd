// The installer's Components page in the real GUI.exe on the example pack:
// the tree and the install types read from outside, state icons clicked
// with the real pointer, types picked from the open drop-down list, the
// description under the pointer, and the choices in GUI.ini after Next.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

bool shown(HWND main, const wchar_t* name) {
  ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}

std::string shot(const std::string& name) { return env("LINGVORA_SCREENSHOTS") + "/" + name; }

std::vector<int> states(HWND tree) {
  std::vector<int> out;
  for (const TreeItemInfo& item : treeItems(tree)) out.push_back(item.state);
  return out;
}

// The middle of an item's state image: just left of its label.
POINT stateIcon(HWND tree, int item) {
  const RECT label = treeItemRect(tree, treeItems(tree)[size_t(item)].handle, true);
  return {label.left - 8, (label.top + label.bottom) / 2};
}

POINT labelOf(HWND tree, int item) {
  const RECT label = treeItemRect(tree, treeItems(tree)[size_t(item)].handle, true);
  return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
}

struct ListSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findDroppedList(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<ListSearch*>(lp);
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  if (owner == s->pid && IsWindowVisible(w) && std::wstring(cls) == L"ComboLBox") {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

// The open list of a drop-down of that process.
HWND droppedList(DWORD pid) {
  ListSearch search{pid, nullptr};
  EnumWindows(findDroppedList, LPARAM(&search));
  return search.found;
}

// Opens the drop-down with the pointer and clicks the entry in its list.
void pickType(HWND combo, DWORD pid, int entry) {
  RECT r{};
  GetClientRect(combo, &r);
  clickAt(combo, {r.right / 2, r.bottom / 2});
  HWND list = nullptr;
  ASSERT_TRUE(waitFor([&] { return (list = droppedList(pid)) != nullptr; }));
  const int height = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  clickAt(list, {10, height * entry + height / 2});
  ASSERT_TRUE(waitFor([&] { return !droppedList(pid); }));
}

// What a child window shows, as pixels (a rectangle of its client area),
// copied out of its top-level window as the screenshots are.
std::vector<COLORREF> pixels(HWND window, RECT r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return {};
  HWND top = GetAncestor(window, GA_ROOT);
  RECT frame{};
  GetWindowRect(top, &frame);
  POINT origin{r.left, r.top};
  ClientToScreen(window, &origin);
  HDC src = GetWindowDC(top);
  HDC mem = CreateCompatibleDC(src);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(src, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, src, origin.x - frame.left, origin.y - frame.top, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const COLORREF*>(bits);
  std::vector<COLORREF> out(px, px + size_t(w) * size_t(h));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(top, src);
  return out;
}

std::vector<COLORREF> pixels(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return pixels(window, r);
}

// The state image of an item, a 16 x 16 square left of its label.
std::vector<COLORREF> stateImage(HWND tree, int item) {
  const POINT c = stateIcon(tree, item);
  return pixels(tree, {c.x - 6, c.y - 6, c.x + 6, c.y + 6});
}

std::wstring profile(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[64] = {};
  GetPrivateProfileStringW(section, key, L"-", value, 64, file.c_str());
  return value;
}

void componentsPage(DWORD dpi, bool dark, const std::string& tag) {
  InstalledPlayer player;
  ASSERT_TRUE(player.copied);
  Density density(dpi);
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("components-" + tag, kFullPack);
  Gui gui(pack, L"/ACTION=0");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  SetForegroundWindow(main);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"Lbl_Installer_WelcomePage_Title"); }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"RE_Installer_LicensePage"); }));
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"TV_Installer_ComponentsPage_InstallTypes"); }));

  // Full: every component checked, the main pack always installed.
  HWND tree = control(main, L"TV_Installer_ComponentsPage_InstallTypes").hwnd;
  HWND types = control(main, L"CB_Installer_ComponentsPage_InstallTypes").hwnd;
  const std::vector<TreeItemInfo> items = treeItems(tree);
  ASSERT_EQ(items.size(), 6u);
  const std::pair<const wchar_t*, int> expected[] = {{L"Polski pakiet językowy (wymagany)", 0},
                                                     {L"Polska pomoc Winampa", 0},
                                                     {L"Klasyczna skórka", 0},
                                                     {L"Tłumaczenia dodatkowych wtyczek", 0},
                                                     {L"MilkDrop", 1},
                                                     {L"Advanced Visualization Studio", 1}};
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].text, expected[i].first) << i;
    EXPECT_EQ(items[i].depth, expected[i].second) << i;
    EXPECT_EQ(items[i].bold, items[i].depth == 0) << i;
  }
  EXPECT_EQ(states(tree), (std::vector<int>{4, 2, 2, 2, 2, 2}));
  EXPECT_EQ(treeSelection(tree), items[0].handle);
  EXPECT_EQ(comboEntries(types),
            (std::vector<std::wstring>{L"Pełna", L"Minimalna", L"Użytkownika"}));
  EXPECT_EQ(comboSelection(types), 0);
  EXPECT_EQ(control(main, L"GB_Installer_ComponentsPage_InstallTypes").text, L"Opis");
  EXPECT_EQ(control(main, L"Lbl_Installer_ComponentsPage_InfoName").text, L"LINGVORA PL");
  EXPECT_EQ(control(main, L"Lbl_Installer_ComponentsPage_InfoDesc").text,
            L"Wskaż składnik myszą, aby zobaczyć jego opis.");
  EXPECT_FALSE(control(main, L"Lbl_Installer_ComponentsPage_InfoDesc").enabled);
  EXPECT_EQ(control(main, L"Btn_GUI_Next").text, L"&Dalej >");
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("components-" + tag + ".png")));

  // The pointer over an item describes it, with its picture; off the tree,
  // the no-component description returns.
  HWND picture = control(main, L"Img_Installer_ComponentsPage_Info").hwnd;
  const std::vector<COLORREF> noComponent = pixels(picture);
  moveTo(tree, labelOf(tree, 1));
  EXPECT_TRUE(waitFor(
      [&] { return control(main, L"Lbl_Installer_ComponentsPage_InfoName").text == L"POMOC"; }));
  EXPECT_TRUE(control(main, L"Lbl_Installer_ComponentsPage_InfoDesc").enabled);
  EXPECT_TRUE(waitFor([&] { return pixels(picture) != noComponent; }));
  const std::vector<COLORREF> help = pixels(picture);
  moveTo(tree, labelOf(tree, 2));
  EXPECT_TRUE(waitFor([&] { return pixels(picture) != help; }));
  moveTo(main, {5, 5});
  EXPECT_TRUE(waitFor([&] {
    return control(main, L"Lbl_Installer_ComponentsPage_InfoName").text == L"LINGVORA PL";
  }));
  EXPECT_TRUE(waitFor([&] { return pixels(picture) == noComponent; }));
  EXPECT_FALSE(control(main, L"Lbl_Installer_ComponentsPage_InfoDesc").enabled);
  moveTo(tree, labelOf(tree, 1));
  EXPECT_TRUE(waitFor(
      [&] { return control(main, L"Lbl_Installer_ComponentsPage_InfoName").text == L"POMOC"; }));

  // State icons clicked with the real pointer; the list follows the count.
  auto clickState = [&](int item, std::vector<int> after, int type) {
    clickAt(tree, stateIcon(tree, item));
    EXPECT_TRUE(waitFor([&] { return states(tree) == after; })) << "item " << item;
    EXPECT_EQ(states(tree), after);
    EXPECT_TRUE(waitFor([&] { return comboSelection(types) == type; })) << "item " << item;
    EXPECT_EQ(treeSelection(tree), items[size_t(item)].handle) << "item " << item;
  };
  clickState(2, {4, 2, 1, 2, 2, 2}, 2);  // four chosen: no type has four
  clickState(4, {4, 2, 1, 3, 1, 2}, 1);  // three: Minimal's count
  // Each state its own image (items off the selected row): disabled,
  // checked twice, unchecked, mixed.
  EXPECT_EQ(stateImage(tree, 1), stateImage(tree, 5));
  for (auto [a, b] : {std::pair{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}})
    EXPECT_NE(stateImage(tree, a), stateImage(tree, b)) << a << " " << b;
  clickState(0, {4, 2, 1, 3, 1, 2}, 1);  // the main pack stays
  clickAt(tree, labelOf(tree, 1));       // a label changes nothing
  Sleep(300);
  EXPECT_EQ(states(tree), (std::vector<int>{4, 2, 1, 3, 1, 2}));
  EXPECT_EQ(control(main, L"Lbl_Installer_ComponentsPage_InfoName").text, L"POMOC");

  // Types picked from the open list: Full rebuilds, User keeps the tree,
  // Minimal rebuilds; nothing under the list is toggled.
  pickType(types, gui.pid(), 0);
  EXPECT_TRUE(waitFor([&] { return states(tree) == std::vector<int>{4, 2, 2, 2, 2, 2}; }));
  EXPECT_EQ(comboSelection(types), 0);
  pickType(types, gui.pid(), 2);
  Sleep(300);
  EXPECT_EQ(states(tree), (std::vector<int>{4, 2, 2, 2, 2, 2}));
  EXPECT_EQ(comboSelection(types), 2);
  pickType(types, gui.pid(), 1);
  EXPECT_TRUE(waitFor([&] { return states(tree) == std::vector<int>{4, 2, 1, 3, 1, 2}; }));
  EXPECT_EQ(comboSelection(types), 1);
  clickState(2, {4, 2, 2, 3, 1, 2}, 2);
  moveTo(tree, labelOf(tree, 2));
  EXPECT_TRUE(waitFor([&] {
    return control(main, L"Lbl_Installer_ComponentsPage_InfoName").text == L"KLASYCZNA SKÓRKA";
  }));
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("components-chosen-" + tag + ".png")));

  // Next records every choice in GUI.ini.
  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"P_Installer_DirectoryPage"); }));
  const std::wstring ini = pack.file(L"GUI.ini");
  for (auto [section, choice] : {std::pair{L"LANG_PACK_OFFICIAL_WLZ", L"1"},
                                 {L"LANG_PACK_HELP_PLUGIN", L"1"},
                                 {L"LANG_PACK_CLASSIC_SKIN", L"1"},
                                 {L"LANG_PACK_PLUGIN_MILKDROP", L"0"},
                                 {L"LANG_PACK_PLUGIN_AVS", L"1"}})
    EXPECT_EQ(profile(ini, section, L"PluginChoice"), choice) << section;
  EXPECT_EQ(profile(ini, L"PROJECT", L"ProjectFullName"), L"Lingvora PL");

  // Back shows the tree as the user left it.
  click(control(main, L"Btn_GUI_Back").hwnd);
  ASSERT_TRUE(waitFor([&] { return shown(main, L"TV_Installer_ComponentsPage_InstallTypes"); }));
  EXPECT_EQ(states(tree), (std::vector<int>{4, 2, 2, 3, 1, 2}));
  EXPECT_EQ(comboSelection(types), 2);

  click(control(main, L"Btn_GUI_Cancel").hwnd);
  HWND question = gui.waitMessageBox();
  ASSERT_TRUE(question);
  answer(question, IDYES);
  EXPECT_EQ(gui.waitExit(), 0u);
}

TEST(ComponentsPage, LightAt96Dpi) { componentsPage(96, false, "light-96dpi"); }
TEST(ComponentsPage, DarkAt96Dpi) { componentsPage(96, true, "dark-96dpi"); }
TEST(ComponentsPage, LightAt144Dpi) { componentsPage(144, false, "light-144dpi"); }

}  // namespace
