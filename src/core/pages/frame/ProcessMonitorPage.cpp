#include "pages/frame/ProcessMonitorPage.h"

#include <algorithm>

#include "config/Config.h"
#include "images/Pictures.h"
#include "pages/frame/PageFrame.h"
#include "player/Version.h"

namespace lingvora {
namespace {

Text pageText(App& app, const ProcessMonitorPage& page, TextView suffix) {
  return readText(app, page.section, Text(page.section) + Text(suffix));
}

Text expandedText(App& app, const ProcessMonitorPage& page, TextView suffix) {
  return expandPlaceholders(app, pageText(app, page, suffix));
}

// The player a row stands for; none for a row without one.
const RunningPlayer* rowPlayer(const ProcessMonitorPage& page, int row) {
  const Control& list = page.list;
  if (row < 0 || row >= int(list.rows.size())) return nullptr;
  const int index = list.rows[std::size_t(row)].value;
  const auto& players = page.wizard.runningPlayers;
  return index >= 0 && index < int(players.size()) ? &players[std::size_t(index)] : nullptr;
}

void fillList(App& app, const ProcessMonitorPage& page) {
  Control& list = page.list;
  list.columns.clear();
  const int widths[] = {50, 150, 150};
  int used = 0;
  for (int i = 0; i < 3; ++i) {
    list.columns.push_back(
        {expandedText(app, page, u"_TEXT_COLUMN_" + decimal(i + 1)), app.scale(widths[i])});
    used += list.columns.back().width;
  }
  const int client =
      app.form.measure ? app.form.measure->listClientWidth(list.bounds.width) : list.bounds.width;
  list.columns.push_back(
      {expandedText(app, page, u"_TEXT_COLUMN_4"), std::max(0, client - used - app.scale(20))});

  const Text type = pageText(app, page, u"_TEXT_TYPE");
  list.rows.clear();
  const auto& players = page.wizard.runningPlayers;
  for (std::size_t i = 0; i < players.size(); ++i) {
    const RunningPlayer& p = players[i];
    list.rows.push_back({{decimal(p.id), fileName(p.path), p.version, type}, int(i)});
  }
  list.selected = list.rows.empty() ? -1 : 0;
}

// The picture and the rows stand where the group's own corner puts them.
void placeGroup(App& app, const ProcessMonitorPage& page) {
  Control& picture = page.picture;
  picture.align = Align::None;
  picture.autoSize = false;
  picture.center = picture.stretch = true;
  picture.bounds = {app.scale(25), app.scale(33), app.scale(64), app.scale(64)};
  picture.show();
  const Font font{u"Tahoma", 8, false, false};
  const int height = lineHeight(app, font);
  const int valueLeft = app.scale(220);
  for (int i = 0; i < 4; ++i) {
    const int top = app.scale(30 + 17 * i);
    for (Control* label : {page.names[std::size_t(i)], page.values[std::size_t(i)]}) {
      label->font = font;
      label->transparent = true;
      label->wordWrap = label->autoSize = false;
      label->align = Align::None;
      label->show();
    }
    page.names[std::size_t(i)]->bounds = {app.scale(114), top, valueLeft - app.scale(114 + 6),
                                          height};
    page.values[std::size_t(i)]->bounds = {
        valueLeft, top, std::max(0, page.group.bounds.width - valueLeft - app.scale(10)), height};
  }
}

}  // namespace

void showProcessInformation(App& app, const ProcessMonitorPage& page) {
  const WizardState& w = page.wizard;
  const TextView rows[] = {u"_TEXT_INFO_VERSION", u"_TEXT_INFO_PUBLISHER", u"_TEXT_INFO_COPYRIGHT",
                           u"_TEXT_INFO_INSTALL_DIR"};
  for (std::size_t i = 0; i < 4; ++i) page.names[i]->caption = pageText(app, page, rows[i]);
  const RunningPlayer* player = rowPlayer(page, page.list.selected);
  const Text bucket = densityBucket(app.density());
  page.picture.picture.reset();
  if (!player) {
    for (Control* value : page.values) value->caption = u"-";
    loadPicture(app.platform.images, w.libraryPath, pictureName::infoUnknown(bucket), page.picture);
    return;
  }
  const TEXEVersionData data = readVersionData(app.platform.versions, player->path);
  const Text values[] = {u"Winamp " + data.ProductVersion, data.CompanyName, data.LegalCopyright,
                         player->path};
  for (std::size_t i = 0; i < 4; ++i) page.values[i]->caption = values[i];
  loadPicture(app.platform.images, w.libraryPath, pictureName::info(w.values.mode, bucket),
              page.picture);
}

void buildProcessMonitorPage(App& app, const ProcessMonitorPage& page) {
  MainForm& f = app.form;
  auto s = [&](Margins m) {
    return Margins{app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)};
  };
  Control& title = page.title;
  title.caption = expandedText(app, page, u"_TEXT_TOP");
  title.transparent = title.wordWrap = true;
  title.autoSize = false;
  title.dock(Align::Top, app.scale(45), s({15, 10, 15, 0})).show();

  Control& list = page.list;
  list.rowSelect = list.readOnly = true;
  list.dock(Align::Client, -1, s({15, 10, 15, 0})).show();
  Control& group = page.group;
  group.caption = expandedText(app, page, u"_TEXT_DESC");
  group.dock(Align::Bottom, app.scale(120), s({15, 3, 15, 10})).show();
  page.panel.background = kButtonFaceColor;
  page.panel.dock(Align::Client).show();

  // The last column and the rows' values take the room the layout gives.
  f.relayout();
  fillList(app, page);
  placeGroup(app, page);
  list.onChange = [&app, page] { showProcessInformation(app, page); };

  // No way back to the page that confirmed the directory.
  setFooter(app, {{f.Btn_GUI_Back.visible, false, f.Btn_GUI_Back.caption},
                  {f.Btn_GUI_Next.visible, f.Btn_GUI_Next.enabled,
                   expandedText(app, page, u"_TEXT_BUTTON")},
                  {f.Btn_GUI_Cancel.visible, f.Btn_GUI_Cancel.enabled, f.Btn_GUI_Cancel.caption}});
  f.focusRequest = &list;
  showProcessInformation(app, page);
}

}  // namespace lingvora
