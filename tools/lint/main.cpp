// lingvora-lint: checks a language pack before its release and lists what
// a translator or pack author got wrong, per file and line. Exit code 1
// when there is an error, 2 when the pack cannot be read.
//   lingvora-lint PACKDIR [--json]
//   lingvora-lint PACKDIR --fit [--json]   also the texts cut off in the
//     pages, measured under Windows (the native build runs the Windows one
//     under the project's Wine)
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
#ifdef _WIN32
#include "TextFitRun.h"
#endif

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
               "usage: lingvora-lint PACKDIR [--fit] [--json]\n"
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

#ifndef _WIN32
// The text fit needs the system's fonts: natively, the Windows build of
// this tree does the whole check under Wine.
int fitUnderWine(const std::string& dir, bool json) {
#ifdef LINGVORA_WINDOWS_LINT
  std::error_code e;
  std::string windowsDir = "Z:" + fs::absolute(dir, e).string();
  for (char& c : windowsDir)
    if (c == '/') c = '\\';
  char bash[] = "bash", wine[] = LINGVORA_WINE_SCRIPT, exe[] = LINGVORA_WINDOWS_LINT,
       fit[] = "--fit", asJson[] = "--json";
  char* args[] = {bash, wine, exe, windowsDir.data(), fit, json ? asJson : nullptr, nullptr};
  execvp("bash", args);
  std::perror("lingvora-lint: bash");
#else
  (void)dir, (void)json;
#endif
  return 2;
}

#endif

#ifdef _WIN32
std::vector<Text> textFiles(const PackListing& pack) {
  std::vector<Text> languages;
  for (const Text& name : pack.fileNames)
    if (name.size() > 4 && equalsNoCase(TextView(name).substr(name.size() - 4), u".ini") &&
        name.find_first_not_of(u"0123456789") == name.size() - 4)
      languages.push_back(name.substr(0, name.size() - 4));
  return languages;
}

#endif

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--gallery") return gallery(argv[2], argv[3]);
  std::string dir;
  bool json = false, fit = false, fitHere = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json")
      json = true;
    else if (arg == "--fit")
      fit = true;
    else if (arg == "--fit-here")  // one density of --fit, in its own process
      fitHere = true;
    else if (dir.empty() && arg.rfind("--", 0) != 0)
      dir = arg;
    else
      return usage();
  }
  if (dir.empty()) return usage();
#ifndef _WIN32
  if (fit || fitHere) return fitUnderWine(dir, json);
#endif
  PackListing pack{fromUtf8(dir), {}};
  std::error_code e;
  for (const auto& entry : fs::directory_iterator(fs::path(fromUtf8(dir)), e))
    if (entry.is_regular_file()) pack.fileNames.push_back(entry.path().filename().u16string());
  if (e) {
    std::fprintf(stderr, "lingvora-lint: cannot read the directory %s\n", dir.c_str());
    return 2;
  }
#ifdef _WIN32
  if (fitHere) return reportCutTexts(pack.directory, textFiles(pack));
#endif
  HostFiles files;
  std::vector<Finding> findings = lintPack(files, pack);
#ifdef _WIN32
  if (fit)
    for (Finding& f : textFitFindings(pack.directory)) findings.push_back(std::move(f));
#endif
  const std::string out = json ? findingsJson(findings) : findingsText(findings);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return hasErrors(findings) ? 1 : 0;
}
