#include "images/Image.h"

namespace lingvora {
namespace {

std::uint32_t u32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

constexpr std::uint32_t kRgb = 0, kBitFields = 3;

// One channel of a packed pixel as eight bits, from its mask.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  unsigned shift = 0;
  while (!(mask & 1u)) mask >>= 1, ++shift;
  const std::uint32_t value = (pixel >> shift) & mask;
  return std::uint8_t(mask >= 255 ? value >> (32 - __builtin_clz(mask) - 8) : value * 255 / mask);
}

struct Layout {
  std::int32_t width = 0;
  std::int64_t height = 0;
  bool bottomUp = false;
  unsigned bits = 0;
  std::uint32_t colours = 0;           // palette entries (indexed pictures)
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue of packed pixels
  std::size_t palette = 0, pixels = 0, stride = 0;
};

// The header, the palette and where the pixels start; nothing when any of
// it does not fit the data.
std::optional<Layout> readLayout(const Bytes& b) {
  if (b.size() < 40) return std::nullopt;
  const std::uint32_t headerSize = u32(b, 0);
  if (headerSize < 40 || headerSize > b.size()) return std::nullopt;
  Layout l;
  l.width = std::int32_t(u32(b, 4));
  const auto rawHeight = std::int32_t(u32(b, 8));
  l.bits = u16(b, 14);
  const std::uint32_t compression = u32(b, 16);
  const std::uint32_t used = u32(b, 32);
  // A bottom-up bitmap has a positive height.
  l.bottomUp = rawHeight > 0;
  l.height = l.bottomUp ? rawHeight : -std::int64_t(rawHeight);
  if (l.width <= 0 || l.height <= 0 || l.width > kMaxImageSide || l.height > kMaxImageSide)
    return std::nullopt;
  const bool indexed = l.bits == 1 || l.bits == 4 || l.bits == 8;
  const bool packed = l.bits == 16 || l.bits == 32;
  if (!indexed && !packed && l.bits != 24) return std::nullopt;
  if (compression != kRgb && !(compression == kBitFields && packed)) return std::nullopt;
  std::size_t at = headerSize;
  if (compression == kBitFields) {
    // The masks follow a plain header and lie inside the larger ones.
    const std::size_t masksAt = headerSize == 40 ? headerSize : 40;
    if (masksAt + 12 > b.size()) return std::nullopt;
    for (int i = 0; i < 3; ++i) l.masks[i] = u32(b, masksAt + std::size_t(i) * 4);
    if (headerSize == 40) at += 12;
  } else if (l.bits == 16) {
    l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
  } else if (l.bits == 32) {
    l.masks[0] = 0xFF0000, l.masks[1] = 0xFF00, l.masks[2] = 0xFF;
  }
  // Indexed pictures read their palette; true-colour ones may still carry
  // one, which the pixels follow.
  l.colours = indexed && used == 0 ? 1u << l.bits : used;
  if (l.colours > 256 && indexed) return std::nullopt;
  if (l.colours > (b.size() - at) / 4) return std::nullopt;
  l.palette = at;
  l.pixels = at + std::size_t(l.colours) * 4;
  l.stride = ((std::size_t(l.width) * l.bits + 31) / 32) * 4;
  if (l.pixels > b.size() || l.stride * std::size_t(l.height) > b.size() - l.pixels)
    return std::nullopt;
  return l;
}

}  // namespace

std::optional<MaskedImage> decodeBitmapResource(const Bytes& b) {
  const std::optional<Layout> layout = readLayout(b);
  if (!layout) return std::nullopt;
  const Layout& l = *layout;
  MaskedImage out;
  out.image.width = l.width;
  out.image.height = int(l.height);
  out.image.bgra.resize(std::size_t(l.width) * std::size_t(l.height) * 4);
  out.mask.resize(std::size_t(l.width) * std::size_t(l.height));
  for (std::int64_t y = 0; y < l.height; ++y) {
    const std::size_t row = l.pixels + l.stride * std::size_t(l.bottomUp ? l.height - 1 - y : y);
    for (std::int32_t x = 0; x < l.width; ++x) {
      std::uint8_t blue, green, red;
      if (l.bits == 24) {
        const std::size_t p = row + std::size_t(x) * 3;
        blue = b[p], green = b[p + 1], red = b[p + 2];
      } else if (l.bits == 16 || l.bits == 32) {
        const std::size_t p = row + std::size_t(x) * (l.bits / 8);
        const std::uint32_t pixel = l.bits == 16 ? u16(b, p) : u32(b, p);
        red = channel(pixel, l.masks[0]);
        green = channel(pixel, l.masks[1]);
        blue = channel(pixel, l.masks[2]);
      } else {
        const std::size_t bit = std::size_t(x) * l.bits;
        const unsigned shift = unsigned(8 - l.bits - bit % 8);
        const unsigned index = (b[row + bit / 8] >> shift) & ((1u << l.bits) - 1);
        if (index >= l.colours) return std::nullopt;
        const std::size_t c = l.palette + index * 4;
        blue = b[c], green = b[c + 1], red = b[c + 2];
      }
      const std::size_t i = std::size_t(y) * std::size_t(l.width) + std::size_t(x);
      const bool magenta = red == 0xFF && green == 0 && blue == 0xFF;
      out.mask[i] = magenta ? 1 : 0;
      std::uint8_t* px = &out.image.bgra[i * 4];
      // Transparent pixels are black in the image, as a masked image list keeps them.
      px[0] = magenta ? 0 : blue;
      px[1] = magenta ? 0 : green;
      px[2] = magenta ? 0 : red;
      px[3] = magenta ? 0 : 0xFF;
    }
  }
  return out;
}

}  // namespace lingvora
