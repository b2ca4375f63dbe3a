// The adapter list's texts and the key text are input from outside: whatever they hold,
// discovery and key conversion must stay within their buffers.
#include <cstdint>
#include <string>

#include "adapter/adapter_discovery.h"
#include "adapter/oid_conversions.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_system_ports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrel;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\n');
  const std::string description = input.substr(0, cut);
  const std::string device = cut == std::string::npos ? std::string() : input.substr(cut + 1);

  fakes::FakeNdisLibrary library;
  library.adapters.push_back({description, device});
  library.adapters.push_back({std::string(kModelDescription) + description.substr(0, 3), device});
  fakes::FakeDeviceSetup devices;
  devices.devices.push_back({input, input});
  SystemKind system;
  AdapterIdentity identity;
  AdapterDiscovery discovery(library, devices, system, identity);
  discovery.PickAdapter();
  discovery.FindAdapterDevice();

  const KeyBytes key = HexToKeyBytes(input);
  std::uint32_t word = 0;
  for (std::size_t i = 0; i < 4 && i < size; ++i)
    word |= std::uint32_t{data[i]} << (8 * i);
  const std::string channel = ChannelText(word) + CountryCodeText(word);
  return key.size + channel.size() > 0 ? 0 : 1;
}
