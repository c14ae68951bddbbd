#include "pe/VersionResources.h"

namespace lingvora {
namespace {

struct Node {
  std::size_t start = 0, end = 0;  // the node within the block
  Text key;
  std::size_t valueAt = 0, valueSize = 0;
  std::size_t childrenAt = 0;
};

std::uint16_t u16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }
std::size_t align4(std::size_t n) { return (n + 3) & ~std::size_t(3); }

// Reads the node at `at`, which must end within `limit`.
std::optional<Node> readNode(const Bytes& b, std::size_t at, std::size_t limit) {
  if (at + 6 > limit || limit > b.size()) return std::nullopt;
  const std::size_t length = u16(b, at), valueLength = u16(b, at + 2), type = u16(b, at + 4);
  if (length < 6 || at + length > limit) return std::nullopt;
  Node n;
  n.start = at;
  n.end = at + length;
  std::size_t p = at + 6;
  for (;; p += 2) {
    if (p + 2 > n.end) return std::nullopt;
    const char16_t c = u16(b, p);
    if (c == 0) break;
    n.key += c;
  }
  n.valueAt = align4(p + 2);
  // Text values count their length in characters, binary ones in bytes.
  const std::size_t size = type == 1 ? valueLength * 2 : valueLength;
  if (n.valueAt > n.end) n.valueAt = n.end;
  n.valueSize = std::min(size, n.end - n.valueAt);
  n.childrenAt = align4(n.valueAt + n.valueSize);
  return n;
}

}  // namespace

std::optional<Bytes> queryVersionBlock(const Bytes& block, TextView subBlock) {
  auto node = readNode(block, 0, block.size());
  if (!node) return std::nullopt;
  std::size_t pos = 0;
  while (pos < subBlock.size()) {
    while (pos < subBlock.size() && subBlock[pos] == u'\\') ++pos;
    if (pos == subBlock.size()) break;
    std::size_t next = subBlock.find(u'\\', pos);
    if (next == TextView::npos) next = subBlock.size();
    const TextView wanted = subBlock.substr(pos, next - pos);
    pos = next;
    std::optional<Node> found;
    for (std::size_t at = node->childrenAt; at < node->end;) {
      auto child = readNode(block, at, node->end);
      if (!child) return std::nullopt;
      if (equalsNoCase(child->key, wanted)) {
        found = child;
        break;
      }
      at = align4(child->end);
    }
    if (!found) return std::nullopt;
    node = found;
  }
  auto first = block.begin() + std::ptrdiff_t(node->valueAt);
  return Bytes(first, first + std::ptrdiff_t(node->valueSize));
}

}  // namespace lingvora
