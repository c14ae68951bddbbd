// The process monitor of the real GUI.exe in both wizards, with a player
// running from the player directory: its row and information read from the
// windows, Next closing or ending it before the progress page, and the stop
// when the listed player is gone by the time Next is pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "driver/Controls.h"
#include "driver/Driver.h"
#include "driver/Machine.h"

using namespace driver;

namespace {

const std::vector<std::wstring> kFullPack = {L"GUI.ini", L"1045.ini", L"1033.ini", L"Pixora.dll"};

bool shown(HWND main, const std::wstring& name) {
  ChildWindow c = control(main, name);
  return c.hwnd && c.visible;
}

std::wstring text(HWND main, const std::wstring& name) { return control(main, name).text; }

std::string shot(const std::string& name) {
  return env("LINGVORA_SCREENSHOTS") + "/" + name + ".png";
}

// The fixture player copied over the installed winamp.exe and started from
// there; ended at the end of the scope if it still runs.
class RunningPlayer {
 public:
  RunningPlayer(const std::wstring& dir, bool ignoresClose) {
    const std::wstring exe = dir + L"\\winamp.exe";
    copied_ = CopyFileW((windowsPath(env("LINGVORA_PLAYERS")) + L"\\running\\winamp.exe").c_str(),
                        exe.c_str(), FALSE) != 0;
    std::wstring cmd = L"\"" + exe + L"\"" + (ignoresClose ? L" --ignore-close" : L"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!copied_ || !CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    dir.c_str(), &si, &info_))
      return;
    // Running once its window can be asked to close.
    waitFor([&] { return window() != nullptr; });
  }
  ~RunningPlayer() {
    if (!info_.hProcess) return;
    if (!ended(0)) TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  bool started() const { return info_.hProcess && window(); }
  DWORD pid() const { return info_.dwProcessId; }
  bool ended(DWORD timeoutMs) const {
    return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
  }
  DWORD exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  // Ends it from outside, as if the user had closed it meanwhile.
  void vanish() {
    TerminateProcess(info_.hProcess, 7);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  HWND window() const {
    HWND w = nullptr;
    while ((w = FindWindowExW(nullptr, w, L"LingvoraFixturePlayer", nullptr))) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (owner == info_.dwProcessId) return w;
    }
    return nullptr;
  }

 private:
  bool copied_ = false;
  PROCESS_INFORMATION info_{};
};

struct Wizard {
  bool installer;
  std::wstring prefix() const { return installer ? L"Installer" : L"Uninstaller"; }
  std::wstring page() const { return L"_" + prefix() + L"_ProcessMonitorPage"; }
  std::wstring value(const std::wstring& row) const {
    return L"Lbl" + page() + (installer ? L"_Info_" : L"_Process_") + row;
  }
  std::wstring caption() const {
    return installer ? L"Instalator polskiego pakietu językowego Lingvora 4.0"
                     : L"Dezinstalator polskiego pakietu językowego Lingvora 4.0";
  }
};

// From Welcome to the monitor page, as a user presses Next: over the
// licence, the components and the directory, or over the summary.
void walkToMonitor(HWND main, const Wizard& w) {
  const int presses = w.installer ? 4 : 2;
  for (int i = 0; i < presses; ++i) {
    HWND next = control(main, L"Btn_GUI_Next").hwnd;
    ASSERT_TRUE(next);
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(next) != FALSE; }));
    click(next);
    Sleep(200);
  }
  ASSERT_TRUE(waitFor([&] { return shown(main, L"LV" + w.page()); }));
}

void expectMonitor(HWND main, const Wizard& w, const RunningPlayer& player,
                   const std::wstring& dir) {
  EXPECT_EQ(windowText(main), w.caption());
  EXPECT_EQ(text(main, L"Lbl_" + w.prefix() + L"_DefaultHeader_Title"), L"Uruchomiony Winamp");
  EXPECT_EQ(text(main, L"GB" + w.page()), L"Informacje o procesie");
  EXPECT_NE(text(main, L"Lbl" + w.page() + L"_Title").find(L"Poniższe programy"),
            std::wstring::npos);
  HWND list = control(main, L"LV" + w.page()).hwnd;
  const auto rows = listRows(list);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], (std::vector<std::wstring>{std::to_wstring(player.pid()), L"winamp.exe",
                                                L"5.9.2.10042", L"Odtwarzacz"}));
  EXPECT_EQ(listColumnWidth(list, 0), 50);
  EXPECT_EQ(listColumnWidth(list, 2), 150);
  EXPECT_EQ(listSelection(list), 0);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &thread));
  EXPECT_EQ(thread.hwndFocus, list);

  // A click below the row clears the selection: "-" everywhere; then the
  // row is selected again and described.
  RECT client;
  GetClientRect(list, &client);
  clickAt(list, {client.right / 2, client.bottom - 8});
  ASSERT_TRUE(waitFor([&] { return text(main, w.value(L"Version")) == L"-"; }));
  for (const wchar_t* row : {L"Publisher", L"Copyright", L"InstallDir"})
    EXPECT_EQ(text(main, w.value(row)), L"-");
  EXPECT_EQ(text(main, w.value(L"Version_Desc")), L"Wersja:");
  listSelect(list, 0);
  ASSERT_TRUE(waitFor([&] { return text(main, w.value(L"Version")) != L"-"; }));
  EXPECT_EQ(text(main, w.value(L"Version")), L"Winamp 5.9.2.10042");
  EXPECT_EQ(text(main, w.value(L"Publisher")), L"Radionomy Group");
  EXPECT_EQ(text(main, w.value(L"Copyright")), L"Copyright (c) 1997-2026");
  EXPECT_EQ(text(main, w.value(L"InstallDir")), dir + L"\\winamp.exe");
  EXPECT_EQ(text(main, w.value(L"InstallDir_Desc")), L"Plik programu:");
  EXPECT_TRUE(shown(main, L"Img" + w.page()));

  EXPECT_TRUE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").enabled);
  EXPECT_EQ(text(main, L"Btn_GUI_Next"), L"&Zamknij");
  EXPECT_TRUE(control(main, L"Btn_GUI_Next").enabled);
}

