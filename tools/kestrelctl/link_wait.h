#pragma once
// After connect or profiles apply: the link watched by the status panel's rules until it
// is up on the network asked for, or the wait runs out.

#include <cstdint>
#include <functional>
#include <string>

namespace kestrel {
class Adapter;
class Clock;
}  // namespace kestrel

namespace kestrel::ctl {

// The status panel's poll period.
inline constexpr std::uint32_t kLinkPollMs = 500;

struct LinkWaitResult {
  bool connected = false;
  // The panel's text for the link as last seen: the SSID when connected, else
  // "スキャン中…", "接続しています…" or "認証しています…".
  std::string lastSeen;
  int waitedSeconds = 0;
};

// Up means associated, past connecting and authenticating, on `ssid` ("Any" and the empty
// name take whichever network). The wait runs out `seconds` after `startedMs` (the
// clock's count when the command began, so the settings' push counts against it); `seen`
// gets the panel's text at every poll.
LinkWaitResult WaitForLink(Adapter& adapter, Clock& clock, const std::string& ssid,
                           std::uint32_t startedMs, int seconds,
                           const std::function<void(const std::string&)>& seen);

}  // namespace kestrel::ctl
