// The status panel polls several OIDs twice a second and the survey reads 17920 bytes:
// the request path must stay cheap next to the driver's own time.
#include <benchmark/benchmark.h>

#include "adapter/adapter.h"
#include "adapter/adapter_discovery.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_system_ports.h"

namespace kestrel {
namespace {

void BM_StatusPoll(benchmark::State& state) {
  fakes::FakeNdisLibrary library;
  fakes::FakeCompletionEvents events;
  library.answerWord(0xFF000013, 2437);
  library.answerWord(0x0D010206, static_cast<std::uint32_t>(-55));
  library.answerWord(0xFF000009, 54);
  bool opened = false;
  ZAdapterInfo current;
  Adapter adapter(library, events, opened, current);
  for (auto _ : state) {
    std::string channel;
    std::int32_t rssi = 0;
    std::uint32_t rate = 0;
    benchmark::DoNotOptimize(adapter.GetChannelText(channel));
    benchmark::DoNotOptimize(adapter.GetRssi(rssi));
    benchmark::DoNotOptimize(adapter.GetTxRate(rate));
    library.requests.clear();
  }
}
BENCHMARK(BM_StatusPoll);

void BM_PickAdapterAmongMany(benchmark::State& state) {
  fakes::FakeNdisLibrary library;
  for (int i = 0; i < state.range(0); ++i) {
    library.adapters.push_back({"Other adapter " + std::to_string(i), "\\DEVICE\\{x}"});
  }
  library.adapters.push_back(
      {kModelDescription, "\\DEVICE\\{8E2F1C35-4B7A-4F0C-9D21-6A5B3C2D1E0F}"});
  fakes::FakeDeviceSetup devices;
  SystemKind system;
  AdapterIdentity identity;
  AdapterDiscovery discovery(library, devices, system, identity);
  for (auto _ : state) {
    benchmark::DoNotOptimize(discovery.PickAdapter());
    library.textSizesOffered.clear();
  }
}
BENCHMARK(BM_PickAdapterAmongMany)->Arg(4)->Arg(64);

}  // namespace
}  // namespace kestrel
