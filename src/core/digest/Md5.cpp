#include "digest/Md5.h"

#include <bit>
#include <cstring>
#include <vector>

namespace lingvora {
namespace {

inline std::uint32_t load32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap32(v);
  return v;
}

// One step each. The part of the sum that does not depend on b (the value
// just computed) is added first, so that it overlaps the previous step: the
// chain through b is then only the round function, an add and a rotate.
#define MD5_F(a, b, c, d, x, s, t) \
  a += (x) + (t);                  \
  a += ((c ^ d) & b) ^ d;          \
  a = std::rotl(a, s) + b
#define MD5_G(a, b, c, d, x, s, t) \
  a += (x) + (t) + (c & ~d);       \
  a += b & d;                      \
  a = std::rotl(a, s) + b
#define MD5_H(a, b, c, d, x, s, t) \
  a += (x) + (t);                  \
  a += b ^ c ^ d;                  \
  a = std::rotl(a, s) + b
#define MD5_I(a, b, c, d, x, s, t) \
  a += (x) + (t);                  \
  a += c ^ (b | ~d);               \
  a = std::rotl(a, s) + b

}  // namespace

Md5::Md5() : state_{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u}, buffer_{} {}

void Md5::blocks(const std::uint8_t* p, std::size_t count) {
  std::uint32_t a0 = state_[0], b0 = state_[1], c0 = state_[2], d0 = state_[3];
  for (; count > 0; --count, p += 64) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = load32(p + 4 * i);
    std::uint32_t a = a0, b = b0, c = c0, d = d0;
    // clang-format off
    MD5_F(a, b, c, d, x[0], 7, 0xd76aa478u);
    MD5_F(d, a, b, c, x[1], 12, 0xe8c7b756u);
    MD5_F(c, d, a, b, x[2], 17, 0x242070dbu);
    MD5_F(b, c, d, a, x[3], 22, 0xc1bdceeeu);
    MD5_F(a, b, c, d, x[4], 7, 0xf57c0fafu);
    MD5_F(d, a, b, c, x[5], 12, 0x4787c62au);
    MD5_F(c, d, a, b, x[6], 17, 0xa8304613u);
    MD5_F(b, c, d, a, x[7], 22, 0xfd469501u);
    MD5_F(a, b, c, d, x[8], 7, 0x698098d8u);
    MD5_F(d, a, b, c, x[9], 12, 0x8b44f7afu);
    MD5_F(c, d, a, b, x[10], 17, 0xffff5bb1u);
    MD5_F(b, c, d, a, x[11], 22, 0x895cd7beu);
    MD5_F(a, b, c, d, x[12], 7, 0x6b901122u);
    MD5_F(d, a, b, c, x[13], 12, 0xfd987193u);
    MD5_F(c, d, a, b, x[14], 17, 0xa679438eu);
    MD5_F(b, c, d, a, x[15], 22, 0x49b40821u);

    MD5_G(a, b, c, d, x[1], 5, 0xf61e2562u);
    MD5_G(d, a, b, c, x[6], 9, 0xc040b340u);
    MD5_G(c, d, a, b, x[11], 14, 0x265e5a51u);
    MD5_G(b, c, d, a, x[0], 20, 0xe9b6c7aau);
    MD5_G(a, b, c, d, x[5], 5, 0xd62f105du);
    MD5_G(d, a, b, c, x[10], 9, 0x02441453u);
    MD5_G(c, d, a, b, x[15], 14, 0xd8a1e681u);
    MD5_G(b, c, d, a, x[4], 20, 0xe7d3fbc8u);
    MD5_G(a, b, c, d, x[9], 5, 0x21e1cde6u);
    MD5_G(d, a, b, c, x[14], 9, 0xc33707d6u);
    MD5_G(c, d, a, b, x[3], 14, 0xf4d50d87u);
    MD5_G(b, c, d, a, x[8], 20, 0x455a14edu);
    MD5_G(a, b, c, d, x[13], 5, 0xa9e3e905u);
    MD5_G(d, a, b, c, x[2], 9, 0xfcefa3f8u);
    MD5_G(c, d, a, b, x[7], 14, 0x676f02d9u);
    MD5_G(b, c, d, a, x[12], 20, 0x8d2a4c8au);

    MD5_H(a, b, c, d, x[5], 4, 0xfffa3942u);
    MD5_H(d, a, b, c, x[8], 11, 0x8771f681u);
    MD5_H(c, d, a, b, x[11], 16, 0x6d9d6122u);
    MD5_H(b, c, d, a, x[14], 23, 0xfde5380cu);
    MD5_H(a, b, c, d, x[1], 4, 0xa4beea44u);
    MD5_H(d, a, b, c, x[4], 11, 0x4bdecfa9u);
    MD5_H(c, d, a, b, x[7], 16, 0xf6bb4b60u);
    MD5_H(b, c, d, a, x[10], 23, 0xbebfbc70u);
    MD5_H(a, b, c, d, x[13], 4, 0x289b7ec6u);
    MD5_H(d, a, b, c, x[0], 11, 0xeaa127fau);
    MD5_H(c, d, a, b, x[3], 16, 0xd4ef3085u);
    MD5_H(b, c, d, a, x[6], 23, 0x04881d05u);
    MD5_H(a, b, c, d, x[9], 4, 0xd9d4d039u);
    MD5_H(d, a, b, c, x[12], 11, 0xe6db99e5u);
    MD5_H(c, d, a, b, x[15], 16, 0x1fa27cf8u);
    MD5_H(b, c, d, a, x[2], 23, 0xc4ac5665u);

    MD5_I(a, b, c, d, x[0], 6, 0xf4292244u);
    MD5_I(d, a, b, c, x[7], 10, 0x432aff97u);
    MD5_I(c, d, a, b, x[14], 15, 0xab9423a7u);
    MD5_I(b, c, d, a, x[5], 21, 0xfc93a039u);
    MD5_I(a, b, c, d, x[12], 6, 0x655b59c3u);
    MD5_I(d, a, b, c, x[3], 10, 0x8f0ccc92u);
    MD5_I(c, d, a, b, x[10], 15, 0xffeff47du);
    MD5_I(b, c, d, a, x[1], 21, 0x85845dd1u);
    MD5_I(a, b, c, d, x[8], 6, 0x6fa87e4fu);
    MD5_I(d, a, b, c, x[15], 10, 0xfe2ce6e0u);
    MD5_I(c, d, a, b, x[6], 15, 0xa3014314u);
    MD5_I(b, c, d, a, x[13], 21, 0x4e0811a1u);
    MD5_I(a, b, c, d, x[4], 6, 0xf7537e82u);
    MD5_I(d, a, b, c, x[11], 10, 0xbd3af235u);
    MD5_I(c, d, a, b, x[2], 15, 0x2ad7d2bbu);
    MD5_I(b, c, d, a, x[9], 21, 0xeb86d391u);
    // clang-format on
    a0 += a, b0 += b, c0 += c, d0 += d;
  }
  state_[0] = a0, state_[1] = b0, state_[2] = c0, state_[3] = d0;
}

