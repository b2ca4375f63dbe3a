#pragma once

#include <string>

namespace kestrel {

// The drive and directory parts of `path`, with the trailing separator when `keepTrailing`
// is true, otherwise with every trailing separator removed; empty for an empty path or a
// bare file name. The path is in code page 932, whose second bytes may equal '\'.
std::string ProgramDirectory(const std::string& path, bool keepTrailing);

}  // namespace kestrel
