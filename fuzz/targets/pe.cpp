// The PE resource reader: any bytes as a library, asked for the pictures,
// the bitmaps and the version resource.
#include "Input.h"
#include "pe/PeResources.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes file = fuzz::bytes(data, size);
  findPeResource(file, ResourceId::of(kResourceRcData), ResourceId::of(u"HEADER_WINAMP_96"));
  findPeResource(file, ResourceId::of(kResourceBitmap), ResourceId::of(u"APP_STATE_CHECK"));
  findPeResource(file, ResourceId::of(kResourceVersion), ResourceId{});
  findPeResource(file, ResourceId::of(kResourceRcData), ResourceId::of(1));
  return 0;
}
