// pixora-check: lists every picture the wizard will ask for that the image
// library lacks, and every picture that does not decode. Exit code 1 when
// anything is missing or broken.
//   pixora-check Pixora.dll MODE [LANGUAGE_ID...]
#include <cstdio>
#include <fstream>
#include <iterator>

#include "images/PeImageLibrary.h"
#include "images/Pictures.h"

using namespace lingvora;

namespace {

// Plain files of this machine, as the reader needs them. The check asks
// for every picture of one library: it is read once.
struct HostFiles : FileSystem {
  bool fileExists(const Text& path) override { return readWhole(path).has_value(); }
  std::optional<Bytes> readWhole(const Text& path) override {
    if (path != cachedPath_) {
      std::ifstream in(toUtf8(path), std::ios::binary);
      if (!in) return std::nullopt;
      cached_ = Bytes(std::istreambuf_iterator<char>(in), {});
      cachedPath_ = path;
    }
    return cached_;
  }
  bool directoryExists(const Text&) override { return false; }
  std::optional<DiskSpace> diskSpace(const Text&) override { return std::nullopt; }
  bool replaceWhole(const Text&, const Bytes&) override { return false; }
  std::unique_ptr<FileReader> openForDigest(const Text&) override { return nullptr; }
  Text longPath(const Text& path) override { return path; }

 private:
  Text cachedPath_;
  Bytes cached_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: pixora-check Pixora.dll MODE [LANGUAGE_ID...]\n");
    return 2;
  }
  HostFiles files;
  PeImageLibrary library(files);
  const Text path = fromUtf8(argv[1]);
  if (!files.fileExists(path)) {
    std::fprintf(stderr, "pixora-check: cannot read %s\n", argv[1]);
    return 2;
  }
  std::vector<Text> languages;
  for (int i = 3; i < argc; ++i) languages.push_back(fromUtf8(argv[i]));

  int problems = 0;
  auto report = [&](const char* what, const Text& name) {
    std::printf("%s %s\n", what, toUtf8(name).c_str());
    ++problems;
  };
  for (const Text& name : allPictureNames(fromUtf8(argv[2]), languages)) {
    auto data = library.resource(path, LibraryResource::Picture, name);
    if (!data)
      report("missing", name);
    else if (!decodePng(*data))
      report("broken", name);
  }
  for (const Text& name : allBitmapNames()) {
    auto data = library.resource(path, LibraryResource::Bitmap, name);
    if (!data)
      report("missing", name);
    else if (!decodeBitmapResource(*data))
      report("broken", name);
  }
  if (problems == 0) std::printf("pixora-check: every picture is present and decodes\n");
  return problems == 0 ? 0 : 1;
}