// The player runs when the wizard starts; Next on the monitor page closes
// it (or ends it, when it ignores the request) and opens the progress page.
void endsThePlayer(bool installer, bool dark, bool ignoresClose, const std::string& tag) {
  const Wizard w{installer};
  InstalledPlayer installed;
  ASSERT_TRUE(installed.copied);
  RunningPlayer player(installed.dir, ignoresClose);
  ASSERT_TRUE(player.started());
  std::optional<DarkTheme> theme;
  if (dark) theme.emplace();
  PackDir pack("monitor-" + tag, kFullPack);
  Gui gui(pack, installer ? L"/ACTION=0" : L"/ACTION=1");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  walkToMonitor(main, w);
  expectMonitor(main, w, player, installed.dir);
  Sleep(300);
  EXPECT_TRUE(screenshot(main, shot("monitor-" + tag)));

  click(control(main, L"Btn_GUI_Next").hwnd);
  ASSERT_TRUE(player.ended(15000));
  // Closed by its own hand (0), or ended with exit code 0.
  EXPECT_EQ(player.exitCode(), 0u);
  ASSERT_TRUE(waitFor([&] { return !shown(main, L"LV" + w.page()); }));
  if (installer) {
    EXPECT_TRUE(waitFor([&] { return shown(main, L"GB_Installer_InstallationPage"); }));
  }
  EXPECT_FALSE(control(main, L"Btn_GUI_Back").visible);
  EXPECT_FALSE(FindWindowW(L"#32770", nullptr));
  EXPECT_EQ(gui.waitExit(200), DWORD(STILL_ACTIVE));
}

// The player listed on the page has exited by the time Next is pressed:
// the stop's message, then the wizard's exit code.
void stopsWhenThePlayerIsGone(bool installer, const std::string& tag) {
  const Wizard w{installer};
  InstalledPlayer installed;
  ASSERT_TRUE(installed.copied);
  RunningPlayer player(installed.dir, true);
  ASSERT_TRUE(player.started());
  PackDir pack("monitor-" + tag, kFullPack);
  Gui gui(pack, installer ? L"/ACTION=0" : L"/ACTION=1");
  HWND main = gui.waitMainWindow();
  ASSERT_TRUE(main);
  walkToMonitor(main, w);
  player.vanish();

  click(control(main, L"Btn_GUI_Next").hwnd);
  HWND box = gui.waitMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(windowText(box), w.caption());
  const std::wstring job = installer ? L"Instalator pakietu 4.0 nie może kopiować plików do"
                                     : L"Dezinstalator pakietu 4.0 nie może usuwać plików z";
  EXPECT_EQ(messageBoxText(box),
            L"Nie udało się zamknąć Winampa.\n\r\n\r" + job +
                L" katalogu uruchomionego odtwarzacza.\n\r\n\rZamknij Winampa uruchomionego z "
                L"katalogu: " +
                installed.dir + L"\n\r\n\rNastępnie uruchom " +
                (installer ? L"instalację" : L"dezinstalację") + L" ponownie.");
  Sleep(200);
  EXPECT_TRUE(screenshot(box, shot("monitor-stop-" + tag)));
  answer(box, IDOK);
  EXPECT_EQ(gui.waitExit(), installer ? 5u : 4u);
}

TEST(ProcessMonitor, InstallerLightClosesThePlayer) {
  endsThePlayer(true, false, false, "installer-light");
}
TEST(ProcessMonitor, InstallerDarkEndsAPlayerThatIgnoresTheRequest) {
  endsThePlayer(true, true, true, "installer-dark");
}
TEST(ProcessMonitor, UninstallerLightEndsAPlayerThatIgnoresTheRequest) {
  endsThePlayer(false, false, true, "uninstaller-light");
}
TEST(ProcessMonitor, UninstallerDarkClosesThePlayer) {
  endsThePlayer(false, true, false, "uninstaller-dark");
}
TEST(ProcessMonitor, InstallerStopsWithCode5) { stopsWhenThePlayerIsGone(true, "installer"); }
TEST(ProcessMonitor, UninstallerStopsWithCode4) { stopsWhenThePlayerIsGone(false, "uninstaller"); }

}  // namespace
