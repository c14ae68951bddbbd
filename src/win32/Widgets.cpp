// The renderer's pushes to the system's own controls: rich text, trees,
// drop-down lists, report lists, progress bars, timers and the taskbar.
#include <richedit.h>

#include <algorithm>
#include <functional>
#include <string>

#include "Renderer.h"

namespace lingvora::win32 {
namespace {

constexpr UINT_PTR kFirstTimer = 1000;

// An image-list entry as a colour bitmap and its one-bit mask.
bool addMasked(HIMAGELIST list, const MaskedImage& entry, int width, int height) {
  const Image& image = entry.image;
  if (image.width != width || image.height != height) return false;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  WindowDc screen(nullptr);
  UniqueGdi colour(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour || !bits) return false;
  auto* pixels = static_cast<std::uint8_t*>(bits);
  std::copy(image.bgra.begin(), image.bgra.end(), pixels);
  // Mask rows are padded to 16 bits; 1 is transparent, and those colour
  // pixels must be black for the mask to show through.
  const int stride = ((width + 15) / 16) * 2;
  std::vector<std::uint8_t> maskBits(size_t(stride) * size_t(height), 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t i = size_t(y) * size_t(width) + size_t(x);
      if (i < entry.mask.size() && entry.mask[i]) {
        maskBits[size_t(y * stride + x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        std::fill_n(pixels + i * 4, 4, std::uint8_t(0));
      }
    }
  UniqueGdi mask(CreateBitmap(width, height, 1, 1, maskBits.data()));
  return mask && ImageList_Add(list, static_cast<HBITMAP>(colour.get()),
                               static_cast<HBITMAP>(mask.get())) >= 0;
}

bool sameStructure(const std::vector<TreeItem>& a, const std::vector<TreeItem>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.text == y.text && x.key == y.key && x.parent == y.parent;
  });
}

UINT itemState(const TreeItem& item) {
  return INDEXTOSTATEIMAGEMASK(std::clamp(item.state, 0, 15)) | (item.bold ? TVIS_BOLD : 0);
}

void setItemState(HWND tree, HTREEITEM handle, const TreeItem& item) {
  TVITEMW tv{};
  tv.mask = TVIF_STATE | TVIF_HANDLE;
  tv.hItem = handle;
  tv.state = itemState(item);
  tv.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
  SendMessageW(tree, TVM_SETITEMW, 0, LPARAM(&tv));
}

}  // namespace

namespace {

// The runs as one RTF document, which the box takes in a single message:
// a run with a face sets the character format, an alignment code 0 to 2
// sets its paragraph's alignment, a line break ends the paragraph.
class RtfWriter {
 public:
  explicit RtfWriter(const std::function<COLORREF(Color)>& resolve) : resolve_(resolve) {}

  std::string document(const std::vector<StyledRun>& runs) {
    std::string body;
    int alignment = 0;  // the paragraph's, inherited by the next one
    std::string paragraph;
    auto endParagraph = [&](bool last) {
      body += alignment == 1 ? "\\qc " : alignment == 2 ? "\\qr " : "\\ql ";
      body += paragraph;
      if (!last) body += "\\par\n";
      paragraph.clear();
    };
    for (const StyledRun& run : runs) {
      if (run.alignment >= 0 && run.alignment <= 2) alignment = run.alignment;
      if (!run.face.empty())
        paragraph += "\\plain\\f" + std::to_string(font(run.face, run.charset)) + "\\fs" +
                     std::to_string(run.points * 2) + "\\cf" + std::to_string(colour(run.color)) +
                     (run.bold ? "\\b " : "\\b0 ");
      paragraph += escaped(run.text);
      if (run.lineBreak) endParagraph(false);
    }
    endParagraph(true);
    std::string head = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i)
      head += "{\\f" + std::to_string(i) + "\\fcharset" + std::to_string(fonts_[i].second) + " " +
              escaped(fonts_[i].first) + ";}";
    head += "}{\\colortbl;";
    for (COLORREF c : colours_)
      head += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) +
              "\\blue" + std::to_string(GetBValue(c)) + ";";
    return head + "}\n" + body + "}";
  }

