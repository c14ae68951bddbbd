#include "pages/uninstaller/Uninstaller_Finish_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

constexpr TextView kSection = u"UNINSTALLER_FINISH_PAGE";

Text finishText(App& app, TextView key) {
  return readText(app, kSection, Text(kSection) + Text(key));
}
Text finishExpanded(App& app, TextView key) {
  return expandPlaceholders(app, finishText(app, key));
}

void placeCheckBox(App& app, Control& box, const Text& caption, Margins m) {
  box.caption = caption;
  box.font = {u"Tahoma", 8, false, false};
  box.transparent = true;
  box.checked = false;
  box.enabled = true;
  box.dock(Align::Top, app.scale(17),
           {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)})
      .show();
}

// Chosen and offered: a box the user cannot reach does nothing.
bool chosen(const Control& box) { return box.visible && box.enabled && box.checked; }

}  // namespace

void showUninstallerFinishPage(App& app) {
  WizardState& w = app.state.uninstaller;
  MainForm& f = app.form;
  w.pageIndex = 4;
  setUninstallerCaption(app);

  const ColumnLabel title{{u"Tahoma", 28, true, false}, kDefaultColor, TextAlign::Center, false};
  const ColumnLabel plain{{u"Tahoma", 8, false, false}, kDefaultColor, TextAlign::Left, false};
  // The title is shown as written, the rest expanded.
  placeColumnLabel(app, f.Lbl_Uninstaller_FinishPage_Title, upper(finishText(app, u"_TEXT_TITLE")),
                   title, Align::Top, 90, {15, 5, 20, 5});
  placeColumnLabel(app, f.Lbl_Uninstaller_FinishPage_Subtitle, finishExpanded(app, u"_TOP"), plain,
                   Align::Top, 32, {15, 10, 20, 5});
  placeColumnLabel(app, f.Lbl_Uninstaller_FinishPage_Notes, finishExpanded(app, u"_NOTES"), plain,
                   Align::Top, 85, {15, 5, 20, 5});
  placeColumnLabel(app, f.Lbl_Uninstaller_FinishPage_Question, finishExpanded(app, u"_QUESTION"),
                   plain, Align::Top, 15, {15, 5, 20, 5});
  placeCheckBox(app, f.CB_Uninstaller_FinishPage_Run, finishExpanded(app, u"_RUN_WINAMP"),
                {30, 5, 20, 1});
  placeCheckBox(app, f.CB_Uninstaller_FinishPage_Skin, finishExpanded(app, u"_SEND_MAIL"),
                {30, 1, 20, 1});
  placeCheckBox(app, f.CB_Uninstaller_FinishPage_HomePage, finishExpanded(app, u"_LINK_HOME"),
                {30, 1, 20, 1});

  const FooterCaptions& c = w.captions;
  setFooter(app, {hiddenButton(f.Btn_GUI_Back), {true, true, c.finish}, {true, false, c.cancel}});
  showFullHeightPage(
      app, {f.P_Uninstaller_FinishPage, f.Img_Uninstaller_FinishPage,
            f.S_Uninstaller_FinishPage_Divider, f.P_Uninstaller_FinishPage_TextArea,
            f.Lbl_Uninstaller_FinishPage_LangPack, f.Lbl_Uninstaller_FinishPage_Copyright});
}

Text feedbackMailAddress(App& app) {
  const Configuration& v = app.state.uninstaller.values;
  auto field = [](const Text& text) { return percentEncoded(text); };
  const Text paragraph = u"%0A%0A";
  return u"mailto:" + percentEncoded(v.projectEmail, u"@") + u"?subject=" +
         field(finishExpanded(app, u"_MAIL")) + u"&body=" + field(u"Velmar, ") + paragraph +
         field(finishExpanded(app, u"_TBODY")) + paragraph + paragraph +
         field(finishExpanded(app, u"_BODY")) + field(u" " + app.platform.locale.dateTimeNow());
}

Text playerProgram(App& app) {
  const Text& dir = app.state.uninstaller.record.InstallDir;
  const Text winamp = joinPath(dir, u"winamp.exe"), wacup = joinPath(dir, u"wacup.exe");
  FileSystem& files = app.platform.files;
  return !files.fileExists(winamp) && files.fileExists(wacup) ? wacup : winamp;
}

void finishUninstaller(App& app) {
  MainForm& f = app.form;
  Shell& shell = app.platform.shell;
  if (chosen(f.CB_Uninstaller_FinishPage_Run))
    shell.start(playerProgram(app), app.state.uninstaller.record.InstallDir);
  if (chosen(f.CB_Uninstaller_FinishPage_Skin)) shell.open(feedbackMailAddress(app));
  if (chosen(f.CB_Uninstaller_FinishPage_HomePage))
    shell.open(app.state.uninstaller.values.projectHomePage);
  app.exitCode = 0;
  app.closing = true;  // at once, without a question
}

}  // namespace lingvora
