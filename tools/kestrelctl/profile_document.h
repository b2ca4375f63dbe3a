#pragma once
// The profile exchange file: one UTF-8 JSON document holding named profiles with every
// field the store keeps, under the registry's value names. Secrets travel in the clear or
// not at all: the stored cipher is keyed by one card's id and means nothing elsewhere.

#include <string>
#include <vector>

#include "profiles/wireless_profile.h"
#include "text_codec.h"

namespace kestrel::ctl {

inline constexpr char kProfileFormatName[] = "kestrel-profiles";
inline constexpr int kProfileFormatVersion = 1;

struct NamedProfile {
  std::string name;  // the store's name (core text)
  WirelessProfile profile;
};

// The document as UTF-8; false with `fault` when a text could not be converted.
bool WriteProfileDocument(const std::vector<NamedProfile>& profiles, bool includeSecrets,
                          TextCodec& codec, std::string& utf8, std::string& fault);

// Reads and checks every profile of a document by the settings page's rules; false with
// one fault per problem (the place in the file, or the profile and the field).
bool ReadProfileDocument(const std::string& utf8, TextCodec& codec,
                         std::vector<NamedProfile>& profiles, std::vector<std::string>& faults);

}  // namespace kestrel::ctl
