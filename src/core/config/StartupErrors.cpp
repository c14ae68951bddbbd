#include "config/StartupErrors.h"

#include "config/Config.h"

namespace lingvora {
namespace {

// The texts for codes 1 and 2 are built in: no localized text is available yet.
struct FixedTexts {
  const char16_t* caption;
  const char16_t* cannotStart;  // "Could not initialise the (un)installer ..."
  const char16_t* configMissing;
  const char16_t* textMissing;
  const char16_t* closing;
};

const FixedTexts& fixedTexts(bool installer) {
  static const FixedTexts kInstaller{
      u"Instalowanie polskiego pakietu językowego Winampa...",
      u"Nie udało się zainicjować instalatora polskiego pakietu językowego Winampa. ",
      u"Nie udało się znaleźć pliku konfiguracyjnego instalatora Orva!",
      u"Nie udało się znaleźć pliku językowego instalatora Orva!",
      u"Instalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty."};
  static const FixedTexts kUninstaller{
      u"Dezinstalacja polskiego pakietu językowego Winampa...",
      u"Nie udało się zainicjować dezinstalatora polskiego pakietu językowego Winampa. ",
      u"Nie udało się znaleźć pliku konfiguracyjnego dezinstalatora Orva!",
      u"Nie udało się znaleźć pliku językowego dezinstalatora Orva!",
      u"Dezinstalator polskiego pakietu językowego Winampa zostanie natychmiast zamknięty."};
  return installer ? kInstaller : kUninstaller;
}

constexpr TextView kContact =
    u"Jeśli potrzebujesz dodatkowych informacji lub chcesz się skontaktować, odwiedź stronę "
    u"projektu Orva.";

Text brk() { return Text(kBreak); }

[[noreturn]] void fileMissing(App& app, const char16_t* what, const char16_t* label,
                              const Text& path, TextView address) {
  const FixedTexts& f = fixedTexts(app.installerMode());
  Text text = Text(f.cannotStart) + what + brk() + brk() + label + brk() + path + brk() + brk() +
              f.closing + brk() + brk() + Text(kContact) + brk() + brk() + Text(address);
  app.fatal(app.wizard().pendingExitCode, f.caption, text);
}

Text initText(App& app, int number) {
  const Text prefix = app.installerMode() ? u"INSTALLER_INIT" : u"UNINSTALLER_INIT";
  return readText(app, prefix, prefix + u"_" + decimal(number));
}

}  // namespace

void configurationMissing(App& app) {
  const FixedTexts& f = fixedTexts(app.installerMode());
  fileMissing(app, f.configMissing, u"Plik konfiguracyjny:", app.wizard().configPath,
              kProjectWebAddress);
}

void localizedTextMissing(App& app) {
  WizardState& w = app.wizard();
  const FixedTexts& f = fixedTexts(app.installerMode());
  fileMissing(app, f.textMissing, u"Plik językowy:", w.localePath, w.values.projectHomePage);
}

void imageLibraryMissing(App& app) {
  WizardState& w = app.wizard();
  Text text = initText(app, 2) + u" " + initText(app, 7) + brk() + brk() + initText(app, 8) +
              brk() + w.libraryPath + brk() + brk() + expandPlaceholders(app, initText(app, 9)) +
              brk() + brk() + w.values.projectInfoPage;
  app.fatal(w.pendingExitCode, initText(app, 1), text);
}

void systemNotSupported(App& app) {
  Text text =
      expandPlaceholders(app, readText(app, u"INSTALLER", u"INSTALLER_SYSTEM_NOT_SUPPORTED"));
  app.fatal(app.wizard().pendingExitCode, initText(app, 1), text);
}

}  // namespace lingvora
