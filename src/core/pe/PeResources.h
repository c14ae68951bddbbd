#pragma once
// Reads the resource directory of a PE file (a DLL or EXE) from its bytes:
// type, name, language to data. The bytes are untrusted: every offset and
// size is checked, and a damaged file gives "not found".
#include <optional>

#include "text/Text.h"

namespace lingvora {

// A resource type or name: a number, or a name compared without regard to case.
struct ResourceId {
  std::uint16_t number = 0;
  Text name;  // used when not empty
  static ResourceId of(std::uint16_t n) { return {n, {}}; }
  static ResourceId of(Text n) { return {0, std::move(n)}; }
};

inline constexpr std::uint16_t kResourceBitmap = 2;
inline constexpr std::uint16_t kResourceRcData = 10;
inline constexpr std::uint16_t kResourceVersion = 16;

// The data of the first language of that type and name (a name of number 0
// and no text: the first name of that type).
std::optional<Bytes> findPeResource(const Bytes& file, const ResourceId& type,
                                    const ResourceId& name);

}  // namespace lingvora
