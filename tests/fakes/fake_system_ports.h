#pragma once
// In-memory device setup, IP Helper and file information.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/device_setup.h"
#include "platform/file_info.h"
#include "platform/ip_helper.h"

namespace kestrel::fakes {

struct FakeDevice {
  std::string instanceId;
  std::string driverKey;  // empty: the property cannot be read
};

class FakeDeviceSetup : public DeviceSetup {
 public:
  bool listFails = false;
  std::vector<FakeDevice> devices;
  int liveLists = 0;
  std::vector<std::uint32_t> driverKeyReads;

  std::unique_ptr<NetworkDeviceList> presentNetworkDevices() override {
    if (listFails)
      return nullptr;
    return std::make_unique<List>(*this);
  }

 private:
  class List : public NetworkDeviceList {
   public:
    explicit List(FakeDeviceSetup& owner) : owner_(owner) { ++owner_.liveLists; }
    ~List() override { --owner_.liveLists; }
    bool instanceId(std::uint32_t index, std::string& id) override {
      if (index >= owner_.devices.size())
        return false;
      id = owner_.devices[index].instanceId;
      return true;
    }
    bool driverKey(std::uint32_t index, std::string& key) override {
      owner_.driverKeyReads.push_back(index);
      if (index >= owner_.devices.size() || owner_.devices[index].driverKey.empty())
        return false;
      key = owner_.devices[index].driverKey;
      return true;
    }

   private:
    FakeDeviceSetup& owner_;
  };
};

class FakeIpHelper : public IpHelper {
 public:
  bool fails = false;
  std::vector<IpAdapterEntry> list;
  bool adapters(std::vector<IpAdapterEntry>& out) override {
    if (fails)
      return false;
    out = list;
    return true;
  }
};

class FakeFileInfo : public FileInfo {
 public:
  std::string windowsDir = "C:\\WINDOWS";
  std::map<std::string, FileVersion> versions;  // by path
  std::map<std::string, CalendarDate> dates;    // by path
  std::vector<std::string> versionQueries;

  bool fileVersion(const std::string& path, FileVersion& version) override {
    versionQueries.push_back(path);
    const auto found = versions.find(path);
    if (found == versions.end())
      return false;
    version = found->second;
    return true;
  }
  bool lastModifiedLocalDate(const std::string& path, CalendarDate& date) override {
    const auto found = dates.find(path);
    if (found == dates.end())
      return false;
    date = found->second;
    return true;
  }
  std::string windowsDirectory() override { return windowsDir; }
};

}  // namespace kestrel::fakes