void Md5::update(const std::uint8_t* data, std::size_t length) {
  length_ += length;
  if (buffered_ > 0) {
    const std::size_t take = std::min(length, 64 - buffered_);
    std::memcpy(buffer_ + buffered_, data, take);
    buffered_ += take, data += take, length -= take;
    if (buffered_ < 64) return;
    blocks(buffer_, 1);
    buffered_ = 0;
  }
  blocks(data, length / 64);
  data += length / 64 * 64;
  buffered_ = length % 64;
  if (buffered_) std::memcpy(buffer_, data, buffered_);
}

std::array<std::uint8_t, 16> Md5::finish() {
  const std::uint64_t bits = length_ * 8;
  static const std::uint8_t kPad[64] = {0x80};
  update(kPad, buffered_ < 56 ? 56 - buffered_ : 120 - buffered_);
  std::uint8_t tail[8];
  for (int i = 0; i < 8; ++i) tail[i] = std::uint8_t(bits >> (8 * i));
  update(tail, 8);
  std::array<std::uint8_t, 16> out{};
  for (int i = 0; i < 16; ++i) out[std::size_t(i)] = std::uint8_t(state_[i / 4] >> (8 * (i % 4)));
  return out;
}

Text Md5::hex(const std::array<std::uint8_t, 16>& digest) {
  static const char16_t kDigits[] = u"0123456789abcdef";
  Text t;
  for (std::uint8_t b : digest) {
    t += kDigits[b >> 4];
    t += kDigits[b & 15];
  }
  return t;
}

std::optional<Text> fileDigest(FileSystem& files, const Text& path) {
  auto reader = files.openForDigest(path);
  if (!reader) return std::nullopt;
  std::vector<std::uint8_t> buffer(kDigestBlockSize);
  Md5 md5;
  for (;;) {
    auto got = reader->read(buffer.data(), buffer.size());
    if (!got) return std::nullopt;
    if (*got == 0) break;
    md5.update(buffer.data(), *got);
  }
  return Md5::hex(md5.finish());
}

}  // namespace lingvora
