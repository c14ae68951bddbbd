// PNG decoding through our wrapper: a picture or nothing, never a crash
// and never more pixels than the limits allow.
#include <cstdlib>

#include "Input.h"
#include "images/Image.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto image = decodePng(fuzz::bytes(data, size))) {
    if (image->width <= 0 || image->height <= 0 || image->width > kMaxImageSide ||
        image->height > kMaxImageSide ||
        image->bgra.size() != std::size_t(image->width) * std::size_t(image->height) * 4)
      std::abort();
  }
  return 0;
}
