#include "model/status_report.h"

#include <cstdarg>
#include <cstdio>

#include "model/dot1x_journal.h"
#include "model/scenario.h"
#include "model/simulated_link.h"

namespace kestrel::sim {

namespace {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void Line(std::string& out, const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out += text;
  out += '\n';
}

std::string Mac(const std::uint8_t* bytes) {
  char text[24];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", bytes[0], bytes[1], bytes[2],
                bytes[3], bytes[4], bytes[5]);
  return text;
}

const char* PhaseName(const SharedAdapterState& state) {
  switch (state.phase) {
    case LinkPhase::Scanning:
      return "scanning";
    case LinkPhase::Connecting:
      return "connecting";
    case LinkPhase::Authenticating:
      return "authenticating";
    case LinkPhase::Connected:
      return "connected";
  }
  return "unknown";
}

const char* FailureName(LinkFailure failure) {
  switch (failure) {
    case LinkFailure::None:
      return "none";
    case LinkFailure::NotInRange:
      return "not in range";
    case LinkFailure::NetworkType:
      return "network type differs";
    case LinkFailure::Encryption:
      return "encryption or authentication mode differs";
    case LinkFailure::WrongKey:
      return "wrong key";
  }
  return "unknown";
}

std::string Ssid(const std::uint8_t* bytes, std::uint32_t length) {
  return std::string(reinterpret_cast<const char*>(bytes), length > 32 ? 32 : length);
}

}  // namespace

std::string StatusReport(const SharedAdapterState& state) {
  std::string out;
  Line(out, "adapter: %s", state.present ? "present" : "removed");
  Line(out, "mac: %s", Mac(state.mac).c_str());
  Line(out, "country: %c%c", static_cast<char>(state.countryCode >> 8 & 0xFF),
       static_cast<char>(state.countryCode & 0xFF));
  const std::string desired = Ssid(state.desiredSsid, state.desiredSsidLength);
  Line(out, "desired ssid: %s", WantsAnyNetwork(state) ? "(any open network)" : desired.c_str());
  Line(out, "link: %s", state.present ? PhaseName(state) : "down");
  Line(out, "connection state: %u", ConnectionStateCode(state));
  Line(out, "last failure: %s", FailureName(state.lastFailure));
  if (const NetworkSlot* network = LinkNetwork(state)) {
    Line(out, "ssid: %s", NetworkSsid(*network).c_str());
    Line(out, "bssid: %s", Mac(network->bssid).c_str());
    Line(out, "rssi: %d dBm", LinkRssi(state));
  }
  Line(out, "channel word: 0x%08X", state.channelWord);
  Line(out, "tx rate code: 0x%08X", TxRateCode(state));
  const TrafficBytes traffic = LinkTotals(state);
  Line(out, "load: %u kbit/s", state.loadKbps);
  Line(out, "tx bytes: %llu", static_cast<unsigned long long>(traffic.tx));
  Line(out, "rx bytes: %llu", static_cast<unsigned long long>(traffic.rx));
  Line(out, "802.1x report: %s", state.dot1xReported ? "received" : "none");
  if (state.dot1xFailing != 0)
    Line(out, "802.1x client: failing every call");
  Line(out, "infrastructure mode: %u", state.infrastructureMode);
  Line(out, "authentication mode: %u", state.authenticationMode);
  Line(out, "encryption status: %u", state.wepStatus);
  for (std::uint32_t i = 0; i < 4; ++i) {
    if (state.wepKeys[i].present)
      Line(out, "wep key %u: %u bytes%s", i, state.wepKeys[i].length,
           state.transmitKey == i ? " (transmit)" : "");
  }
  Line(out, "wireless mode: 0x%02X 0x%08X", state.wirelessMode[0], state.wirelessMode[1]);
  Line(out, "thresholds: fragmentation %u, rts %u", state.fragThreshold, state.rtsThreshold);
  Line(out, "preamble: %u, tx power: %u, power save: %u, wmm: %u", state.preamble, state.txPower,
       state.powerSave, state.wmmConfig[8]);
  Line(out, "vendor commands: %u, scan triggers: %u", state.vendorCommandCount,
       state.scanTriggerCount);
  Line(out, "networks: %u", state.networkCount);
  for (std::uint32_t i = 0; i < state.networkCount; ++i) {
    const NetworkSlot& n = state.networks[i];
    Line(out, "network %u: %s | %s | %u MHz flags 0x%04X | %s | %s | %d dBm%s%s", i,
         NetworkSsid(n).c_str(), Mac(n.bssid).c_str(), n.channelWord & 0xFFFF, n.channelWord >> 16,
         std::string(SecurityName(n.security)).c_str(),
         n.infrastructureMode ? "infrastructure" : "adhoc", n.levelDbm,
         n.levelDbm < kAudibleFloorDbm ? " (out of range)" : "", n.xr ? " xr" : "");
  }
  Line(out, "requests: %u", state.requestCount);
  const std::uint32_t shown =
      state.requestCount < kRequestLogSize ? state.requestCount : kRequestLogSize;
  for (std::uint32_t i = state.requestCount - shown; i != state.requestCount; ++i) {
    const RequestLogEntry& e = state.requestLog[i % kRequestLogSize];
    Line(out, "request: pid %u %s 0x%08X length %u status 0x%08X", e.processId,
         e.type == 0 ? "query" : "set", e.oid, e.length, e.status);
  }
  out += Dot1xJournalReport(state);
  return out;
}

}  // namespace kestrel::sim
