// An import file is whatever the user hands over: any bytes, cut anywhere, nested deep,
// numbers of any size. Reading it must end in profiles or in faults, and every profile it
// accepts must write back into a document that reads the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ctl_text_files.h"
#include "profile_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrel::ctl;
  IconvTextCodec codec;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<NamedProfile> profiles;
  std::vector<std::string> faults;
  const bool read = ReadProfileDocument(input, codec, profiles, faults);
  if (read != faults.empty() || (!read && !profiles.empty()))
    std::abort();
  if (!read)
    return 0;
  std::string again;
  std::string fault;
  if (!WriteProfileDocument(profiles, true, codec, again, fault))
    return 0;
  std::vector<NamedProfile> reread;
  if (!ReadProfileDocument(again, codec, reread, faults) || reread.size() != profiles.size())
    std::abort();
  for (std::size_t i = 0; i < reread.size(); ++i) {
    if (reread[i].name != profiles[i].name ||
        reread[i].profile.NetworkName != profiles[i].profile.NetworkName ||
        reread[i].profile.Passphrase != profiles[i].profile.Passphrase ||
        reread[i].profile.SharedKey != profiles[i].profile.SharedKey)
      std::abort();
  }
  return 0;
}
