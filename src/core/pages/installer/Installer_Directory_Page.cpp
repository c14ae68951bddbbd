#include "pages/installer/Installer_Directory_Page.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "config/Config.h"
#include "engine/Exchange.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

constexpr TextView kPage = u"INSTALLER_DIRECTORY_PAGE";
constexpr Color kRed = 0xD40000;

Text pageText(App& app, TextView key) { return readText(app, kPage, key); }
Text expandedText(App& app, TextView key) { return expandPlaceholders(app, pageText(app, key)); }

Text fixed(double value, int decimals, TextView separator) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 20), value);
  return replaceAll(fromUtf8(buffer), u".", separator);
}

SizeUnits readUnits(App& app) {
  return {pageText(app, u"INSTALLER_DIRECTORY_PAGE_UNIT_BYTES"),
          pageText(app, u"INSTALLER_DIRECTORY_PAGE_UNIT_KiB"),
          pageText(app, u"INSTALLER_DIRECTORY_PAGE_UNIT_MiB"),
          pageText(app, u"INSTALLER_DIRECTORY_PAGE_UNIT_GiB"),
          pageText(app, u"INSTALLER_DIRECTORY_PAGE_UNIT_TiB")};
}

// The group box's client area in its own coordinates.
struct ClientArea {
  int left = 0, top = 0, width = 0;
};

ClientArea clientArea(App& app, const Control& group) {
  const Margins in = app.form.measure ? app.form.measure->groupBoxInsets(group.font) : Margins{};
  return {in.left, in.top, group.bounds.width - in.left - in.right};
}

// What every label of the page shares: transparent, wrapped, of fixed size,
// in its own colour even under a dark style.
void label(App& app, Control& c, const Text& text, Color colour, bool bold = false) {
  c.caption = text;
  c.font = {u"Tahoma", 8, bold, false};
  c.fontColor = colour;
  c.fontColorFromStyle = !(app.state.installer.dark && colour != kDefaultColor);
  c.transparent = true;
  c.wordWrap = true;
  c.autoSize = false;
  c.centerVertically = false;
  c.align = Align::None;
  c.enabled = true;
  c.show();
}

// Places a control of the group box at a position designed at 96 dpi
// relative to the box's client area; left, top and sizes already scaled.
struct Placer {
  ClientArea area;
  void operator()(Control& c, int left, int top, int width, int height) const {
    c.bounds = {area.left + left, area.top + top, std::max(0, width), std::max(0, height)};
  }
  int bottom(const Control& c) const { return c.bounds.bottom() - area.top; }
};

Text percentOf(App& app, std::int64_t part, std::int64_t capacity, TextView separator) {
  return fixed(double(part) / double(capacity) * 100.0, 2, separator) +
         pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_PERCENT");
}

