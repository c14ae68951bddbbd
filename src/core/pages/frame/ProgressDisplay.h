#pragma once
// The progress page that both wizards share: a group box whose caption is
// the status, the component's picture at its top right, five lines and a
// description, and the bar, mirrored on the taskbar button; the work list
// it is built on, the engine's cue through DATA.ini, and the end states.
// The two wizards differ in their controls, their texts and the work list.
#include <memory>

#include "state/App.h"

namespace lingvora {

struct ProgressDisplay {
  Control &group, &picture, &name, &version, &license, &copyright, &publisher, &desc, &bar;
  // Where the uninstaller's display sits tighter than the installer's.
  int pictureTop, nameTop, publisherBottom;
};

// The display of that wizard's progress page.
ProgressDisplay progressDisplay(App& app, LaunchMode mode);

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

// What the engine's messages show on that wizard's progress page.
std::unique_ptr<ProgressPage> makeProgressPage(App& app, LaunchMode mode);

// Decides the wizard's work list and progress step and records what the
// engine needs; false when the record did not reach GUI.ini.
using WorkListBuilder = bool (*)(App& app);

// Shows that wizard's progress page: the page, its start status and the
// work list; then the engine's cue (DATA.ini), after which the channel is
// open. Without the cue the page takes its aborted state at once.
void showProgressPage(App& app, LaunchMode mode, WorkListBuilder buildWorkList);

}  // namespace lingvora
