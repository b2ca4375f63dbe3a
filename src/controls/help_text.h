#pragma once
// Help text of the pages: where the files lie and how one is put into a help pane.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/help_pane.h"
#include "platform/shared_read_files.h"

namespace kestrel {

// Drive and directory of the executable's path (keeping the separator) + `fileName`;
// empty when the path has no directory. The path is in code page 932, whose second bytes
// may equal the separator.
std::string HelpFilePath(const std::string& executablePath, const std::string& fileName);

// "{\rtf" in any letter case at the start; anything else, also fewer than 5 bytes, is text.
HelpTextFormat DetectHelpTextFormat(const std::uint8_t* head, std::size_t size);

enum class HelpLoadResult { Loaded, InvalidFileName, CannotOpen };

// Replaces the pane's content with the file, or reports why not and leaves it alone.
HelpLoadResult LoadHelpText(HelpPane& pane, SharedReadFiles& files, const std::string& path);

}  // namespace kestrel