 private:
  int font(const Text& face, int charset) {
    for (size_t i = 0; i < fonts_.size(); ++i)
      if (fonts_[i].first == face && fonts_[i].second == charset) return int(i);
    fonts_.emplace_back(face, charset);
    return int(fonts_.size() - 1);
  }
  int colour(Color c) {
    const COLORREF rgb = resolve_(c);
    for (size_t i = 0; i < colours_.size(); ++i)
      if (colours_[i] == rgb) return int(i + 1);
    colours_.push_back(rgb);
    return int(colours_.size());
  }
  // ASCII as itself, the rest as Unicode escapes; the markup's own
  // characters escaped.
  static std::string escaped(const Text& text) {
    std::string out;
    for (char16_t ch : text) {
      if (ch == u'\\' || ch == u'{' || ch == u'}') {
        out += '\\';
        out += char(ch);
      } else if (ch >= 0x20 && ch < 0x80) {
        out += char(ch);
      } else if (ch == u'\t') {
        out += "\\tab ";
      } else if (ch == u'\n' || ch == u'\r') {
        out += "\\line ";
      } else {
        out += "\\u" + std::to_string(std::int16_t(ch)) + "?";
      }
    }
    return out;
  }
  std::function<COLORREF(Color)> resolve_;
  std::vector<std::pair<Text, int>> fonts_;
  std::vector<COLORREF> colours_;
};

}  // namespace

void Renderer::syncRuns(Control& c, Shadow& s) {
  if (!s.fresh && c.runs == s.runs) return;
  s.runs = c.runs;
  HWND w = s.window;
  const VisualStyle& style = app_.styles.active();
  if (style.custom) SendMessageW(w, EM_SETBKGNDCOLOR, 0, LPARAM(resolve(style.window)));
  RtfWriter writer([this](Color colour) { return resolve(colour); });
  const std::string rtf = writer.document(c.runs);
  SETTEXTEX how{ST_DEFAULT, CP_ACP};
  SendMessageW(w, EM_SETTEXTEX, WPARAM(&how), LPARAM(rtf.c_str()));
  SendMessageW(w, EM_SETSEL, 0, 0);
}

void Renderer::syncTreeImages(Control& c, Shadow& s) {
  static const std::vector<MaskedImage> none;
  const std::vector<MaskedImage>& images = c.stateImages ? c.stateImages->images : none;
  if (!s.fresh && images == s.stateImages) return;
  s.stateImages = images;
  const int width = images.empty() ? 16 : images.front().image.width;
  const int height = images.empty() ? 16 : images.front().image.height;
  UniqueImageList list(
      ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, int(images.size()), 0));
  if (!list) return;
  for (const MaskedImage& entry : images) addMasked(list.get(), entry, width, height);
  SendMessageW(s.window, TVM_SETIMAGELIST, TVSIL_STATE, LPARAM(list.get()));
  s.imageList = std::move(list);  // the previous list goes only once replaced
}

