#pragma once
// Version resources read from the file's bytes, with the semantics of
// GetFileVersionInfo and VerQueryValue: what the tests use where those calls
// are not available.
#include "pe/PeResources.h"
#include "platform/Platform.h"

namespace lingvora {

// The value at a sub-block path of a VS_VERSIONINFO block; nothing when the
// path is not there or the block is damaged.
std::optional<Bytes> queryVersionBlock(const Bytes& block, TextView subBlock);

class PeVersionResources : public VersionResources {
 public:
  explicit PeVersionResources(FileSystem& files) : files_(files) {}
  std::optional<Bytes> load(const Text& file) override {
    auto bytes = files_.readWhole(file);
    if (!bytes) return std::nullopt;
    return findPeResource(*bytes, ResourceId::of(kResourceVersion), ResourceId{});
  }
  std::optional<Bytes> query(const Bytes& block, const Text& subBlock) override {
    return queryVersionBlock(block, subBlock);
  }

 private:
  FileSystem& files_;
};

}  // namespace lingvora