// The three figure rows, their legend squares and the usage bar or the
// red gauge that replaces it; returns the bottom of the bar.
int placeFigures(App& app, const Placer& place, int top, DirectoryVerdict verdict) {
  MainForm& f = app.form;
  WizardState& w = app.state.installer;
  const DiskFigures& d = w.disk;
  const SizeUnits units = readUnits(app);
  const Text sep = app.platform.locale.decimalSeparator();
  auto size = [&](std::int64_t n) { return formatSize(2, false, n, units, sep); };
  auto share = [&](std::int64_t n) {
    return d.capacity == 0 ? size(n) : size(n) + u" (" + percentOf(app, n, d.capacity, sep) + u")";
  };
  const int cw = place.area.width;
  const int line = lineHeight(app, {u"Tahoma", 8, false, false});
  auto s = [&](int n) { return app.scale(n); };

  Control& totalName = f.Lbl_Installer_DirectoryPage_Total_Desc;
  label(app, totalName, pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_CAPACITY") + u":",
        kSecondaryText);
  place(totalName, s(15), top, s(127), line);
  Control& total = f.Lbl_Installer_DirectoryPage_Total;
  label(app, total, formatSize(2, true, d.capacity, units, sep), kSecondaryText);
  place(total, s(152), top, cw - s(167), line);

  const bool spaceError = verdict == DirectoryVerdict::DiskInfoUnavailable ||
                          verdict == DirectoryVerdict::NotEnoughSpace;
  w.directory.usageError = spaceError;
  Control& usedSquare = f.PBox_Installer_DirectoryPage_Used;
  usedSquare.squareFill = spaceError ? SquareFill::Solid : SquareFill::Fill;
  usedSquare.background = spaceError ? kRed : kDefaultColor;
  place(usedSquare, s(15), place.bottom(totalName) + s(3), s(12), s(12));
  usedSquare.show();
  Control& usedName = f.Lbl_Installer_DirectoryPage_Used_Desc;
  label(app, usedName, pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_USED_SPACE") + u":",
        kSecondaryText);
  place(usedName, s(32), place.bottom(totalName) + s(2), s(110), line);
  Control& used = f.Lbl_Installer_DirectoryPage_Used;
  label(app, used, share(d.used), kSecondaryText);
  place(used, s(152), usedName.bounds.top - place.area.top, cw - s(167), line);

  Control& freeSquare = f.PBox_Installer_DirectoryPage_Free;
  freeSquare.squareFill = SquareFill::Track;
  place(freeSquare, s(15), place.bottom(usedSquare) + s(3), s(12), s(12));
  freeSquare.show();
  Control& freeName = f.Lbl_Installer_DirectoryPage_Free_Desc;
  label(app, freeName, pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_FREE_SPACE") + u":",
        kSecondaryText);
  place(freeName, s(32), place.bottom(usedSquare) + s(2), s(110), line);
  Control& free = f.Lbl_Installer_DirectoryPage_Free;
  label(app, free, share(d.free),
        verdict == DirectoryVerdict::NotEnoughSpace ? kRed : kSecondaryText);
  place(free, s(152), freeName.bounds.top - place.area.top, cw - s(167), line);

  const int barTop = place.bottom(free) + s(3);
  const int position = usagePosition(d);
  Control& bar = f.PB_Installer_DirectoryPage_Usage;
  Control& panel = f.P_Installer_DirectoryPage_UsageError;
  Control& gauge = f.PB_Installer_DirectoryPage_UsageError;
  if (spaceError) {
    bar.hide();
    const bool dark = w.dark;
    panel.background = dark ? 0x2B2B2B : 0xBCBCBC;
    place(panel, s(15), barTop, cw - s(30), s(10));
    panel.show();
    gauge.gauge = true;
    gauge.minimum = 0, gauge.maximum = 100, gauge.position = position;
    gauge.background = dark ? 0x191919 : 0xE6E6E6;
    gauge.barColor = kRed;
    gauge.align = Align::None;
    gauge.bounds = {1, 1, std::max(0, panel.bounds.width - 2), s(8)};
    gauge.show();
    return place.bottom(panel);
  }
  panel.hide();
  gauge.hide();
  bar.gauge = false;
  bar.minimum = 0, bar.maximum = 100, bar.position = position;
  place(bar, s(15), barTop, cw - s(30), s(8));
  bar.show();
  return place.bottom(bar);
}

struct InfoRow {
  Control& name;
  Control& value;
  const char16_t* key;
  Text text;
};

void placeInformation(App& app, const Placer& place, int top, const Text& diskLine) {
  MainForm& f = app.form;
  const WinampRecord& r = app.state.installer.record;
  auto s = [&](int n) { return app.scale(n); };
  const int cw = place.area.width;
  const int line = lineHeight(app, {u"Tahoma", 8, false, false});
  Control& disk = f.Lbl_Installer_DirectoryPage_DiskInfo;
  label(app, disk, diskLine, kSecondaryText);
  place(disk, s(15), top, cw - s(30), s(14));

  const InfoRow rows[] = {
      {f.Lbl_Installer_DirectoryPage_Info_Version_Desc, f.Lbl_Installer_DirectoryPage_Info_Version,
       u"INSTALLER_DIRECTORY_PAGE_INFO_VERSION", r.FileVersion + u" (" + r.CompanyName + u")"},
      {f.Lbl_Installer_DirectoryPage_Info_Copyright_Desc,
       f.Lbl_Installer_DirectoryPage_Info_Copyright, u"INSTALLER_DIRECTORY_PAGE_INFO_COPYRIGHT",
       r.LegalCopyright},
      {f.Lbl_Installer_DirectoryPage_Info_InstallDir_Desc,
       f.Lbl_Installer_DirectoryPage_Info_InstallDir, u"INSTALLER_DIRECTORY_PAGE_INFO_INSTALL_DIR",
       r.InstallDir},
      {f.Lbl_Installer_DirectoryPage_Info_ConfigDir_Desc,
       f.Lbl_Installer_DirectoryPage_Info_ConfigDir, u"INSTALLER_DIRECTORY_PAGE_INFO_CONFIG_DIR",
       r.ConfigDir},
      {f.Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc,
       f.Lbl_Installer_DirectoryPage_Info_ConfigFile, u"INSTALLER_DIRECTORY_PAGE_INFO_CONFIG_FILE",
       r.ConfigFile},
  };
  int at = place.bottom(disk) + s(20);
  for (const InfoRow& row : rows) {
    label(app, row.name, expandedText(app, row.key), kSecondaryText);
    place(row.name, s(15), at, s(110), line);
    label(app, row.value, row.text, kSecondaryText);
    place(row.value, s(135), at, cw - s(215), line);
    at = place.bottom(row.name) + s(2);
  }
  Control& picture = f.Img_Installer_DirectoryPage_Info;
  place(picture, cw - s(79), rows[0].name.bounds.top - place.area.top, s(64), s(64));
}

