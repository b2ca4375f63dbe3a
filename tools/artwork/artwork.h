#pragma once
// Every picture, icon, bitmap and help file of the program, as files below resources/.

#include <string>
#include <vector>

#include "image_files.h"

namespace kestrel::artwork {

struct Asset {
  std::string path;  // relative to resources/
  Bytes bytes;
};

// `resources` is read for the help sources (help/source/*.txt).
std::vector<Asset> BuildAssets(const std::string& resources);

}  // namespace kestrel::artwork
