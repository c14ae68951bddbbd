#pragma once
// The language selection dialog that the engine asks for before a wizard
// runs: the languages of a list file, each shown with its own texts, its
// names from the system's locale data, its flag and its translator. The
// chosen language's identifier becomes the process's exit code.
#include <vector>

#include "state/App.h"

namespace lingvora {

// The languages a list file offers, in file order: every section with a
// Title whose name is a language identifier (2 to 65535; 0 is none and an
// exit code of 1 would read as Cancel), each identifier once, the first
// section naming it giving its texts. A file without any section offers
// 1033 alone, with the built-in texts.
std::vector<LanguageOffer> offeredLanguages(const IniDocument& list);

// LINGVORA_CREATE_LANGUAGE_DIALOG: the window, its theme, the built-in
// texts and the list with its preselection; the language result is 1.
void buildLanguageDialog(App& app);
// CB_Lang_LanguagesClick: fills the dialog for the selected language.
void languagesClick(App& app);
// The results of OK (the selected language, 1033 when there is none) and
// Cancel (1); the caller then closes the window.
void chooseLanguage(App& app);
void cancelLanguage(App& app);

}  // namespace lingvora
