// A push is some twenty synchronous requests; the push's own work should vanish beside
// them. The ratio of the two benchmarks below is the figure that matters.
#include <benchmark/benchmark.h>

#include "activation/configuration_push.h"
#include "fakes/fake_dot1x_library.h"
#include "fakes/fake_ndis_library.h"
#include "fakes/fake_registry.h"
#include "platform/registry_key.h"

namespace kestrel {
namespace {

constexpr char kParameters[] =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Rig {
  Rig() {
    identity.driverKey = "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";
    registry.putValue(RegistryHive::LocalMachine, kParameters, "ccode",
                      RegistryStringValue("JP", false));
    dot1xLibrary.adapters = {{{0, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D}}};
    dot1x.Open({0, 0x0B, 0x6B, 0x3C, 0x2E, 0x9D});
    ndis.answerWord(oid::kVndRtsThresholdGet, 2346);
    ndis.answerWord(oid::kVndFragThresholdGet, 2346);
    ndis.answerWord(oid::kVndPreambleGet, 1);
    ndis.answers[oid::kVndWmmConfig] = std::vector<std::uint8_t>(12, 0);
  }
  void forget() {
    ndis.requests.clear();
    dot1xLibrary.calls.clear();
  }

  fakes::FakeNdisLibrary ndis;
  fakes::FakeCompletionEvents events;
  fakes::FakeRegistry registry;
  fakes::FakeDot1xLibrary dot1xLibrary;
  DiscardingDot1xDiagnostics diagnostics;
  Dot1xClient dot1x{dot1xLibrary, diagnostics};
  bool opened = false;
  AdapterIdentity identity;
  SystemKind system{OsKind::Xp, 2};
  Adapter adapter{ndis, events, opened, identity.current};
  DriverParameters parameters{ndis, registry, system, identity};
};

void BM_FullPushWpaPsk(benchmark::State& state) {
  Rig rig;
  WirelessProfile profile;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ApplyConfiguration({rig.adapter, rig.dot1x, rig.parameters, rig.system}, profile));
    rig.forget();
  }
}
BENCHMARK(BM_FullPushWpaPsk);

// The same requests a WPA-PSK push sends, straight through the channel.
void BM_BareRequestsOfAPush(benchmark::State& state) {
  Rig rig;
  WirelessProfile profile;
  ApplyConfiguration({rig.adapter, rig.dot1x, rig.parameters, rig.system}, profile);
  const std::vector<fakes::LoggedRequest> script = rig.ndis.requests;
  std::vector<std::uint8_t> buffer(64);
  for (auto _ : state) {
    for (const auto& request : script) {
      std::uint32_t written = 0;
      if (request.type == kNdisSetInformation) {
        rig.adapter.channel().set(rig.identity.current, request.oid, buffer.data(), request.length);
      } else {
        rig.adapter.channel().query(rig.identity.current, request.oid, buffer.data(),
                                    request.length, written);
      }
    }
    rig.forget();
  }
}
BENCHMARK(BM_BareRequestsOfAPush);

}  // namespace
}  // namespace kestrel
