#pragma once
// The card configuration id: a GUID text kept in the driver parameters key that keys the
// stored-secret cipher of every secret beneath that key.

#include <cstddef>
#include <string>

#include "parameters/driver_parameters.h"
#include "platform/guid_source.h"

namespace kestrel {

inline constexpr char kCardConfigIdValue[] = "CardCfgId";
// Used when the system's GUID cannot be formatted.
inline constexpr char kFallbackCardConfigId[] = "9B2E64D0-3A7C-4f15-8E21-D07C5A93B46E";

class CardConfigId {
 public:
  CardConfigId(DriverParameters& parameters, GuidSource& guids);

  // Creates the id once; an existing one is never changed.
  bool EnsureCardConfigId();
  // The id, created first when missing; 0 and empty text when it cannot be had.
  std::size_t GetCardConfigId(std::string& id);

 private:
  DriverParameters& parameters_;
  GuidSource& guids_;
};

}  // namespace kestrel
