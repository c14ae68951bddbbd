#pragma once
// Reads and drives the system's controls of another process, as a UI
// automation client does: structures that a message fills are passed
// through memory in the target process.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace driver {

struct TreeItemInfo {
  HTREEITEM handle;
  std::wstring text;
  int state;  // the state image's position
  bool bold;
  int depth;  // 0 for top-level items
};

// Every item of a tree view, top to bottom, children after their parent.
std::vector<TreeItemInfo> treeItems(HWND tree);
// The item's rectangle in the tree's client coordinates (textOnly: its label).
RECT treeItemRect(HWND tree, HTREEITEM item, bool textOnly);
HTREEITEM treeSelection(HWND tree);

std::vector<std::wstring> comboEntries(HWND combo);
int comboSelection(HWND combo);

// The rows of a report list, each with the texts of its columns.
std::vector<std::vector<std::wstring>> listRows(HWND list);
int listSelection(HWND list);
// Selects a row as a user's click would (the list reports the change).
void listSelect(HWND list, int row);
int listColumnWidth(HWND list, int column);

// A click of the real pointer at a point of the window's client area.
void clickAt(HWND window, POINT client);
// Moves the real pointer to a point of the window's client area.
void moveTo(HWND window, POINT client);

}  // namespace driver
