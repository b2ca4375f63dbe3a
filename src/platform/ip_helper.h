#pragma once
// Port: the IP Helper API's list of the machine's network adapters.

#include <string>
#include <vector>

namespace kestrel {

struct IpAdapterEntry {
  std::string description;
  std::string firstIpAddress;  // dotted text, as the API lists it
};

class IpHelper {
 public:
  virtual ~IpHelper() = default;
  // False when the list cannot be read.
  virtual bool adapters(std::vector<IpAdapterEntry>& list) = 0;
};

}  // namespace kestrel
