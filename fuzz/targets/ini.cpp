// The INI reader in every encoding, and the save: what is saved reads back
// to the same sections, keys and values.
#include <cstdlib>

#include "Input.h"
#include "ini/IniDocument.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnsiCodePage ansi = fuzz::latin1();
  IniDocument doc = IniDocument::parse(fuzz::bytes(data, size), ansi);
  const std::vector<Text> names = doc.sectionNames();
  doc.write(u"FUZZ", u"Key", u"value with ünïcödé €");
  const IniDocument back = IniDocument::parse(doc.serialize(ansi), ansi);
  if (back.readString(u"FUZZ", u"Key") != u"value with ünïcödé €") std::abort();
  for (const Text& section : names)
    if (!back.hasSection(section)) std::abort();
  return 0;
}
