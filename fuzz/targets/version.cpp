// The version-resource reader: any bytes as a version block, asked for the
// fixed file information, the translations and the strings.
#include "Input.h"
#include "pe/PeResources.h"
#include "pe/VersionResources.h"

using namespace lingvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An executable is read for its version resource first, as the probe does.
  const Bytes file = fuzz::bytes(data, size);
  const bool executable = size > 2 && data[0] == 'M' && data[1] == 'Z';
  const Bytes block =
      executable
          ? findPeResource(file, ResourceId::of(kResourceVersion), ResourceId{}).value_or(Bytes{})
          : file;
  queryVersionBlock(block, u"\\");
  queryVersionBlock(block, u"\\VarFileInfo\\Translation");
  queryVersionBlock(block, u"\\StringFileInfo\\040904B0\\ProductName");
  queryVersionBlock(block, u"\\StringFileInfo\\041504E2\\FileVersion");
  return 0;
}
