// Runs a fuzz target over inputs kept as files (the seed corpus and the inputs
// of past findings), without libFuzzer: the normal test build replays them
// this way, so every input ever found stays a regular test. A failed check
// aborts the run, as it does under the fuzzer.
//
// Usage: <target>_replay FILE-OR-DIRECTORY...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char **argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path path = argv[i];
    if (fs::is_directory(path)) {
      for (const fs::directory_entry &entry : fs::directory_iterator(path))
        if (entry.is_regular_file())
          inputs.push_back(entry.path());
    } else if (fs::is_regular_file(path)) {
      inputs.push_back(path);
    } else if (!fs::exists(path)) {
      std::fprintf(stderr, "replay: no such file or directory: %s\n", argv[i]);
      return 2;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 2;
  }
  for (const fs::path &path : inputs) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(data.data(), data.size());
  }
  std::printf("replay: %zu inputs passed\n", inputs.size());
  return 0;
}
