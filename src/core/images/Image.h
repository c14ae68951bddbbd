#pragma once
// Pictures as the form model holds them: 32-bit pixels, top-down,
// premultiplied B, G, R, A bytes, ready for alpha blending.
#include <cstdint>
#include <optional>
#include <vector>

#include "text/Text.h"

namespace lingvora {

struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4
  bool operator==(const Image&) const = default;
};

// An image-list entry: the image and its one-bit mask (1 = transparent).
struct MaskedImage {
  Image image;
  std::vector<std::uint8_t> mask;  // width * height
  bool operator==(const MaskedImage&) const = default;
};

// Far above any picture the pages use; larger images are refused unread.
inline constexpr int kMaxImageSide = 4096;

// Nothing when the data is not a PNG, is damaged or is too large.
std::optional<Image> decodePng(const Bytes& data);

// A BITMAP resource (a device-independent bitmap without file header):
// 1, 4, 8, 24 or 32 bits per pixel, uncompressed. Magenta (#FF00FF) pixels
// become the mask. Nothing when the data is damaged.
std::optional<MaskedImage> decodeBitmapResource(const Bytes& data);

// A PNG file of the image (for tools and tests; straight alpha, RGBA).
Bytes encodePng(const Image& image);

}  // namespace lingvora
