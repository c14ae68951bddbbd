#include <png.h>

#include <csetjmp>
#include <cstring>

#include "images/Image.h"

namespace lingvora {
namespace {

struct Source {
  const Bytes& data;
  std::size_t at = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* src = static_cast<Source*>(png_get_io_ptr(png));
  if (length > src->data.size() - src->at) png_error(png, "truncated");
  std::memcpy(out, src->data.data() + src->at, length);
  src->at += length;
}

void quiet(png_structp, png_const_charp) {}

[[noreturn]] void fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

std::optional<Image> decodePng(const Bytes& data) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, quiet);
  if (!png) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return std::nullopt;
  }
  // Everything libpng may jump out of lives on the heap or in `image`,
  // both released normally after the jump.
  Source src{data};
  Image image;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return std::nullopt;
  }
  png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
  png_set_chunk_cache_max(png, 128);
  png_set_chunk_malloc_max(png, 8u << 20);
  png_set_read_fn(png, &src, readFromMemory);
  png_read_info(png, info);

  png_uint_32 w = 0, h = 0;
  int depth = 0, colour = 0;
  png_get_IHDR(png, info, &w, &h, &depth, &colour, nullptr, nullptr, nullptr);
  if (depth == 16) png_set_strip_16(png);
  if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t(w) * 4) png_error(png, "layout");

  image.width = int(w);
  image.height = int(h);
  image.bgra.resize(std::size_t(w) * h * 4);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = image.bgra.data() + std::size_t(y) * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);

  for (std::size_t i = 0; i < image.bgra.size(); i += 4) {
    const unsigned a = image.bgra[i + 3];
    for (int c = 0; c < 3; ++c)
      image.bgra[i + c] = std::uint8_t((image.bgra[i + c] * a + 127) / 255);
  }
  return image;
}

namespace {
void writeToMemory(png_structp png, png_bytep in, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), in, in + length);
}
void noFlush(png_structp) {}
}  // namespace

Bytes encodePng(const Image& image) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, quiet);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return {};
  }
  std::vector<std::uint8_t> rgba(image.bgra.size());
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const unsigned a = image.bgra[i + 3];
    auto straight = [&](std::uint8_t c) { return std::uint8_t(a ? (c * 255 + a / 2) / a : 0); };
    rgba[i] = straight(image.bgra[i + 2]);
    rgba[i + 1] = straight(image.bgra[i + 1]);
    rgba[i + 2] = straight(image.bgra[i]);
    rgba[i + 3] = std::uint8_t(a);
  }
  std::vector<png_bytep> rows(std::size_t(image.height));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, writeToMemory, noFlush);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  for (int y = 0; y < image.height; ++y)
    rows[std::size_t(y)] = rgba.data() + std::size_t(y) * std::size_t(image.width) * 4;
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace lingvora
