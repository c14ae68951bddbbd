// The language list file: any bytes give a list of languages, each with a
// number that can be an exit code other than Cancel's (above 1).
#include <cstdlib>

#include "Input.h"
#include "pages/language/Language_Dialog.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const IniDocument list = IniDocument::parse(fuzz::bytes(data, size), fuzz::latin1());
  for (const LanguageOffer& offer : offeredLanguages(list))
    if (offer.id <= 1) std::abort();
  return 0;
}