const char16_t* explanationKey(DirectoryVerdict v) {
  switch (v) {
    case DirectoryVerdict::DiskInfoUnavailable:
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_1";
    case DirectoryVerdict::NotEnoughSpace:
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_2";
    case DirectoryVerdict::NewerVersionInstalled:
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_NEWER_VERSION_INSTALLED";
    case DirectoryVerdict::OlderVersionInstalled:
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_OLDER_VERSION_INSTALLED";
    case DirectoryVerdict::WacupInstalled:
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_WACUP_INSTALLED";
    default:  // no player, no directory
      return u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_3";
  }
}

void placeErrorBlock(App& app, const Placer& place, DirectoryVerdict verdict) {
  MainForm& f = app.form;
  auto s = [&](int n) { return app.scale(n); };
  const int cw = place.area.width;
  f.Lbl_Installer_DirectoryPage_DiskInfo.hide();
  for (Control* c : {&f.Lbl_Installer_DirectoryPage_Info_Version_Desc,
                     &f.Lbl_Installer_DirectoryPage_Info_Version,
                     &f.Lbl_Installer_DirectoryPage_Info_Copyright_Desc,
                     &f.Lbl_Installer_DirectoryPage_Info_Copyright,
                     &f.Lbl_Installer_DirectoryPage_Info_InstallDir_Desc,
                     &f.Lbl_Installer_DirectoryPage_Info_InstallDir,
                     &f.Lbl_Installer_DirectoryPage_Info_ConfigDir_Desc,
                     &f.Lbl_Installer_DirectoryPage_Info_ConfigDir,
                     &f.Lbl_Installer_DirectoryPage_Info_ConfigFile_Desc,
                     &f.Lbl_Installer_DirectoryPage_Info_ConfigFile})
    c->hide();
  Control& heading = f.Lbl_Installer_DirectoryPage_Info;
  label(app, heading, expandedText(app, u"INSTALLER_DIRECTORY_PAGE_MSG_ERROR_INVALID"), kRed, true);
  heading.centerVertically = true;
  place(heading, s(95), s(110), cw - s(110), s(40));
  Control& explanation = f.Lbl_Installer_DirectoryPage_Info2;
  label(app, explanation, expandedText(app, explanationKey(verdict)), kRed);
  place(explanation, s(15), s(160), cw - s(30), s(65));
  place(f.Img_Installer_DirectoryPage_Info, s(20), s(100), s(64), s(64));
}

Text diskLine(App& app, const Text& drive, const Text& volume) {
  const DiskFigures& d = app.state.installer.disk;
  const SizeUnits units = readUnits(app);
  const Text sep = app.platform.locale.decimalSeparator();
  auto size = [&](std::int64_t n) { return formatSize(2, false, n, units, sep); };
  const Text afterDrive = volume.empty() ? Text(u" - ") : u" (" + volume + u"): ";
  return pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_DISK") + u" " + drive + afterDrive +
         size(d.free) + u" " + pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_DISK_FREE") + u" " +
         size(d.capacity) + u" (" + pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_REQUIRED_SPACE") +
         u": " + size(d.required) + u")";
}

}  // namespace

Text formatSize(int decimals, bool withBytes, std::int64_t size, const SizeUnits& units,
                TextView separator) {
  if (size == 0) return u"-";
  if (size < 1024) return decimal(size) + u" " + units.bytes;
  const Text* unit[] = {&units.kib, &units.mib, &units.gib, &units.tib};
  int k = 0;
  double scaled = double(size) / 1024.0;
  for (std::int64_t limit = std::int64_t(1) << 20; k < 3 && size >= limit; limit <<= 10, ++k)
    scaled /= 1024.0;
  Text text = fixed(scaled, decimals, separator) + u" " + *unit[k];
  if (withBytes) text += u" (" + decimal(size) + u" " + units.bytes + u")";
  return text;
}

int usagePosition(const DiskFigures& d) {
  if (d.capacity <= 0) return 0;
  const auto capacity = std::uint64_t(d.capacity);
  const auto used = std::uint64_t(std::clamp<std::int64_t>(d.used, 0, d.capacity));
  // used × 100 div capacity, exactly, without the product: a hundred
  // additions of used, counting the capacities they fill. The remainder
  // stays below the capacity, so a sum never passes twice the capacity.
  int position = 0;
  std::uint64_t remainder = 0;
  for (int i = 0; i < 100; ++i) {
    remainder += used;
    if (remainder >= capacity) remainder -= capacity, ++position;
  }
  return position;
}

