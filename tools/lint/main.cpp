// lingvora-lint: checks a language pack before its release and lists what
// a translator or pack author got wrong, per file and line. Exit code 1
// when there is an error, 2 when the pack cannot be read.
//   lingvora-lint PACKDIR [--json]
//   lingvora-lint --gallery OUTDIR PACKDIR   (native build: the screenshot
//     gallery of the pack under Wine, by scripts/gallery.sh of this tree)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "lint/Lint.h"

using namespace lingvora;
namespace fs = std::filesystem;

namespace {

fs::path hostPath(Text path) {
#ifndef _WIN32
  for (char16_t& c : path)
    if (c == u'\\') c = u'/';
#endif
  return fs::path(path);
}

// Plain files of this machine, read only.
struct HostFiles : FileSystem {
  bool fileExists(const Text& path) override {
    std::error_code e;
    return fs::is_regular_file(hostPath(path), e);
  }
  std::optional<Bytes> readWhole(const Text& path) override {
    std::ifstream in(hostPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  bool directoryExists(const Text& path) override {
    std::error_code e;
    return fs::is_directory(hostPath(path), e);
  }
  std::optional<DiskSpace> diskSpace(const Text&) override { return std::nullopt; }
  Text volumeLabel(const Text&) override { return {}; }
  bool replaceWhole(const Text&, const Bytes&) override { return false; }
  std::unique_ptr<FileReader> openForDigest(const Text&) override { return nullptr; }
  Text longPath(const Text& path) override { return path; }
};

int usage() {
  std::fprintf(stderr,
               "usage: lingvora-lint PACKDIR [--json]\n"
               "       lingvora-lint --gallery OUTDIR PACKDIR\n");
  return 2;
}

// The gallery drives the Windows programs of the build tree under Wine.
int gallery(char* outDir, char* packDir) {
#ifdef LINGVORA_GALLERY_SCRIPT
  char bash[] = "bash", script[] = LINGVORA_GALLERY_SCRIPT;
  char* args[] = {bash, script, outDir, packDir, nullptr};
  execvp("bash", args);
  std::perror("lingvora-lint: bash");
#else
  (void)outDir, (void)packDir;
  std::fprintf(stderr, "lingvora-lint: the gallery is made by the native build under Wine\n");
#endif
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--gallery") return gallery(argv[2], argv[3]);
  std::string dir;
  bool json = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json")
      json = true;
    else if (dir.empty() && arg.rfind("--", 0) != 0)
      dir = arg;
    else
      return usage();
  }
  if (dir.empty()) return usage();
  PackListing pack{fromUtf8(dir), {}};
  std::error_code e;
  for (const auto& entry : fs::directory_iterator(fs::path(fromUtf8(dir)), e))
    if (entry.is_regular_file()) pack.fileNames.push_back(entry.path().filename().u16string());
  if (e) {
    std::fprintf(stderr, "lingvora-lint: cannot read the directory %s\n", dir.c_str());
    return 2;
  }
  HostFiles files;
  const std::vector<Finding> findings = lintPack(files, pack);
  const std::string out = json ? findingsJson(findings) : findingsText(findings);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return hasErrors(findings) ? 1 : 0;
}
