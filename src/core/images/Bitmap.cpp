#include "images/Image.h"

namespace lingvora {
namespace {

std::uint32_t u32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

}  // namespace

std::optional<MaskedImage> decodeBitmapResource(const Bytes& b) {
  if (b.size() < 40) return std::nullopt;
  const std::uint32_t headerSize = u32(b, 0);
  if (headerSize < 40 || headerSize > b.size()) return std::nullopt;
  const auto width = std::int32_t(u32(b, 4));
  const auto rawHeight = std::int32_t(u32(b, 8));
  const unsigned bits = u16(b, 14);
  const std::uint32_t compression = u32(b, 16);
  std::uint32_t colours = u32(b, 32);
  // A bottom-up bitmap has a positive height.
  const bool bottomUp = rawHeight > 0;
  const std::int64_t height = bottomUp ? rawHeight : -std::int64_t(rawHeight);
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
    return std::nullopt;
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return std::nullopt;
  if (bits <= 8 && colours == 0) colours = 1u << bits;
  if (bits > 8) colours = 0;
  if (colours > 256) return std::nullopt;
  const std::size_t palette = headerSize;
  const std::size_t pixels = palette + std::size_t(colours) * 4;
  const std::size_t stride = ((std::size_t(width) * bits + 31) / 32) * 4;
  if (pixels > b.size() || stride * std::size_t(height) > b.size() - pixels) return std::nullopt;

  MaskedImage out;
  out.image.width = width;
  out.image.height = int(height);
  out.image.bgra.resize(std::size_t(width) * std::size_t(height) * 4);
  out.mask.resize(std::size_t(width) * std::size_t(height));
  for (std::int64_t y = 0; y < height; ++y) {
    const std::size_t row = pixels + stride * std::size_t(bottomUp ? height - 1 - y : y);
    for (std::int32_t x = 0; x < width; ++x) {
      std::uint8_t blue, green, red;
      if (bits > 8) {
        const std::size_t p = row + std::size_t(x) * (bits / 8);
        blue = b[p], green = b[p + 1], red = b[p + 2];
      } else {
        const std::size_t bit = std::size_t(x) * bits;
        const unsigned shift = unsigned(8 - bits - bit % 8);
        const unsigned index = (b[row + bit / 8] >> shift) & ((1u << bits) - 1);
        if (index >= colours) return std::nullopt;
        const std::size_t c = palette + index * 4;
        blue = b[c], green = b[c + 1], red = b[c + 2];
      }
      const std::size_t i = std::size_t(y) * std::size_t(width) + std::size_t(x);
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