DirectoryVerdict buildDirectoryPage(App& app, const Text& dir) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.directory.usageError = false;
  w.disk = {};
  const DirectoryVerdict verdict = checkPlayerDirectory(app, dir, false);
  const bool ok = verdict == DirectoryVerdict::Ok;
  w.directory.accepted.reset();
  if (ok) w.directory.accepted = w.record.InstallDir;
  const Text drive = ok ? drivePart(dir) : Text();
  const Text volume = ok ? app.platform.files.volumeLabel(driveRoot(dir)) : Text();
  auto s = [&](int n) { return app.scale(n); };

  Control& title = f.Lbl_Installer_DirectoryPage_Title;
  label(app, title, expandedText(app, u"INSTALLER_DIRECTORY_PAGE_TEXT_TOP"), kDefaultColor);
  title.dock(Align::Top, s(43), {s(15), s(10), s(15), s(1)});
  Control& group = f.GB_Installer_DirectoryPage;
  group.caption = pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_GB");
  group.font = {u"Tahoma", 8, false, false};
  group.dock(Align::Client, -1, {s(15), s(1), s(15), s(10)}).show();
  f.relayout();
  const Placer place{clientArea(app, group)};
  const int cw = place.area.width;

  Control& browse = f.Btn_Installer_DirectoryPage_Browse;
  browse.caption = pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_BTN");
  browse.enabled = true;
  browse.align = Align::None;
  place(browse, cw - s(15) - s(100), s(18), s(100), s(25));
  browse.show();
  Control& box = f.Edt_Installer_DirectoryPage_Dir;
  box.caption = dir;
  box.readOnly = true;
  box.enabled = true;
  box.align = Align::None;
  place(box, s(15), s(20), cw - s(135), s(21));
  box.show();

  const int barBottom = placeFigures(app, place, place.bottom(box) + s(5), verdict);
  Control& picture = f.Img_Installer_DirectoryPage_Info;
  picture.picture.reset();
  picture.align = Align::None;
  picture.autoSize = picture.stretch = false;
  picture.center = true;
  const Text bucket = densityBucket(app.density());
  if (ok) {
    f.Lbl_Installer_DirectoryPage_Info.hide();
    f.Lbl_Installer_DirectoryPage_Info2.hide();
    placeInformation(app, place, barBottom + s(5), diskLine(app, drive, volume));
    loadPicture(app.platform.images, w.libraryPath, pictureName::info(w.values.mode, bucket),
                picture);
  } else {
    placeErrorBlock(app, place, verdict);
    loadPicture(app.platform.images, w.libraryPath, pictureName::directoryError(bucket), picture);
  }
  picture.show();

  const FooterCaptions& c = w.captions;
  setFooter(app, {{true, true, c.back}, {true, ok, c.install}, {true, true, c.cancel}});
  return verdict;
}

void showDirectoryPage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = 3;
  setInstallerCaption(app);
  f.P_Installer_DefaultPage.background = kButtonFaceColor;
  f.P_Installer_DefaultPage.dock(Align::Client).show();
  showInstallerPageHeader(app, expandedText(app, u"INSTALLER_DIRECTORY_PAGE_TITLE"),
                          expandedText(app, u"INSTALLER_DIRECTORY_PAGE_SUBTITLE"));
  fillBrandingLabel(app);
  // The page is laid out before its content, which stands where the group
  // box's client area puts it.
  f.P_Installer_DirectoryPage.background = kButtonFaceColor;
  f.P_Installer_DirectoryPage.dock(Align::Client).show();
  f.Btn_Installer_DirectoryPage_Browse.onClick = [&app] { browseForDirectory(app); };
  buildDirectoryPage(app, w.record.InstallDir);
}

void browseForDirectory(App& app) {
  const Text current = app.form.Edt_Installer_DirectoryPage_Dir.caption;
  const Text tested = asTestedPath(current);
  const bool exists = !current.empty() && app.platform.files.directoryExists(tested);
  auto chosen = app.platform.dialogs.browseForFolder(
      pageText(app, u"INSTALLER_DIRECTORY_PAGE_DIR_BROWSE"), exists ? tested : Text());
  // A choice without a file-system path is no choice.
  if (!chosen || chosen->empty()) return;
  Text dir = *chosen;
  if (dir.back() == u'\\') dir.pop_back();
  if (dir.empty()) return;
  buildDirectoryPage(app, dir);
}

void leaveDirectoryPage(App& app) {
  WizardState& w = app.state.installer;
  // Next is enabled only for an accepted directory; the engine must never
  // be handed a record that no check accepted.
  if (!w.directory.accepted) throw std::runtime_error("No player directory has been accepted.");
  w.record.InstallDir = *w.directory.accepted;
  writeInfoSection(app, w);
}

}  // namespace lingvora
