#include "link_monitor.h"

#include <cstdio>

#include "adapter/oid_conversions.h"
#include "ctl_escaping.h"
#include "ctl_json.h"

namespace kestrel::ctl {

namespace {

constexpr std::uint32_t kHardwareReady = 0;

LinkEvent Event(const std::string& text, const JsonObject& fields) {
  std::string json = fields.str();
  return {text, json.substr(1, json.size() - 2)};
}

}  // namespace

const char* LinkStateName(std::uint32_t stateCode) {
  switch (stateCode) {
    case 0:
      return "not associated";
    case 2:
      return "authenticating";
    case 3:
      return "connecting";
    default:
      return "connected";
  }
}

std::string RateMbps(std::uint32_t rateCode) {
  if (rateCode == 0)
    return {};
  if (rateCode == 5)
    return "5.5";
  if ((rateCode & 0x80000000u) == 0)
    return std::to_string(rateCode);
  const std::uint32_t kbps = rateCode & 0x7FFFFFFFu;
  char text[32];
  std::snprintf(text, sizeof text, "%u.%03u", kbps / 1000u, kbps % 1000u);
  std::string mbps = text;
  mbps.erase(mbps.find_last_not_of('0') + 1);
  if (mbps.back() == '.')
    mbps.pop_back();
  return mbps;
}

LinkMonitor::LinkMonitor(Adapter& adapter, AdapterDiscovery& discovery, bool& adapterFound,
                         bool& channelOpened)
    : adapter_(adapter),
      discovery_(discovery),
      adapterFound_(adapterFound),
      channelOpened_(channelOpened),
      poller_(adapter) {}

// As the tray's tick: an absent card is looked for again; a present one that does not
// report ready hardware is lost, and its request channel opened afresh when it is back.
LinkSample LinkMonitor::sample() {
  LinkSample now;
  if (!adapterFound_) {
    channelOpened_ = false;
    adapterFound_ = discovery_.PickAdapter();
  }
  std::uint32_t hardware = 0;
  if (adapterFound_ && (!adapter_.GetHardwareStatus(hardware) || hardware != kHardwareReady)) {
    channelOpened_ = false;
    adapterFound_ = false;
  }
  now.present = adapterFound_;
  if (!now.present)
    return now;
  const LinkStatus link = poller_.PollLinkStatus(PollMode::Tick);
  now.link = LinkStateName(link.stateCode);
  if (link.associated && link.stateCode == 1) {
    SsidRecord ssid;
    if (adapter_.GetSsid(ssid))
      now.ssid = SsidText(ssid);
    MacAddress bssid{};
    if (adapter_.GetBssid(bssid))
      now.bssid = MacAddressText(bssid);
    now.rateMbps = RateMbps(link.rateCode);
    now.signalBars = link.signalBars;
    now.signalPercent = link.signalPercent;
  }
  std::uint32_t channelWord = 0;
  if (link.associated && adapter_.GetChannelInfo(channelWord)) {
    const ChannelNumberAndBand channel = DecodeChannelWord(channelWord);
    now.channelKnown = true;
    now.channel = channel.number;
    now.band = channel.band;
    now.frequencyMhz = channelWord & 0xFFFF;
  }
  return now;
}

std::vector<LinkEvent> LinkMonitor::tick() {
  const LinkSample now = sample();
  std::vector<LinkEvent> events;
  const bool first = first_;
  first_ = false;
  if (first || now.present != last_.present) {
    events.push_back(Event(
        now.present ? "card found" : (first ? "card absent" : "card removed"),
        JsonObject()
            .text("event", std::string("card"))
            .text("state", std::string(now.present ? "found" : (first ? "absent" : "removed")))));
  }
  if (!now.present) {
    last_ = now;
    return events;
  }
  const bool cameBack = !last_.present;
  const bool connected = now.link == "connected";
  if (first || cameBack || now.link != last_.link || now.ssid != last_.ssid ||
      now.bssid != last_.bssid) {
    const bool lost = !first && !cameBack && last_.link == "connected" && !connected;
    const std::string state = lost ? "lost" : now.link;
    JsonObject fields;
    fields.text("event", std::string("link")).text("state", state);
    std::string text = "link " + state;
    if (connected) {
      fields.text("ssid", now.ssid).text("ssid_hex", HexBytes(now.ssid)).text("bssid", now.bssid);
      text += " " + TableText(now.ssid) + " " + now.bssid;
    }
    events.push_back(Event(text, fields));
  }
  if (now.channelKnown &&
      (first || cameBack || !last_.channelKnown || now.channel != last_.channel ||
       now.frequencyMhz != last_.frequencyMhz)) {
    events.push_back(Event("channel " + std::to_string(now.channel) + " (" + now.band + ", " +
                               std::to_string(now.frequencyMhz) + " MHz)",
                           JsonObject()
                               .text("event", std::string("channel"))
                               .number("channel", std::int64_t{now.channel})
                               .text("band", now.band)
                               .number("frequency_mhz", std::int64_t{now.frequencyMhz})));
  }
  if (connected && (first || cameBack || now.rateMbps != last_.rateMbps)) {
    events.push_back(Event(
        "rate " + (now.rateMbps.empty() ? "unknown" : now.rateMbps + " Mbps"),
        JsonObject().text("event", std::string("rate")).numberText("rate_mbps", now.rateMbps)));
  }
  if (connected &&
      (first || cameBack || last_.link != "connected" || now.signalBars != last_.signalBars)) {
    events.push_back(Event("signal " + std::to_string(now.signalBars) + " of 8 bars (" +
                               std::to_string(now.signalPercent) + "%)",
                           JsonObject()
                               .text("event", std::string("signal"))
                               .number("signal_bars", now.signalBars)
                               .number("signal_percent", now.signalPercent)));
  }
  last_ = now;
  return events;
}

}  // namespace kestrel::ctl
