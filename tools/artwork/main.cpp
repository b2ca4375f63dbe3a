// Writes the program's resources below the given resources folder, or with --check only
// compares them with what is there (the build's test that the committed files reproduce).
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "artwork.h"

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: kestrel_artwork [--check] RESOURCES_DIR\n");
    return 2;
  }
  const std::string resources = argv[argc - 1];
  try {
    int differing = 0;
    const auto assets = kestrel::artwork::BuildAssets(resources);
    for (const auto& asset : assets) {
      const std::string path = resources + "/" + asset.path;
      if (check) {
        std::ifstream file(path, std::ios::binary);
        const kestrel::artwork::Bytes present{std::istreambuf_iterator<char>(file), {}};
        if (present != asset.bytes) {
          std::printf("differs: %s\n", asset.path.c_str());
          ++differing;
        }
        continue;
      }
      std::ofstream file(path, std::ios::binary);
      file.write(reinterpret_cast<const char*>(asset.bytes.data()),
                 static_cast<std::streamsize>(asset.bytes.size()));
      if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
    }
    std::printf("%zu resources %s\n", assets.size(), check ? "checked" : "written");
    return differing == 0 ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kestrel_artwork: %s\n", error.what());
    return 1;
  }
}
