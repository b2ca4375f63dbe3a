#pragma once

#include <string>

#include "platform/ip_helper.h"

namespace kestrel {

// The first IP address of the first adapter whose description contains the model
// description anywhere; empty when not known.
std::string GetIpAddressText(IpHelper& ipHelper);

}  // namespace kestrel
