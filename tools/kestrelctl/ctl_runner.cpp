#include "ctl_runner.h"

#include <cstdio>
#include <vector>

#include "adapter/ip_address.h"
#include "adapter/oid_conversions.h"
#include "monitor/link_status.h"
#include "monitor/load_chart.h"
#include "monitor/site_survey.h"
#include "monitor/statistics_sampler.h"
#include "monitor/status_panel.h"
#include "platform/timers.h"
#include "profiles/key_derivation.h"
#include "profiles/profile_messages.h"
#include "ui/activation.h"
#include "utility_version.h"

namespace kestrel::ctl {

namespace {

// The settings page records this name for settings applied without a profile name.
constexpr char kUnsavedProfileName[] = "New Profile";

std::string Format(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

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

// The scan cycle's timers, run by the command itself: it sleeps the period and ticks.
class CommandTimers : public Timers {
 public:
  bool start(std::uint32_t id, std::uint32_t periodMs) override {
    running = id;
    period = periodMs;
    return true;
  }
  void stop(std::uint32_t id) override {
    if (running == id)
      running = 0;
  }
  std::uint32_t running = 0;
  std::uint32_t period = 0;
};

class CollectingSurveyView : public SurveyView {
 public:
  void setScanStatus(const std::string&) override {}
  void setScanProgress(int) override {}
  void enableScanAndConnect(bool) override {}
  void clearNetworks() override { rows.clear(); }
  void appendNetwork(const SurveyRow& row) override { rows.push_back(row); }
  std::vector<SurveyRow> rows;
};

class NoChart : public LoadChart {
 public:
  std::uint32_t SetScrollInterval(std::uint32_t ms) override { return ms; }
  void AppendValue(int) override {}
  void Advance() override {}
  void AdvanceEmpty() override {}
};

std::string JsonText(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class Runner {
 public:
  explicit Runner(CtlContext& context) : c_(context), s_(context.services), out_(context.out) {}

  int run(const Command& command) {
    const bool needsAdapter =
        command.verb != Verb::ProfilesList && command.verb != Verb::ProfilesShow &&
        command.verb != Verb::ProfilesSave && command.verb != Verb::ProfilesDelete;
    if (!findAdapter(needsAdapter)) {
      out_.error("adapter: absent");
      return kExitAdapterAbsent;
    }
    // The store works on the list it last read, as the settings page's does.
    s_.store.EnumerateProfiles([](const std::string&) {});
    switch (command.verb) {
      case Verb::Status:
        return status();
      case Verb::Scan:
        return scan(command.json);
      case Verb::ProfilesList:
        return list();
      case Verb::ProfilesShow:
        return show(command.name);
      case Verb::ProfilesApply:
        return apply(command.name);
      case Verb::ProfilesSave:
        return save(command);
      case Verb::ProfilesDelete:
        return remove(command.name);
      case Verb::Connect:
        return connect(command);
      case Verb::Info:
        return info();
      case Verb::Stats:
        return stats(command.seconds);
    }
    return kExitUsage;
  }

 private:
  // The request library's adapter for requests; the device (driver key) for the registry.
  bool findAdapter(bool forRequests) {
    const bool device = c_.discovery.FindAdapterDevice();
    const bool picked = c_.discovery.PickAdapter() && s_.identity.current.valid;
    c_.adapterFound = picked;
    if (forRequests)
      return picked;
    return device || IsWin9xFamily(s_.system.os) || s_.system.os == OsKind::Nt4;
  }

  int status() {
    LinkStatusPoller poller(s_.adapter);
    const LinkStatus link = poller.PollLinkStatus(PollMode::Refresh);
    const StatusPanelDisplay panel = PresentStatusPanel(link);
    out_.line(std::string("link: ") + LinkStateName(link.stateCode));
    SsidRecord ssid;
    if (link.associated && s_.adapter.GetSsid(ssid))
      out_.line("ssid: " + SsidText(ssid));
    MacAddress bssid{};
    if (link.associated && s_.adapter.GetBssid(bssid)) {
      out_.line("bssid: " + MacAddressText(bssid));
    }
    out_.line("network:" + panel.networkText);
    out_.line("channel: " + Trim(panel.channelText));
    out_.line("rate: " + Trim(panel.rateText));
    out_.line(Format("signal: %d%%", link.signalPercent) +
              Format(" (%d of 8 bars)", link.signalBars));
    return kExitSuccess;
  }

  int scan(bool json) {
    CommandTimers timers;
    CollectingSurveyView view;
    SiteSurvey survey(s_.adapter, timers, view);
    survey.StartScan();
    // Bounded: the cycle is 102 ticks; a timer that never stops ends the wait too.
    for (int tick = 0; timers.running != 0 && tick < 1000; ++tick) {
      c_.clock.sleepMs(timers.period);
      survey.OnTimer(timers.running);
    }
    if (json) {
      out_.line("[");
      for (std::size_t i = 0; i < view.rows.size(); ++i) {
        const SurveyRow& r = view.rows[i];
        out_.line("  {\"ssid\": " + JsonText(r.ssidText) + ", \"xr\": " + JsonText(Trim(r.xrText)) +
                  ", \"channel\": " + JsonText(Trim(r.channelText)) + ", \"security\": " +
                  JsonText(r.securityText) + ", \"signal\": " + JsonText(Trim(r.signalText)) +
                  ", \"bssid\": " + JsonText(r.bssidText) + ", \"mode\": " + JsonText(r.modeText) +
                  (i + 1 < view.rows.size() ? "}," : "}"));
      }
      out_.line("]");
      return kExitSuccess;
    }
    char header[160];
    std::snprintf(header, sizeof header, "%-32s %-3s %-9s %-10s %-6s %-17s %s", "SSID", "XR",
                  "CHANNEL", "SECURITY", "SIGNAL", "BSSID", "MODE");
    out_.line(header);
    for (const SurveyRow& r : view.rows) {
      char row[256];
      std::snprintf(row, sizeof row, "%-32s %-3s %-9s %-10s %-6s %-17s %s", r.ssidText.c_str(),
                    Trim(r.xrText).c_str(), Trim(r.channelText).c_str(), r.securityText.c_str(),
                    Trim(r.signalText).c_str(), r.bssidText.c_str(), r.modeText.c_str());
      out_.line(row);
    }
    return kExitSuccess;
  }

  int list() {
    s_.store.EnumerateProfiles([&](const std::string& name) { out_.line(name); });
    return kExitSuccess;
  }

  int show(const std::string& name) {
    WirelessProfile profile;
    if (!s_.store.LoadProfile(profile, name)) {
      out_.error(kProfileMissingMessage);
      return kExitRefused;
    }
    const char* security = profile.EnableSecurity == 0   ? "none"
                           : profile.EnableSecurity == 1 ? "WEP"
                           : profile.EapSelection == 7   ? "WPA-PSK"
                                                         : "802.1X";
    out_.line("name: " + name);
    out_.line("ssid: " + profile.NetworkName);
    out_.line(std::string("network type: ") +
              (profile.NetworkConnectionType == 1 ? "infrastructure" : "ad hoc"));
    out_.line(std::string("security: ") + security);
    out_.line(Format("wireless modes: 0x%02X", profile.NetBand));
    out_.line(Format("transmit key: %d", profile.defaultKey + 1));
    out_.line(Format("fragmentation threshold: %d", profile.FragThreshold));
    out_.line(Format("rts threshold: %d", profile.RTSThreshold));
    out_.line(Format("power save: %d", profile.PowerManagement));
    out_.line(Format("wmm: %d", profile.WmmEnabled));
    return kExitSuccess;
  }

  // Fills `profile` for a network and its security; false with the page's message.
  bool describeNetwork(const std::string& ssid, bool adHoc, const Command& command,
                       WirelessProfile& profile) {
    ResetToDefaults(profile);
    profile.NetworkName = ssid;
    profile.NetworkConnectionType = adHoc ? 2 : 1;
    profile.EnableSecurity = 0;
    profile.EncryptionAlg = 0;
    profile.WPA = 0;
    profile.EapSelection = 0;
    profile.AdvancedAuthenticationType = 0;
    profile.Passphrase.clear();
    profile.PassphraseLength = 0;
    if (command.wepKey) {
      const std::string& key = *command.wepKey;
      const std::size_t size = key.size() <= 10 ? 0 : key.size() <= 26 ? 1 : 2;
      std::string hex = key;
      if (!HasKeyLength(key, size) || RemoveFirstNonHexDigit(hex) != std::string::npos) {
        out_.error(WepKeySizeAt(size).lengthMessage);
        return false;
      }
      profile.EnableSecurity = 1;
      profile.EncryptionAlg = 1;
      profile.SharedKey[0] = key;
      profile.SharedKeyLength[0] = WepKeySizeAt(size).keyBytes;
      profile.defaultKey = 0;
    } else if (command.passphrase) {
      if (!IsValidWpaPassphrase(*command.passphrase)) {
        out_.error(kWpaPassphraseLengthMessage);
        return false;
      }
      profile.EnableSecurity = 2;
      SetWpaPskPassphrase(profile, *command.passphrase);
    }
    return true;
  }

  int activate(const std::string& nameOfRecord) {
    MacAddress mac{};
    if (s_.adapter.GetMacAddress(mac))
      s_.dot1x.Open(mac);
    const bool pushed = ActivateWorkingProfile(s_.activationTargets(), nameOfRecord);
    out_.line(pushed ? "applied: yes" : "applied: no (the adapter refused a setting)");
    return pushed ? kExitSuccess : kExitRefused;
  }

  int apply(const std::string& name) {
    if (!s_.store.LoadProfile(s_.records.working, name)) {
      out_.error(kProfileMissingMessage);
      return kExitRefused;
    }
    return activate(name);
  }

  int save(const Command& command) {
    WirelessProfile profile;
    if (!describeNetwork(command.ssid, command.adHoc, command, profile))
      return kExitRefused;
    profile.ConfigurationName = command.name;
    if (!s_.store.SaveProfile(profile, command.name)) {
      out_.error("not saved: " + command.name);
      return kExitRefused;
    }
    out_.line("saved: " + command.name);
    return kExitSuccess;
  }

  int remove(const std::string& name) {
    if (!s_.store.DeleteProfile(name)) {
      out_.error("not deleted: " + name);
      return kExitRefused;
    }
    out_.line("deleted: " + name);
    return kExitSuccess;
  }

  int connect(const Command& command) {
    if (!describeNetwork(command.name, false, command, s_.records.working))
      return kExitRefused;
    return activate(kUnsavedProfileName);
  }

  int info() {
    std::string country = "N/A";
    s_.adapter.GetCountryCode(country);
    MacAddress mac{};
    const bool macRead = s_.adapter.GetMacAddress(mac);
    std::string version = " UnKnown";
    std::string date = " UnKnown";
    s_.driverVersion.GetDriverVersionAndDate(version, date);
    out_.line("region: " + country);
    out_.line("mac: " + (macRead ? MacAddressText(mac) : std::string("N/A")));
    out_.line("ip: " + GetIpAddressText(s_.ipHelper));
    out_.line("driver version: " + Trim(version));
    out_.line("driver date: " + Trim(date));
    out_.line(std::string("utility version: ") + kUtilityVersion);
    return kExitSuccess;
  }

  int stats(int seconds) {
    NoChart chart;
    StatisticsSampler sampler(s_.adapter, chart);
    StatisticsPageFields page;
    for (int second = 0; second < seconds; ++second) {
      if (second > 0)
        c_.clock.sleepMs(kStatisticsPeriodMs);
      const auto display = sampler.SampleStatistics(page);
      if (!display) {
        out_.line("statistics: not available");
        continue;
      }
      page.txTotalText = display->txTotal;
      page.rxTotalText = display->rxTotal;
      out_.line("tx " + Trim(display->txMbps) + " Mbps " + Trim(display->txPacketsPerSecond) +
                " pkt/s total " + Trim(display->txTotal) + " errors " + Trim(display->txErrors) +
                " | rx " + Trim(display->rxMbps) + " Mbps " + Trim(display->rxPacketsPerSecond) +
                " pkt/s total " + Trim(display->rxTotal) + " errors " + Trim(display->rxErrors) +
                " | load " + Trim(display->percentText));
    }
    return kExitSuccess;
  }

  CtlContext& c_;
  AppServices& s_;
  CtlOutput& out_;
};

}  // namespace

int RunCommand(const Command& command, CtlContext& context) {
  return Runner(context).run(command);
}

}  // namespace kestrel::ctl
