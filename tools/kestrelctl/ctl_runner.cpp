#include "ctl_runner.h"

#include <cstdio>
#include <vector>

#include "adapter/oid_conversions.h"
#include "ctl_escaping.h"
#include "ctl_json.h"
#include "link_monitor.h"
#include "link_wait.h"
#include "monitor/link_status.h"
#include "monitor/site_survey.h"
#include "monitor/statistics_sampler.h"
#include "monitor/status_panel.h"
#include "page_user.h"
#include "profile_transfer.h"
#include "profiles/profile_messages.h"
#include "shell/tray_applet.h"
#include "ui/information/identity_texts.h"
#include "ui/windowless/manual_timers.h"
#include "ui/windowless/windowless_page.h"

namespace kestrel::ctl {

namespace {

std::string Printed(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

const char* ModeName(std::uint32_t infrastructureMode) {
  return infrastructureMode != 0 ? "infrastructure" : "adhoc";
}

// "37 %" of the sampler's percentage text as a number text.
std::string PercentNumber(const std::string& percentText) {
  const std::string trimmed = Trimmed(percentText);
  const auto blank = trimmed.find(' ');
  return trimmed.substr(0, blank);
}

class CollectingSurveyView : public SurveyView {
 public:
  void setScanStatus(const std::string&) override {}
  void setScanProgress(int) override {}
  void enableScanAndConnect(bool) override {}
  void clearNetworks() override { rows.clear(); }
  void appendNetwork(const SurveyRow& row) override { rows.push_back(row); }
  std::vector<SurveyRow> rows;
};

const char* SecurityName(const WirelessProfile& profile) {
  if (profile.EnableSecurity == 0)
    return "none";
  if (profile.EnableSecurity == 1)
    return "WEP";
  return profile.EapSelection == kEapWpaPsk ? "WPA-PSK" : "802.1X";
}

class Runner {
 public:
  explicit Runner(CtlContext& context)
      : c_(context),
        s_(context.services),
        out_(context.out),
        startedMs_(context.clock.tickCountMs()) {}

  int run(const Command& command) {
    if (command.verb == Verb::Help) {
      std::string usage = UsageText(command.helpTopic);
      if (!usage.empty())
        usage.pop_back();  // the line's own end
      out_.line(usage);
      return kExitSuccess;
    }
    if (command.verb == Verb::Version) {
      out_.line("kestrelctl" + UtilityVersionText());
      return kExitSuccess;
    }
    const bool needsAdapter =
        command.verb != Verb::ProfilesList && command.verb != Verb::ProfilesShow &&
        command.verb != Verb::ProfilesSave && command.verb != Verb::ProfilesDelete &&
        command.verb != Verb::ProfilesExport && command.verb != Verb::ProfilesImport;
    json_ = command.format == Format::Json;
    // The monitor tells an absent card as an event and waits for it.
    if (command.verb == Verb::Monitor)
      return monitor(command);
    if (!findAdapter(needsAdapter)) {
      out_.error("adapter: absent");
      return kExitAdapterAbsent;
    }
    // The store works on the list it last read, as the settings page's does.
    s_.store.EnumerateProfiles([](const std::string&) {});
    json_ = command.format == Format::Json;
    switch (command.verb) {
      case Verb::Status:
        return status();
      case Verb::Scan:
        return scan(command.format);
      case Verb::ProfilesList:
        return list();
      case Verb::ProfilesShow:
        return show(command.name);
      case Verb::ProfilesApply:
        return apply(command);
      case Verb::ProfilesSave:
        return save(command);
      case Verb::ProfilesDelete:
        return remove(command.name);
      case Verb::ProfilesExport:
        return ExportProfiles(command, c_);
      case Verb::ProfilesImport:
        return ImportProfiles(command, c_);
      case Verb::Connect:
        return connect(command);
      case Verb::Info:
        return info();
      case Verb::Stats:
        return stats(command.seconds);
      case Verb::Monitor:
      case Verb::Help:
      case Verb::Version:
        break;
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

  // A line that says nothing was found: for a person at a terminal only.
  void nothingFound(const char* what) {
    if (out_.terminal())
      out_.line(what);
  }

  int status() {
    LinkStatusPoller poller(s_.adapter);
    const LinkStatus link = poller.PollLinkStatus(PollMode::Refresh);
    const StatusPanelDisplay panel = PresentStatusPanel(link);
    SsidRecord ssidRecord;
    std::optional<std::string> ssid;
    if (link.associated && s_.adapter.GetSsid(ssidRecord))
      ssid = SsidText(ssidRecord);
    MacAddress bssidBytes{};
    std::optional<std::string> bssid;
    if (link.associated && s_.adapter.GetBssid(bssidBytes))
      bssid = MacAddressText(bssidBytes);
    std::uint32_t channelWord = 0;
    const bool channelRead = s_.adapter.GetChannelInfo(channelWord);
    const ChannelNumberAndBand channel = DecodeChannelWord(channelWord);
    std::int32_t rssi = 0;
    const bool rssiRead = link.associated && s_.adapter.GetRssi(rssi);
    const std::string rate = RateMbps(link.rateCode);

    if (json_) {
      JsonObject object;
      object.text("link", std::string(LinkStateName(link.stateCode)))
          .number("state_code", std::int64_t{link.stateCode})
          .text("ssid", ssid);
      if (ssid)
        object.text("ssid_hex", HexBytes(*ssid));
      else
        object.null("ssid_hex");
      object.text("bssid", bssid);
      if (link.associated)
        object.text("mode", std::string(ModeName(link.infrastructureMode)));
      else
        object.null("mode");
      if (channelRead) {
        object.number("channel", std::int64_t{channel.number})
            .text("band", std::string(channel.band))
            .number("frequency_mhz", std::int64_t{channelWord & 0xFFFF});
      } else {
        object.null("channel").null("band").null("frequency_mhz");
      }
      object.numberText("rate_mbps", rate)
          .number("signal_percent", link.signalPercent)
          .number("signal_bars", link.signalBars)
          .number("rssi_dbm", rssiRead ? std::optional<std::int64_t>(rssi) : std::nullopt)
          .boolean("encrypted", link.associated && link.encrypted);
      out_.line(object.str());
      return kExitSuccess;
    }
    out_.line(std::string("link: ") + LinkStateName(link.stateCode));
    if (ssid)
      out_.line("ssid: " + TableText(*ssid));
    if (bssid)
      out_.line("bssid: " + *bssid);
    if (link.associated)
      out_.line(std::string("mode: ") + ModeName(link.infrastructureMode));
    out_.line("network:" + TableText(panel.networkText));
    out_.line("channel: " + Trimmed(panel.channelText));
    if (channelRead)
      out_.line(Printed("frequency: %d MHz", static_cast<int>(channelWord & 0xFFFF)));
    out_.line("rate: " + Trimmed(panel.rateText));
    out_.line(Printed("signal: %d%%", link.signalPercent) +
              Printed(" (%d of 8 bars)", link.signalBars));
    if (rssiRead)
      out_.line(Printed("rssi: %d dBm", rssi));
    return kExitSuccess;
  }

  int scan(Format format) {
    // The cycle's timers are run by the command itself: it sleeps the period and ticks.
    ManualTimers timers;
    CollectingSurveyView view;
    SiteSurvey survey(s_.adapter, timers, view);
    survey.StartScan();
    // Bounded: the cycle is 102 ticks; a timer that never stops ends the wait too.
    for (int tick = 0; !timers.running.empty() && tick < 1000; ++tick) {
      if (out_.terminal() && format == Format::Table && tick % 20 == 0)
        out_.progress(".");
      const auto [id, periodMs] = *timers.running.begin();
      c_.clock.sleepMs(periodMs);
      survey.OnTimer(id);
    }
    if (out_.terminal() && format == Format::Table)
      out_.progress("\n");
    if (format == Format::Json) {
      std::vector<std::string> rows;
      for (const SurveyRow& r : view.rows)
        rows.push_back(scanRowJson(r));
      out_.line(JsonArray(rows));
      return kExitSuccess;
    }
    if (format == Format::Csv) {
      out_.line(
          "ssid,ssid_hex,bssid,channel,band,frequency_mhz,security,signal_percent,rssi_dbm,mode,"
          "xr");
      for (const SurveyRow& r : view.rows) {
        out_.line(CsvField(r.ssidText) + "," + HexBytes(r.ssidText) + "," + r.bssidText + "," +
                  std::to_string(r.channelNumber) + "," + r.band + "," +
                  std::to_string(r.frequencyMhz) + "," + CsvField(r.securityText) + "," +
                  std::to_string(r.signalPercent) + "," + std::to_string(r.rssiDbm) + "," +
                  ModeName(r.infrastructureMode) + "," + (r.xr ? "yes" : "no"));
      }
      return kExitSuccess;
    }
    if (view.rows.empty()) {
      nothingFound("no networks");
      return kExitSuccess;
    }
    char header[160];
    std::snprintf(header, sizeof header, "%-32s %-3s %-9s %-10s %-6s %-17s %s", "SSID", "XR",
                  "CHANNEL", "SECURITY", "SIGNAL", "BSSID", "MODE");
    out_.line(header);
    for (const SurveyRow& r : view.rows) {
      char row[256];
      std::snprintf(row, sizeof row, "%-32s %-3s %-9s %-10s %-6s %-17s %s",
                    TableText(r.ssidText).c_str(), Trimmed(r.xrText).c_str(),
                    Trimmed(r.channelText).c_str(), r.securityText.c_str(),
                    Trimmed(r.signalText).c_str(), r.bssidText.c_str(), r.modeText.c_str());
      out_.line(row);
    }
    return kExitSuccess;
  }

  static std::string scanRowJson(const SurveyRow& r) {
    return JsonObject()
        .text("ssid", r.ssidText)
        .text("ssid_hex", HexBytes(r.ssidText))
        .text("bssid", r.bssidText)
        .number("channel", std::int64_t{r.channelNumber})
        .text("band", std::string(r.band))
        .number("frequency_mhz", std::int64_t{r.frequencyMhz})
        .text("security", r.securityText)
        .number("signal_percent", r.signalPercent)
        .number("rssi_dbm", r.rssiDbm)
        .text("mode", std::string(ModeName(r.infrastructureMode)))
        .boolean("xr", r.xr)
        .str();
  }

  int list() {
    std::vector<std::string> names;
    s_.store.EnumerateProfiles([&](const std::string& name) { names.push_back(name); });
    if (json_) {
      std::vector<std::string> values;
      for (const std::string& name : names)
        values.push_back(JsonString(name));
      out_.line(JsonArray(values));
      return kExitSuccess;
    }
    if (names.empty())
      nothingFound("no profiles");
    for (const std::string& name : names)
      out_.line(TableText(name));
    return kExitSuccess;
  }

  int show(const std::string& name) {
    WirelessProfile profile;
    if (!s_.store.LoadProfile(profile, name)) {
      out_.error(kProfileMissingMessage);
      return kExitRefused;
    }
    const bool infrastructure = profile.NetworkConnectionType == 1;
    if (json_) {
      out_.line(JsonObject()
                    .text("name", name)
                    .text("ssid", profile.NetworkName)
                    .text("ssid_hex", HexBytes(profile.NetworkName))
                    .text("mode", std::string(infrastructure ? "infrastructure" : "adhoc"))
                    .text("security", std::string(SecurityName(profile)))
                    .number("wireless_modes", profile.NetBand)
                    .number("transmit_key", profile.defaultKey + 1)
                    .number("fragmentation_threshold", profile.FragThreshold)
                    .number("rts_threshold", profile.RTSThreshold)
                    .number("power_save", profile.PowerManagement)
                    .number("wmm", profile.WmmEnabled)
                    .str());
      return kExitSuccess;
    }
    out_.line("name: " + TableText(name));
    out_.line("ssid: " + TableText(profile.NetworkName));
    out_.line(std::string("network type: ") + (infrastructure ? "infrastructure" : "ad hoc"));
    out_.line(std::string("security: ") + SecurityName(profile));
    out_.line(Printed("wireless modes: 0x%02X", profile.NetBand));
    out_.line(Printed("transmit key: %d", profile.defaultKey + 1));
    out_.line(Printed("fragmentation threshold: %d", profile.FragThreshold));
    out_.line(Printed("rts threshold: %d", profile.RTSThreshold));
    out_.line(Printed("power save: %d", profile.PowerManagement));
    out_.line(Printed("wmm: %d", profile.WmmEnabled));
    return kExitSuccess;
  }

  // As the start-up checks do before any page opens: the settings page offers WPA-PSK
  // only with the 802.1X client.
  void openDot1x() {
    MacAddress mac{};
    if (s_.adapter.GetMacAddress(mac))
      s_.dot1x.Open(mac);
  }

  static NetworkChoice ChoiceOf(const std::string& ssid, const Command& command) {
    return {ssid, command.adHoc, command.wepKey, command.passphrase};
  }

  // After the page's Apply: the push's answer, then the link watched for the network.
  int applied(SettingsPageUser& page, int waitSeconds) {
    if (!page.lastPushAccepted()) {
      out_.error("applied: no (the adapter refused a setting)");
      return kExitRefused;
    }
    out_.line("applied: yes");
    if (waitSeconds == 0)
      return kExitSuccess;
    const std::string ssid = s_.records.current.NetworkName;
    std::string shown;
    const LinkWaitResult result = WaitForLink(
        s_.adapter, c_.clock, ssid, startedMs_, waitSeconds, [&](const std::string& seen) {
          if (!out_.terminal())
            return;
          out_.progress(seen == shown ? "." : (shown.empty() ? "" : " ") + TableText(seen));
          shown = seen;
        });
    if (out_.terminal())
      out_.progress("\n");
    if (result.connected) {
      out_.line("connected: " + TableText(result.lastSeen));
      return kExitSuccess;
    }
    out_.error("not connected after " + std::to_string(result.waitedSeconds) +
               " s (last seen: " + TableText(result.lastSeen) + ")");
    return kExitNotConnected;
  }

  int apply(const Command& command) {
    openDot1x();
    SettingsPageUser page(s_);
    if (!page.chooseProfile(command.name)) {
      out_.error(kProfileMissingMessage);
      return kExitRefused;
    }
    if (!page.apply())
      return kExitRefused;
    return applied(page, command.waitSeconds);
  }

  int connect(const Command& command) {
    openDot1x();
    SettingsPageUser page(s_);
    std::string why;
    if (!page.enterNetwork(ChoiceOf(command.name, command), why)) {
      out_.error(why);
      return kExitRefused;
    }
    if (!page.apply())
      return kExitRefused;
    return applied(page, command.waitSeconds);
  }

  int save(const Command& command) {
    if (c_.adapterFound)
      openDot1x();
    SettingsPageUser page(s_);
    std::string why;
    if (!page.enterNetwork(ChoiceOf(command.ssid, command), why) ||
        !page.typeProfileName(command.name, why)) {
      out_.error(why);
      return kExitRefused;
    }
    if (!page.save()) {
      out_.error("not saved: " + command.name);
      return kExitRefused;
    }
    out_.line("saved: " + TableText(command.name));
    return kExitSuccess;
  }

  int remove(const std::string& name) {
    if (!s_.store.DeleteProfile(name)) {
      out_.error("not deleted: " + name);
      return kExitRefused;
    }
    out_.line("deleted: " + TableText(name));
    return kExitSuccess;
  }

  int info() {
    const IdentityFields fields = ReadIdentityFields(s_, c_.releaseDate);
    if (json_) {
      out_.line(JsonObject()
                    .text("country_code", fields.countryCode)
                    .text("region", fields.region)
                    .text("mac", fields.macAddress)
                    .text("ip", fields.ipAddress.empty() ? std::optional<std::string>()
                                                         : fields.ipAddress)
                    .text("driver_version", fields.driverVersion)
                    .text("driver_date", fields.driverDate)
                    .text("utility_version", fields.utilityVersion)
                    .text("utility_date", fields.utilityDate)
                    .str());
      return kExitSuccess;
    }
    out_.line("region: " + fields.region +
              (fields.countryCode ? " (" + TableText(*fields.countryCode) + ")" : ""));
    out_.line("mac: " + fields.macAddress);
    out_.line("ip: " + fields.ipAddress);
    out_.line("driver version: " + fields.driverVersion);
    out_.line("driver date: " + fields.driverDate);
    out_.line("utility version: " + fields.utilityVersion);
    out_.line("utility date: " + fields.utilityDate);
    return kExitSuccess;
  }

  int stats(int seconds) {
    WindowlessChart chart;
    StatisticsSampler sampler(s_.adapter, chart);
    StatisticsPageFields page;
    for (int second = 0; second < seconds; ++second) {
      if (second > 0)
        c_.clock.sleepMs(kStatisticsPeriodMs);
      const auto display = sampler.SampleStatistics(page);
      if (!display) {
        out_.line(json_ ? JsonObject().number("second", second).boolean("available", false).str()
                        : "statistics: not available");
        continue;
      }
      page.txTotalText = display->txTotal;
      page.rxTotalText = display->rxTotal;
      if (json_) {
        out_.line(JsonObject()
                      .number("second", second)
                      .boolean("available", true)
                      .numberText("tx_mbps", Trimmed(display->txMbps))
                      .numberText("rx_mbps", Trimmed(display->rxMbps))
                      .numberText("tx_packets_per_second", Trimmed(display->txPacketsPerSecond))
                      .numberText("rx_packets_per_second", Trimmed(display->rxPacketsPerSecond))
                      .numberText("tx_packets", Trimmed(display->txTotal))
                      .numberText("rx_packets", Trimmed(display->rxTotal))
                      .numberText("tx_errors", Trimmed(display->txErrors))
                      .numberText("rx_errors", Trimmed(display->rxErrors))
                      .numberText("load_percent", PercentNumber(display->percentText))
                      .str());
        continue;
      }
      out_.line("tx " + Trimmed(display->txMbps) + " Mbps " + Trimmed(display->txPacketsPerSecond) +
                " pkt/s total " + Trimmed(display->txTotal) + " errors " +
                Trimmed(display->txErrors) + " | rx " + Trimmed(display->rxMbps) + " Mbps " +
                Trimmed(display->rxPacketsPerSecond) + " pkt/s total " + Trimmed(display->rxTotal) +
                " errors " + Trimmed(display->rxErrors) + " | load " +
                Trimmed(display->percentText));
    }
    return kExitSuccess;
  }

  int monitor(const Command& command) {
    LinkMonitor monitor(s_.adapter, c_.discovery, c_.adapterFound, c_.channelOpened);
    const std::uint32_t started = c_.clock.tickCountMs();
    const std::uint32_t limitMs = static_cast<std::uint32_t>(command.seconds) * 1000u;
    int told = 0;
    for (bool firstTick = true;; firstTick = false) {
      if (!firstTick)
        c_.clock.sleepMs(kMonitorPeriodMs);
      const std::uint32_t elapsed = c_.clock.tickCountMs() - started;
      if (c_.interrupted || (command.secondsGiven && elapsed >= limitMs))
        return kExitSuccess;
      char time[32];
      std::snprintf(time, sizeof time, "%u.%03u", elapsed / 1000u, elapsed % 1000u);
      for (const LinkEvent& event : monitor.tick()) {
        out_.line(json_ ? std::string("{\"time_s\": ") + time + ", " + event.jsonFields + "}"
                        : std::string(time) + " " + event.text);
        if (command.count > 0 && ++told >= command.count)
          return kExitSuccess;
      }
    }
  }

  CtlContext& c_;
  AppServices& s_;
  CtlOutput& out_;
  std::uint32_t startedMs_;
  bool json_ = false;
};

}  // namespace

int RunCommand(const Command& command, CtlContext& context) {
  return Runner(context).run(command);
}

}  // namespace kestrel::ctl
