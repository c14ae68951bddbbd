#include "pages/installer/Installer_Finish_Page.h"

#include "config/Config.h"
#include "pages/frame/PageFrame.h"

namespace lingvora {
namespace {

constexpr TextView kSection = u"INSTALLER_FINISH_PAGE";
constexpr TextView kSkinSection = u"LANG_PACK_CLASSIC_SKIN";

Text pageText(App& app, TextView key) {
  return expandPlaceholders(app, readText(app, kSection, Text(kSection) + Text(key)));
}

void placeCheckBox(App& app, Control& box, const Text& text, bool shown, bool checked, Margins m) {
  box.caption = text;
  box.font = Font{};
  box.visible = box.enabled = shown;
  box.checked = checked;
  // The system's check box at its usual height.
  box.dock(Align::Top, app.scale(17),
           {app.scale(m.left), app.scale(m.top), app.scale(m.right), app.scale(m.bottom)});
}

bool ticked(const Control& box) { return box.enabled && box.checked; }

// The player's configuration file belongs to the user: only the value of
// skin in its first [Winamp] section changes, everything else keeps its
// bytes, its line breaks and the file's encoding. False when the file
// cannot be read or written, or its encoding cannot hold the name.
bool writeSkin(App& app, const Text& path, const Text& skin) {
  if (path.empty()) return false;
  IniDocument doc;
  if (app.platform.files.fileExists(path)) {
    auto read = openIniDocument(app, path);
    if (!read) return false;
    doc = std::move(*read);
  }
  doc.write(u"Winamp", u"skin", skin);
  if (!doc.keepsEncoding(app.platform.system.ansiCodePage())) return false;
  return saveIniDocument(app, doc, path);
}

void setClassicSkin(App& app) {
  WizardState& w = app.state.installer;
  const WinampRecord& r = w.record;
  // A folder name inside the skins folder; an empty name would name the
  // skins folder itself and reset the user's skin.
  const Text skin = w.config.readString(kSkinSection, u"FileName");
  if (!isPlainName(skin) || r.SkinsDir.empty()) return;
  const Text skins =
      isFullyQualifiedPath(r.SkinsDir) ? r.SkinsDir : joinPath(r.InstallDir, r.SkinsDir);
  if (!app.platform.files.directoryExists(joinPath(skins, skin))) return;
  if (writeSkin(app, r.ConfigFile, skin)) return;
  app.platform.dialogs.messageBox(true, app.form.caption,
                                  pageText(app, u"_SKIN_ERROR") + Text(kBreak) + r.ConfigFile,
                                  MessageIcon::Error, MessageButtons::Ok);
}

void startPlayer(App& app) {
  const Text& dir = app.state.installer.record.InstallDir;
  // Always winamp.exe, also for WACUP, started in the player's own folder.
  if (!dir.empty()) app.platform.shell.start(joinPath(dir, u"winamp.exe"), dir);
}

}  // namespace

void showFinishPage(App& app) {
  WizardState& w = app.state.installer;
  MainForm& f = app.form;
  w.pageIndex = 7;
  setInstallerCaption(app);

  const Color text = kDefaultColor;
  const Font small{u"Tahoma", 8, false, false};
  placeColumnLabel(app, f.Lbl_Installer_FinishPage_Title, upper(w.values.projectFullName),
                   {{u"Tahoma", 28, true, false}, 0xC80000, TextAlign::Center, true}, Align::Top,
                   90, {15, 5, 20, 5});
  placeColumnLabel(app, f.Lbl_Installer_FinishPage_Subtitle, pageText(app, u"_TOP"),
                   {small, text, TextAlign::Left, false}, Align::Top, 32, {15, 10, 20, 5});
  placeColumnLabel(app, f.Lbl_Installer_FinishPage_Notes, pageText(app, u"_NOTES"),
                   {small, text, TextAlign::Left, false}, Align::Top, 80, {15, 5, 20, 5});
  placeColumnLabel(app, f.Lbl_Installer_FinishPage_Question, pageText(app, u"_QUESTION"),
                   {small, text, TextAlign::Left, false}, Align::Top, 15, {15, 5, 20, 5});

  // The skin can be chosen only when the classic skin was installed.
  const bool skinInstalled = w.config.readBool(kSkinSection, u"UserAction", false);
  placeCheckBox(app, f.CB_Installer_FinishPage_Run, pageText(app, u"_RUN_WINAMP"), true, true,
                {30, 5, 20, 1});
  placeCheckBox(app, f.CB_Installer_FinishPage_Skin, pageText(app, u"_SET_SKIN"), skinInstalled,
                false, {30, 1, 20, 1});
  placeCheckBox(app, f.CB_Installer_FinishPage_HomePage, pageText(app, u"_LINK_HOME"), true, false,
                {30, 1, 20, 1});

  const FooterCaptions& c = w.captions;
  setFooter(app, {{false, false, c.back}, {true, true, c.finish}, {true, false, c.cancel}});
  showFullHeightPage(
      app, {f.P_Installer_FinishPage, f.Img_Installer_FinishPage, f.S_Installer_FinishPage_Divider,
            f.P_Installer_FinishPage_TextArea, f.Lbl_Installer_FinishPage_LangPack,
            f.Lbl_Installer_FinishPage_Copyright});
}

void finishInstaller(App& app) {
  MainForm& f = app.form;
  // Each action runs once: a press that still arrives while the window
  // closes finds Finish disabled.
  f.Btn_GUI_Next.enabled = false;
  if (ticked(f.CB_Installer_FinishPage_Skin)) setClassicSkin(app);
  if (ticked(f.CB_Installer_FinishPage_Run)) startPlayer(app);
  if (ticked(f.CB_Installer_FinishPage_HomePage)) {
    const Text& home = app.state.installer.values.projectHomePage;
    if (!home.empty()) app.platform.shell.open(home);
  }
  app.exitCode = 0;
  app.closing = true;
}

}  // namespace lingvora
