#include "driver/Controls.h"

#include <algorithm>

namespace driver {
namespace {

// A block of memory in the process that owns a window.
class Remote {
 public:
  Remote(HWND window, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Remote() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  Remote(const Remote&) = delete;
  Remote& operator=(const Remote&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
  void write(size_t offset, const void* data, size_t n) const {
    WriteProcessMemory(process_, at(offset), data, std::min(n, size_ - offset), nullptr);
  }
  void read(size_t offset, void* data, size_t n) const {
    ReadProcessMemory(process_, at(offset), data, std::min(n, size_ - offset), nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

constexpr size_t kTextChars = 512;

TreeItemInfo readTreeItem(HWND tree, HTREEITEM item, int depth) {
  Remote mem(tree, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
  TreeItemInfo info{item, L"", 0, false, depth};
  if (!mem.ok()) return info;
  TVITEMW tv{};
  tv.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
  tv.hItem = item;
  tv.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
  tv.pszText = reinterpret_cast<wchar_t*>(mem.at(sizeof tv));
  tv.cchTextMax = int(kTextChars);
  mem.write(0, &tv, sizeof tv);
  SendMessageW(tree, TVM_GETITEMW, 0, LPARAM(mem.at(0)));
  mem.read(0, &tv, sizeof tv);
  std::wstring text(kTextChars, L'\0');
  mem.read(sizeof tv, text.data(), kTextChars * sizeof(wchar_t));
  text.resize(wcsnlen(text.c_str(), kTextChars));
  info.text = text;
  info.state = int((tv.state & TVIS_STATEIMAGEMASK) >> 12);
  info.bold = (tv.state & TVIS_BOLD) != 0;
  return info;
}

void walkTree(HWND tree, HTREEITEM item, int depth, std::vector<TreeItemInfo>& out) {
  for (; item; item = HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(item)))) {
    out.push_back(readTreeItem(tree, item, depth));
    walkTree(tree, HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(item))),
             depth + 1, out);
  }
}

void sendClick(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

}  // namespace

std::vector<TreeItemInfo> treeItems(HWND tree) {
  std::vector<TreeItemInfo> out;
  walkTree(tree, HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0, out);
  return out;
}

RECT treeItemRect(HWND tree, HTREEITEM item, bool textOnly) {
  Remote mem(tree, sizeof(RECT));
  RECT r{};
  if (!mem.ok()) return r;
  // The message takes the item's handle in the rectangle it fills.
  mem.write(0, &item, sizeof item);
  SendMessageW(tree, TVM_GETITEMRECT, textOnly, LPARAM(mem.at(0)));
  mem.read(0, &r, sizeof r);
  return r;
}

HTREEITEM treeSelection(HWND tree) {
  return HTREEITEM(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

std::vector<std::wstring> comboEntries(HWND combo) {
  std::vector<std::wstring> out;
  const int count = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(size_t(SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()));
    text.resize(wcslen(text.c_str()));
    out.push_back(text);
  }
  return out;
}

int comboSelection(HWND combo) { return int(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

std::vector<std::vector<std::wstring>> listRows(HWND list) {
  std::vector<std::vector<std::wstring>> rows;
  HWND header = HWND(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = std::max(1, int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
  const int count = int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  Remote mem(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!mem.ok()) return rows;
  for (int r = 0; r < count; ++r) {
    std::vector<std::wstring> row;
    for (int c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = c;
      item.pszText = reinterpret_cast<wchar_t*>(mem.at(sizeof item));
      item.cchTextMax = int(kTextChars);
      mem.write(0, &item, sizeof item);
      const int n = int(SendMessageW(list, LVM_GETITEMTEXTW, WPARAM(r), LPARAM(mem.at(0))));
      std::wstring text(kTextChars, L'\0');
      mem.read(sizeof item, text.data(), kTextChars * sizeof(wchar_t));
      text.resize(size_t(std::clamp(n, 0, int(kTextChars))));
      row.push_back(text);
    }
    rows.push_back(row);
  }
  return rows;
}

int listSelection(HWND list) {
  return int(SendMessageW(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void listSelect(HWND list, int row) {
  Remote mem(list, sizeof(LVITEMW));
  if (!mem.ok()) return;
  LVITEMW item{};
  item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  mem.write(0, &item, sizeof item);
  SendMessageW(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(mem.at(0)));
}

int listColumnWidth(HWND list, int column) {
  return int(SendMessageW(list, LVM_GETCOLUMNWIDTH, WPARAM(column), 0));
}

void moveTo(HWND window, POINT client) {
  ClientToScreen(window, &client);
  SetCursorPos(client.x, client.y);
}

void clickAt(HWND window, POINT client) {
  ClientToScreen(window, &client);
  sendClick(client);
}

}  // namespace driver