void Renderer::syncTree(Control& c, Shadow& s) {
  HWND w = s.window;
  syncTreeImages(c, s);
  if (s.fresh || c.indent != s.indent) {
    SendMessageW(w, TVM_SETINDENT, WPARAM(c.indent), 0);
    s.indent = c.indent;
  }
  if (s.fresh || !sameStructure(c.items, s.items)) {
    SendMessageW(w, WM_SETREDRAW, FALSE, 0);
    SendMessageW(w, TVM_DELETEITEM, 0, LPARAM(TVI_ROOT));
    s.itemHandles.assign(c.items.size(), nullptr);
    for (size_t i = 0; i < c.items.size(); ++i) {
      const TreeItem& item = c.items[i];
      TVINSERTSTRUCTW in{};
      const bool parentKnown = item.parent >= 0 && size_t(item.parent) < i;
      in.hParent = parentKnown ? s.itemHandles[size_t(item.parent)] : TVI_ROOT;
      in.hInsertAfter = TVI_LAST;
      in.item.mask = TVIF_TEXT | TVIF_STATE;
      in.item.pszText = const_cast<wchar_t*>(wide(item.text));
      in.item.state = itemState(item);
      in.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
      s.itemHandles[i] =
          reinterpret_cast<HTREEITEM>(SendMessageW(w, TVM_INSERTITEMW, 0, LPARAM(&in)));
    }
    s.items.clear();
    s.selected = -2;
    SendMessageW(w, WM_SETREDRAW, TRUE, 0);
  }
  for (size_t i = 0; i < c.items.size(); ++i) {
    const TreeItem& item = c.items[i];
    const bool known = i < s.items.size();
    if (!known || item.state != s.items[i].state || item.bold != s.items[i].bold)
      setItemState(w, s.itemHandles[i], item);
    if (!known || item.expanded != s.items[i].expanded)
      SendMessageW(w, TVM_EXPAND, item.expanded ? TVE_EXPAND : TVE_COLLAPSE,
                   LPARAM(s.itemHandles[i]));
  }
  s.items = c.items;
  if (c.selected != s.selected) {
    const bool valid = c.selected >= 0 && size_t(c.selected) < s.itemHandles.size();
    SendMessageW(w, TVM_SELECTITEM, TVGN_CARET,
                 LPARAM(valid ? s.itemHandles[size_t(c.selected)] : nullptr));
    s.selected = c.selected;
  }
}

TreeHit Renderer::treeHit(HWND tree, POINT client) const {
  TVHITTESTINFO info{};
  info.pt = client;
  SendMessageW(tree, TVM_HITTEST, 0, LPARAM(&info));
  TreeHit hit{unsigned(info.flags), -1};
  auto it = byWindow_.find(tree);
  if (it == byWindow_.end() || !info.hItem) return hit;
  const auto& handles = shadows_[it->second].itemHandles;
  auto found = std::find(handles.begin(), handles.end(), info.hItem);
  if (found != handles.end()) hit.item = int(found - handles.begin());
  return hit;
}

void Renderer::syncDropDown(Control& c, Shadow& s) {
  HWND w = s.window;
  if (s.fresh || c.entries != s.entries) {
    SendMessageW(w, CB_RESETCONTENT, 0, 0);
    for (const ListEntry& e : c.entries) {
      const LRESULT at = SendMessageW(w, CB_ADDSTRING, 0, LPARAM(wide(e.text)));
      if (at >= 0) SendMessageW(w, CB_SETITEMDATA, WPARAM(at), LPARAM(e.value));
    }
    s.entries = c.entries;
    s.selected = -2;
  }
  if (c.selected != s.selected) {
    SendMessageW(w, CB_SETCURSEL, WPARAM(c.selected), 0);
    s.selected = c.selected;
  }
}

