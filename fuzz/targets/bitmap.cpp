// The bitmap-resource decoder: an image with its mask, both the size the
// header gives, or nothing.
#include <cstdlib>

#include "Input.h"
#include "images/Image.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (auto m = decodeBitmapResource(fuzz::bytes(data, size))) {
    const std::size_t pixels = std::size_t(m->image.width) * std::size_t(m->image.height);
    if (m->image.bgra.size() != pixels * 4 || m->mask.size() != pixels) std::abort();
  }
  return 0;
}
