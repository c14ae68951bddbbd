// Runs a fuzz target over files, as an ordinary test: every input of the
// seed corpus and every input that ever found a fault. Directories are read
// one level deep.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int inputs = 0;
  auto run = [&](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    ++inputs;
  };
  for (int i = 1; i < argc; ++i) {
    const fs::path p = argv[i];
    if (fs::is_directory(p)) {
      for (const auto& entry : fs::directory_iterator(p))
        if (entry.is_regular_file()) run(entry.path());
    } else if (fs::is_regular_file(p)) {
      run(p);
    }
  }
  std::printf("replayed %d inputs\n", inputs);
  return inputs > 0 ? 0 : 1;
}
