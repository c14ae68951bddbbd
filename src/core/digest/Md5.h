#pragma once
// MD5 (RFC 1321), and the digest of a whole file as the installer compares
// it with the engine's PluginHash.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace lingvora {

class Md5 {
 public:
  Md5();
  void update(const std::uint8_t* data, std::size_t length);
  std::array<std::uint8_t, 16> finish();
  // 32 lower-case hexadecimal digits.
  static Text hex(const std::array<std::uint8_t, 16>& digest);

 private:
  void blocks(const std::uint8_t* data, std::size_t count);
  std::uint32_t state_[4];
  std::uint64_t length_ = 0;
  std::uint8_t buffer_[64];
  std::size_t buffered_ = 0;
};

inline constexpr std::size_t kDigestBlockSize = 16384;

// The file is opened for reading with other writers denied and read in
// blocks from one buffer; nothing when it cannot be opened or read.
std::optional<Text> fileDigest(FileSystem& files, const Text& path);

}  // namespace lingvora
