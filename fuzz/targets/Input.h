#pragma once
// What a fuzz target gets: the bytes, and helpers to read text from them.
#include <cstddef>
#include <cstdint>

#include "ini/IniDocument.h"
#include "text/Text.h"

namespace lingvora::fuzz {

inline Bytes bytes(const std::uint8_t* data, std::size_t size) { return Bytes(data, data + size); }

// The bytes as UTF-16 code units, as window messages carry text.
inline Text utf16(const std::uint8_t* data, std::size_t size) {
  Text t(size / 2, u'\0');
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
  return t;
}

// Latin-1 stands in for the ANSI code page, as in the tests.
inline AnsiCodePage latin1() {
  return {[](const Bytes& b) { return Text(b.begin(), b.end()); },
          [](TextView t) -> std::optional<Bytes> {
            Bytes out;
            for (char16_t c : t) {
              if (c > 0xFF) return std::nullopt;
              out.push_back(std::uint8_t(c));
            }
            return out;
          }};
}

}  // namespace lingvora::fuzz