void Renderer::syncList(Control& c, Shadow& s) {
  HWND w = s.window;
  if (s.fresh || c.columns != s.columns) {
    while (SendMessageW(w, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (size_t i = 0; i < c.columns.size(); ++i) {
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      col.pszText = const_cast<wchar_t*>(wide(c.columns[i].caption));
      col.cx = c.columns[i].width;
      col.iSubItem = int(i);
      SendMessageW(w, LVM_INSERTCOLUMNW, i, LPARAM(&col));
    }
    s.columns = c.columns;
  }
  if (s.fresh || c.rows != s.rows) {
    SendMessageW(w, LVM_DELETEALLITEMS, 0, 0);
    for (size_t r = 0; r < c.rows.size(); ++r) {
      const ListRow& row = c.rows[r];
      LVITEMW item{};
      item.mask = LVIF_TEXT | LVIF_PARAM;
      item.iItem = int(r);
      item.pszText = const_cast<wchar_t*>(row.cells.empty() ? L"" : wide(row.cells[0]));
      item.lParam = row.value;
      const int at = int(SendMessageW(w, LVM_INSERTITEMW, 0, LPARAM(&item)));
      for (size_t k = 1; at >= 0 && k < row.cells.size(); ++k) {
        LVITEMW sub{};
        sub.iSubItem = int(k);
        sub.pszText = const_cast<wchar_t*>(wide(row.cells[k]));
        SendMessageW(w, LVM_SETITEMTEXTW, WPARAM(at), LPARAM(&sub));
      }
    }
    s.rows = c.rows;
    s.selected = -2;
  }
  if (c.selected != s.selected) {
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(w, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(&clear));
    if (c.selected >= 0 && size_t(c.selected) < c.rows.size()) {
      LVITEMW set{};
      set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(w, LVM_SETITEMSTATE, WPARAM(c.selected), LPARAM(&set));
      SendMessageW(w, LVM_ENSUREVISIBLE, WPARAM(c.selected), FALSE);
    }
    s.selected = c.selected;
  }
}

void Renderer::syncProgress(Control& c, Shadow& s) {
  HWND w = s.window;
  if (s.fresh || c.minimum != s.minimum || c.maximum != s.maximum) {
    SendMessageW(w, PBM_SETRANGE32, WPARAM(c.minimum), LPARAM(c.maximum));
    s.minimum = c.minimum;
    s.maximum = c.maximum;
    s.position = -1;
  }
  if (s.fresh || c.step != s.step) {
    SendMessageW(w, PBM_SETSTEP, WPARAM(c.step), 0);
    s.step = c.step;
  }
  if (c.position != s.position) {
    SendMessageW(w, PBM_SETPOS, WPARAM(c.position), 0);
    s.position = c.position;
  }
  if (c.gauge) {
    // A gauge shows the program's own colours, without the style's look.
    const Color back = c.background == kDefaultColor ? kButtonFaceColor : c.background;
    const Color bar = c.barColor == kDefaultColor ? kHighlightColor : c.barColor;
    if (s.fresh || back != s.gaugeBack || bar != s.gaugeBar) {
      SendMessageW(w, PBM_SETBKCOLOR, 0, LPARAM(resolve(back)));
      SendMessageW(w, PBM_SETBARCOLOR, 0, LPARAM(resolve(bar)));
      s.gaugeBack = back;
      s.gaugeBar = bar;
    }
  }
}

void Renderer::syncTimer(size_t index, Control& c, Shadow& s) {
  const bool run = c.enabled && c.interval > 0;
  if (run == s.timerRunning && (!run || c.interval == s.timerInterval)) return;
  const UINT_PTR id = kFirstTimer + index;
  if (run)
    SetTimer(main_, id, UINT(c.interval), nullptr);
  else
    KillTimer(main_, id);
  s.timerRunning = run;
  s.timerInterval = c.interval;
}

void Renderer::timer(UINT_PTR id) {
  if (id < kFirstTimer || id - kFirstTimer >= shadows_.size()) return;
  Control* c = app_.form.controls()[id - kFirstTimer];
  if (c->kind == ControlKind::Timer) invoke_([c] { timerTick(*c); });
}

void Renderer::syncTaskbar() {
  const TaskbarProgress& want = app_.form.taskbar;
  if (want == taskbarShown_) return;
  if (!taskbarTried_) {
    taskbarTried_ = true;
    // The taskbar's progress is a COM service of the shell, needed only
    // once a page shows progress.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The taskbar may not offer progress (older systems): then nothing shows it.
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITaskbarList3, taskbar_.out())))
      taskbar_->HrInit();
  }
  taskbarShown_ = want;
  if (!taskbar_) return;
  const TBPFLAG state = want.state == TaskbarState::Error    ? TBPF_ERROR
                        : want.state == TaskbarState::Normal ? TBPF_NORMAL
                                                             : TBPF_NOPROGRESS;
  taskbar_->SetProgressState(main_, state);
  if (want.state != TaskbarState::None)
    taskbar_->SetProgressValue(main_, ULONGLONG(std::max(0, want.value)),
                               ULONGLONG(std::max(1, want.maximum)));
}

}  // namespace lingvora::win32
