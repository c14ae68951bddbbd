#include "pe/PeResources.h"

#include <set>

namespace lingvora {
namespace {

class Reader {
 public:
  explicit Reader(const Bytes& b) : b_(b) {}
  bool has(std::uint64_t offset, std::uint64_t size) const {
    return offset <= b_.size() && size <= b_.size() - offset;
  }
  std::optional<std::uint32_t> u32(std::uint64_t at) const {
    if (!has(at, 4)) return std::nullopt;
    return std::uint32_t(b_[at]) | std::uint32_t(b_[at + 1]) << 8 |
           std::uint32_t(b_[at + 2]) << 16 | std::uint32_t(b_[at + 3]) << 24;
  }
  std::optional<std::uint16_t> u16(std::uint64_t at) const {
    if (!has(at, 2)) return std::nullopt;
    return std::uint16_t(b_[at] | b_[at + 1] << 8);
  }
  const Bytes& bytes() const { return b_; }

 private:
  const Bytes& b_;
};

struct Section {
  std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

struct Image {
  std::vector<Section> sections;
  std::uint32_t resourceRva = 0, resourceSize = 0;
};

std::optional<Image> readHeaders(const Reader& r) {
  if (!r.has(0, 0x40) || r.bytes()[0] != 'M' || r.bytes()[1] != 'Z') return std::nullopt;
  auto peAt = r.u32(0x3C);
  if (!peAt || r.u32(*peAt) != 0x00004550u) return std::nullopt;
  const std::uint64_t coff = std::uint64_t(*peAt) + 4;
  auto sectionCount = r.u16(coff + 2);
  auto optionalSize = r.u16(coff + 16);
  const std::uint64_t opt = coff + 20;
  auto magic = r.u16(opt);
  if (!sectionCount || !optionalSize || !magic) return std::nullopt;
  const bool pe32plus = *magic == 0x20B;
  if (!pe32plus && *magic != 0x10B) return std::nullopt;
  auto dirCount = r.u32(opt + (pe32plus ? 108 : 92));
  const std::uint64_t dirs = opt + (pe32plus ? 112 : 96);
  Image image;
  if (dirCount && *dirCount > 2 && dirs + 24 <= opt + *optionalSize) {
    image.resourceRva = r.u32(dirs + 16).value_or(0);
    image.resourceSize = r.u32(dirs + 20).value_or(0);
  }
  const std::uint64_t table = opt + *optionalSize;
  for (std::uint16_t i = 0; i < *sectionCount; ++i) {
    const std::uint64_t s = table + std::uint64_t(i) * 40;
    auto vs = r.u32(s + 8), va = r.u32(s + 12), rs = r.u32(s + 16), ro = r.u32(s + 20);
    if (!vs || !va || !rs || !ro) return std::nullopt;
    image.sections.push_back({*va, *vs, *ro, *rs});
  }
  return image;
}

// File offset of an RVA range, if it lies within one section's raw data.
std::optional<std::uint64_t> fileOffset(const Image& image, const Reader& r, std::uint32_t rva,
                                        std::uint32_t size) {
  for (const Section& s : image.sections) {
    const std::uint64_t extent = std::max(s.virtualSize, s.rawSize);
    if (rva >= s.virtualAddress && std::uint64_t(rva) + size <= s.virtualAddress + extent) {
      const std::uint64_t delta = rva - s.virtualAddress;
      if (delta + size > s.rawSize) return std::nullopt;
      const std::uint64_t at = std::uint64_t(s.rawOffset) + delta;
      if (!r.has(at, size)) return std::nullopt;
      return at;
    }
  }
  return std::nullopt;
}

class Walker {
 public:
  Walker(const Reader& r, const Image& image, std::uint64_t root, std::uint32_t size)
      : r_(r), image_(image), root_(root), size_(size) {}

  // The entry's target within directory at dirOffset (relative to the root):
  // a subdirectory or a data entry, flagged by the high bit.
  std::optional<std::uint32_t> lookup(std::uint32_t dirOffset, const ResourceId& id,
                                      bool firstAny) {
    if (!visited_.insert(dirOffset).second || !inside(dirOffset, 16)) return std::nullopt;
    const std::uint64_t dir = root_ + dirOffset;
    auto named = r_.u16(dir + 12), ids = r_.u16(dir + 14);
    if (!named || !ids) return std::nullopt;
    const std::uint32_t count = std::uint32_t(*named) + *ids;
    if (!inside(dirOffset + 16, std::uint64_t(count) * 8)) return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t entry = dir + 16 + std::uint64_t(i) * 8;
      auto nameField = r_.u32(entry), target = r_.u32(entry + 4);
      if (!nameField || !target) return std::nullopt;
      if (firstAny || matches(*nameField, id)) return *target;
    }
    return std::nullopt;
  }

  std::optional<Bytes> data(std::uint32_t entryOffset) {
    if (!inside(entryOffset, 16)) return std::nullopt;
    auto rva = r_.u32(root_ + entryOffset), size = r_.u32(root_ + entryOffset + 4);
    if (!rva || !size) return std::nullopt;
    auto at = fileOffset(image_, r_, *rva, *size);
    if (!at) return std::nullopt;
    auto first = r_.bytes().begin() + std::ptrdiff_t(*at);
    return Bytes(first, first + std::ptrdiff_t(*size));
  }

 private:
  bool inside(std::uint64_t offset, std::uint64_t size) const {
    return offset <= size_ && size <= size_ - offset;
  }
  bool matches(std::uint32_t nameField, const ResourceId& id) const {
    if (!(nameField & 0x80000000u)) return id.name.empty() && (nameField & 0xFFFF) == id.number;
    if (id.name.empty()) return false;
    const std::uint32_t at = nameField & 0x7FFFFFFFu;
    auto length = inside(at, 2) ? r_.u16(root_ + at) : std::nullopt;
    if (!length || !inside(at + 2u, std::uint64_t(*length) * 2)) return false;
    Text name;
    for (std::uint16_t i = 0; i < *length; ++i) name += char16_t(*r_.u16(root_ + at + 2 + i * 2u));
    return equalsNoCase(name, id.name);
  }

  const Reader& r_;
  const Image& image_;
  std::uint64_t root_;
  std::uint32_t size_;
  std::set<std::uint32_t> visited_;
};

}  // namespace

std::optional<Bytes> findPeResource(const Bytes& file, const ResourceId& type,
                                    const ResourceId& name) {
  Reader r(file);
  auto image = readHeaders(r);
  if (!image || image->resourceRva == 0 || image->resourceSize < 16) return std::nullopt;
  auto root = fileOffset(*image, r, image->resourceRva, image->resourceSize);
  if (!root) return std::nullopt;
  Walker walk(r, *image, *root, image->resourceSize);
  // Three levels: type, name, language (the first one found).
  auto typeTarget = walk.lookup(0, type, false);
  if (!typeTarget || !(*typeTarget & 0x80000000u)) return std::nullopt;
  const bool anyName = name.number == 0 && name.name.empty();
  auto nameTarget = walk.lookup(*typeTarget & 0x7FFFFFFFu, name, anyName);
  if (!nameTarget || !(*nameTarget & 0x80000000u)) return std::nullopt;
  auto languageTarget = walk.lookup(*nameTarget & 0x7FFFFFFFu, {}, true);
  if (!languageTarget || (*languageTarget & 0x80000000u)) return std::nullopt;
  return walk.data(*languageTarget);
}

}  // namespace lingvora
