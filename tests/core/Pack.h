#pragma once
// A pack directory in the fake file system and an App started on it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "app/MainWindow.h"
#include "fakes/FakePlatform.h"
#include "wizard/Controllers.h"

namespace lingvora::test {

inline Text T(std::string_view utf8) { return fromUtf8(utf8); }
inline std::string S(TextView text) { return toUtf8(text); }

inline constexpr const char* kGuiIni =
    "[LANG]\r\nLang=1045\r\n[NAME]\r\nMODE=WINAMP\r\nmVERSION=5.9.2\r\n"
    "[PROJECT]\r\nProjectName=Lingvora\r\nProjectShortVersion=4.0\r\n"
    "ProjectAuthor=Zespol\r\nProjectHomePage=https://example.org/index.php\r\n"
    "ProjectRegName=Lingvora Pack\r\n"
    "ProjectInfoPage=https://example.org/info.php\r\n";

inline constexpr const char* kLocaleIni =
    "[INSTALLER]\r\nINSTALLER_WINDOW_TITLE=Instalator ${PROJECT_VERSION}\r\n"
    "INSTALLER_WINDOW_QUIT=Zamknac?\r\nINSTALLER_COMPILE_DATE=Skompilowano\r\n"
    "INSTALLER_SYSTEM_NOT_SUPPORTED=Za stary system dla ${WINAMP_VERSION}\r\n"
    "[INSTALLER_INIT]\r\nINSTALLER_INIT_1=Blad\r\nINSTALLER_INIT_2=Dwa\r\n"
    "INSTALLER_INIT_7=Siedem\r\nINSTALLER_INIT_8=Osiem\r\nINSTALLER_INIT_9=Dziewiec %Y\r\n"
    "[INSTALLER_BUTTONS]\r\nINSTALLER_BUTTON_BACK=< Wstecz\r\nINSTALLER_BUTTON_NEXT=Dalej >\r\n"
    "INSTALLER_BUTTON_CANCEL=Anuluj\r\n"
    "[UNINSTALLER]\r\nUNINSTALLER_WINDOW_TITLE=Dezinstalator\r\nUNINSTALLER_WINDOW_QUIT=Przerwac?"
    "\r\n"
    "[UNINSTALLER_INIT]\r\nUNINSTALLER_INIT_1=uBlad\r\nUNINSTALLER_INIT_2=uDwa\r\n"
    "UNINSTALLER_INIT_7=uSiedem\r\nUNINSTALLER_INIT_8=uOsiem\r\nUNINSTALLER_INIT_9=uDziewiec\r\n"
    "UNINSTALLER_INIT_10=Nie ma pakietu.\r\nUNINSTALLER_INIT_11=Katalog:\r\n"
    "[UNINSTALLER_BUTTONS]\r\nUNINSTALLER_BUTTON_CANCEL=uAnuluj\r\n";

// A fixture executable built with its version resources.
inline Bytes fixture(const std::string& name) {
  std::ifstream in(std::string(LINGVORA_PLAYERS) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Puts a fixture executable into the fake file system.
inline void installPlayer(fake::FakePlatform& p, const Text& dir, const std::string& fixtureName,
                          const Text& exe = u"winamp.exe") {
  Bytes bytes = fixture(fixtureName);
  ASSERT_FALSE(bytes.empty()) << fixtureName;
  p.files.putBytes(joinPath(dir, exe), std::move(bytes));
}

struct Pack {
  fake::FakePlatform p;
  std::optional<App> app;
  std::optional<int> exit;

  Pack(bool gui = true, bool locale = true, bool library = true) {
    if (gui) p.files.put(u"C:\\Pack\\GUI.ini", kGuiIni);
    if (locale) p.files.put(u"C:\\Pack\\1045.ini", kLocaleIni);
    if (library) p.files.put(u"C:\\Pack\\Pixora.dll", "MZ");
    // A player of the version the pack requires in the standard folder, into
    // which the pack was installed, on a drive with room.
    p.shell.folders[38] = u"C:\\Program Files";
    p.files.putBytes(u"C:\\Program Files\\Winamp\\winamp.exe", fixture("winamp-5.9.2/winamp.exe"));
    p.files.drives[u"C:\\"] = {std::int64_t(100) << 30, std::int64_t(40) << 30};
    p.registry.strings[fake::FakeRegistry::key(
        Hive::LocalMachine,
        u"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lingvora Pack",
        u"InstallLocation")] = u"C:\\Program Files\\Winamp";
  }
  App& start(std::vector<Text> args) {
    app.emplace(p.ports);
    try {
      formCreate(*app, args);
    } catch (const ProcessExit& e) {
      exit = e.code;
    }
    return *app;
  }
  const fake::Box& lastBox() const { return p.dialogs.shown.back(); }
  // The pack's GUI.ini names a short version that no version resource
  // gives; requiring the standard player's own lets the Directory page
  // accept it.
  void requireStandardPlayer() { app->state.installer.values.mVersion = u"5.9.2.10042"; }
};

}  // namespace lingvora::test
