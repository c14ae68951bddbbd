#pragma once
// The image library read as a file, with the portable PE reader: what the
// tests and the builder's check use where LoadLibraryEx is not available.
#include "pe/PeResources.h"
#include "platform/Platform.h"

namespace lingvora {

class PeImageLibrary : public ImageLibrary {
 public:
  explicit PeImageLibrary(FileSystem& files) : files_(files) {}
  std::optional<Bytes> resource(const Text& libraryPath, LibraryResource type,
                                const Text& name) override {
    auto file = files_.readWhole(libraryPath);
    if (!file) return std::nullopt;
    const auto kind = type == LibraryResource::Picture ? kResourceRcData : kResourceBitmap;
    return findPeResource(*file, ResourceId::of(kind), ResourceId::of(name));
  }

 private:
  FileSystem& files_;
};

}  // namespace lingvora
