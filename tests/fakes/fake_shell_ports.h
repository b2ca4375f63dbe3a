#pragma once
// In-memory application host, system version, service manager, clock, files beside the
// program and process starts.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/application_host.h"
#include "platform/clock.h"
#include "platform/local_files.h"
#include "platform/process_starter.h"
#include "platform/service_manager.h"
#include "platform/system_version.h"

namespace kestrel::fakes {

class FakeApplicationHost : public ApplicationHost {
 public:
  bool mutexCreateFails = false;
  bool anotherInstance = false;
  std::map<std::string, PrivilegeResult> privilegeResults;  // default Enabled

  bool mutexHeld = false;
  int mutexesClosedUnreleased = 0;
  std::vector<std::string> broadcasts;
  std::uint32_t exitAwaitedMs = 0;
  std::vector<std::string> privilegesEnabled;
  std::vector<std::string> messages;

  bool createInstanceMutex(const std::string&, bool& alreadyExisted) override {
    if (mutexCreateFails)
      return false;
    alreadyExisted = anotherInstance;
    mutexHeld = !anotherInstance;
    return true;
  }
  void releaseInstanceMutex() override { mutexHeld = false; }
  void closeInstanceMutex() override { ++mutexesClosedUnreleased; }
  void broadcastRegisteredMessage(const std::string& name) override { broadcasts.push_back(name); }
  void broadcastAndAwaitExit(const std::string& name, std::uint32_t timeoutMs) override {
    broadcasts.push_back(name);
    exitAwaitedMs = timeoutMs;
  }
  PrivilegeResult enablePrivilege(const std::string& name, bool) override {
    privilegesEnabled.push_back(name);
    const auto found = privilegeResults.find(name);
    return found == privilegeResults.end() ? PrivilegeResult::Enabled : found->second;
  }
  void showPlainMessage(const std::string& text) override { messages.push_back(text); }
};

class FakeSystemVersion : public SystemVersion {
 public:
  SystemVersionInfo info;
  bool read(SystemVersionInfo& out) override {
    out = info;
    return true;
  }
};

// Time moves only when someone sleeps, or when a test moves it.
class FakeClock : public Clock {
 public:
  std::uint32_t now = 1000;
  std::uint32_t slept = 0;
  std::uint32_t tickCountMs() override { return now; }
  void sleepMs(std::uint32_t ms) override {
    now += ms;
    slept += ms;
  }
};

// A service whose successive states are scripted; the last one repeats.
class FakeServiceManager : public ServiceManager {
 public:
  bool installed = true;
  bool openFails = false;
  std::deque<ServiceState> states{ServiceState::Running};
  bool queryFails = false;
  bool stopFails = false;
  ServiceState stateAfterStop = ServiceState::Stopped;

  int queries = 0;
  int stopsSent = 0;
  int starts = 0;
  int liveSessions = 0;
  std::vector<ServiceRights> rightsAsked;

  std::unique_ptr<ServiceSession> openService(const std::string&, ServiceRights rights) override {
    rightsAsked.push_back(rights);
    if (!installed || openFails)
      return nullptr;
    return std::make_unique<Session>(*this);
  }

 private:
  class Session : public ServiceSession {
   public:
    explicit Session(FakeServiceManager& owner) : owner_(owner) { ++owner_.liveSessions; }
    ~Session() override { --owner_.liveSessions; }
    bool queryState(ServiceState& state, std::uint32_t& error) override {
      ++owner_.queries;
      if (owner_.queryFails) {
        error = 5;
        return false;
      }
      state = owner_.states.front();
      if (owner_.states.size() > 1)
        owner_.states.pop_front();
      return true;
    }
    bool sendStop(std::uint32_t& error) override {
      ++owner_.stopsSent;
      if (owner_.stopFails) {
        error = 1052;
        return false;
      }
      owner_.states = {ServiceState::StopPending, owner_.stateAfterStop};
      return true;
    }
    bool start() override {
      ++owner_.starts;
      owner_.states = {ServiceState::Running};
      return true;
    }

   private:
    FakeServiceManager& owner_;
  };
};

// Files by path; a path can be made unreadable or undeletable.
class FakeLocalFiles : public LocalFiles {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::string> unreadable;
  bool removeFails = false;
  std::vector<std::string> removed;
  std::vector<std::size_t> limitsAsked;

  FileReadResult readWhole(const std::string& path, std::size_t maxBytes,
                           std::string& bytes) override {
    limitsAsked.push_back(maxBytes);
    const auto found = files.find(path);
    if (found == files.end())
      return FileReadResult::CannotOpen;
    for (const std::string& bad : unreadable) {
      if (bad == path)
        return FileReadResult::ReadError;
    }
    if (found->second.size() > maxBytes)
      return FileReadResult::TooLarge;
    bytes = found->second;
    return FileReadResult::Read;
  }
  bool remove(const std::string& path) override {
    if (removeFails || files.erase(path) == 0)
      return false;
    removed.push_back(path);
    return true;
  }
};

// Starts only the programs it has been given.
class FakeProcessStarter : public ProcessStarter {
 public:
  std::vector<std::string> existing;
  std::vector<std::string> started;
  std::vector<std::string> attempts;

  bool start(const std::string& path) override {
    attempts.push_back(path);
    for (const std::string& program : existing) {
      if (program == path) {
        started.push_back(path);
        return true;
      }
    }
    return false;
  }
};

}  // namespace kestrel::fakes
