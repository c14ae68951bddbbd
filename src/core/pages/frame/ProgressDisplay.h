#pragma once
// The display that both progress pages share: a group box whose caption is
// the status, the component's picture at its top right, five lines and a
// description, and the bar, mirrored on the taskbar button.
#include "state/App.h"

namespace lingvora {

struct ProgressDisplay {
  Control &group, &picture, &name, &version, &license, &copyright, &publisher, &desc, &bar;
};

// What one status shows.
struct StatusLines {
  Text caption, name, version, license, copyright, publisher, desc;
};

// Lays the display out empty, all of it visible, the bar at 0 of 100.
void layoutProgressDisplay(App& app, const ProgressDisplay& d);
void showStatusLines(const ProgressDisplay& d, const StatusLines& lines);
// The named picture, at the top right of the group box; a missing one
// leaves the previous picture.
void showStatusPicture(App& app, const ProgressDisplay& d, const Text& pictureName);
// Places the picture again for the group box as it is laid out now.
void placeStatusPicture(App& app, const ProgressDisplay& d);
// The bar holds positions above 100 at 100; the taskbar shows what the bar shows.
void setProgressPosition(App& app, Control& bar, int position);

}  // namespace lingvora
