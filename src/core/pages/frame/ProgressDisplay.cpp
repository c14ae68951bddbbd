#include "pages/frame/ProgressDisplay.h"

#include <algorithm>

#include "images/Pictures.h"

namespace lingvora {

void layoutProgressDisplay(App& app, const ProgressDisplay& d) {
  auto s = [&app](int length) { return app.scale(length); };
  d.group.caption.clear();
  d.group.transparent = true;
  d.group.dock(Align::Client, -1, {s(15), s(5), s(15), s(10)}).show();

  d.name.font = {u"Tahoma", 10, true, false};
  d.name.dock(Align::Top, s(17), {s(15), s(15), s(115), s(3)});
  for (Control* line : {&d.version, &d.license, &d.copyright, &d.publisher}) {
    line->font = {u"Tahoma", 8, false, false};
    line->dock(Align::Top, s(13), {s(25), s(3), s(115), s(3)});
  }
  for (Control* line : {&d.name, &d.version, &d.license, &d.copyright, &d.publisher}) {
    line->caption.clear();
    line->transparent = true;
    line->wordWrap = false;
    line->show();
  }
  d.bar.minimum = 0;
  d.bar.maximum = 100;
  d.bar.position = 0;
  d.bar.dock(Align::Bottom, s(12), {s(15), s(5), s(15), s(10)}).show();
  d.desc.caption.clear();
  d.desc.font = {u"Tahoma", 8, false, false};
  d.desc.transparent = d.desc.wordWrap = d.desc.textAtBottom = true;
  d.desc.dock(Align::Client, -1, {s(15), s(5), s(15), s(5)}).show();

  d.picture.align = Align::None;
  d.picture.autoSize = true;
  d.picture.picture.reset();
  d.picture.show();
  app.form.taskbar = {TaskbarState::Normal, 0, 100};
}

void showStatusLines(const ProgressDisplay& d, const StatusLines& lines) {
  d.group.caption = lines.caption;
  d.name.caption = lines.name;
  d.version.caption = lines.version;
  d.license.caption = lines.license;
  d.copyright.caption = lines.copyright;
  d.publisher.caption = lines.publisher;
  d.desc.caption = lines.desc;
}

void showStatusPicture(App& app, const ProgressDisplay& d, const Text& pictureName) {
  const WizardState& w = app.wizard();
  loadPicture(app.platform.images, w.libraryPath, pictureName, d.picture);
  placeStatusPicture(app, d);
}

void placeStatusPicture(App& app, const ProgressDisplay& d) {
  // Its right edge 15 inside the group box's client area, 30 from the top.
  app.form.relayout();
  const Margins frame = app.platform.measure.groupBoxInsets(d.group.font);
  const int width = d.picture.picture ? d.picture.picture->width : 0;
  const int height = d.picture.picture ? d.picture.picture->height : 0;
  d.picture.bounds = {d.group.bounds.width - frame.right - app.scale(15) - width, app.scale(30),
                      width, height};
}

void setProgressPosition(App& app, Control& bar, int position) {
  bar.position = std::clamp(position, bar.minimum, bar.maximum);
  // The next component moves on from where the bar stands.
  app.wizard().progress.position = bar.position;
  app.form.taskbar.value = bar.position;
}

}  // namespace lingvora
