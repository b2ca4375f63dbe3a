#include "store/shared_adapter_store.h"

#include <windows.h>

#include "model/scenario.h"
#include "model/snapshot_digest.h"

namespace kestrel::sim {

namespace {

constexpr wchar_t kMutexName[] = L"KestrelLx740nSimulatedAdapterLock";
constexpr wchar_t kSectionName[] = L"KestrelLx740nSimulatedAdapterState";
// Kept in the prefix's registry, so the machine's adapter outlives its server. (A key made
// volatile by an older build stays so until that server stops.)
constexpr wchar_t kSnapshotKey[] = L"Software\\KestrelSimulatedAdapter";
constexpr wchar_t kSnapshotValue[] = L"State";
constexpr DWORD kLockTimeoutMs = 5000;

bool LoadSnapshot(SharedAdapterState& state) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSnapshotKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  SharedAdapterState snapshot{};
  DWORD type = 0;
  DWORD size = sizeof snapshot;
  const LONG status = RegQueryValueExW(key, kSnapshotValue, nullptr, &type,
                                       reinterpret_cast<BYTE*>(&snapshot), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_BINARY || size != sizeof snapshot ||
      !HasCurrentLayout(snapshot)) {
    return false;
  }
  state = snapshot;
  return true;
}

bool SaveSnapshot(const SharedAdapterState& state) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSnapshotKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG status = RegSetValueExW(key, kSnapshotValue, 0, REG_BINARY,
                                     reinterpret_cast<const BYTE*>(&state), sizeof state);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

// The performance counter: machine-wide, monotonic, and there since Windows 2000 (the
// 64-bit tick count is not).
std::uint64_t TickClock::nowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER count;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 ||
      !QueryPerformanceCounter(&count)) {
    return GetTickCount();
  }
  const auto ticks = static_cast<std::uint64_t>(count.QuadPart);
  const auto perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

ProcessRandom::ProcessRandom()
    : state_(static_cast<std::uint32_t>(GetTickCount()) ^ (GetCurrentProcessId() << 16) ^
             0x9E3779B9u) {
  if (state_ == 0)
    state_ = 1;
}

std::uint32_t ProcessRandom::next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

SharedAdapterStore::SharedAdapterStore() {
  open();
}

SharedAdapterStore::~SharedAdapterStore() {
  if (state_ != nullptr)
    UnmapViewOfFile(state_);
  if (mapping_ != nullptr)
    CloseHandle(mapping_);
  if (mutex_ != nullptr)
    CloseHandle(mutex_);
}

bool SharedAdapterStore::open() {
  mutex_ = CreateMutexW(nullptr, FALSE, kMutexName);
  if (mutex_ == nullptr)
    return false;
  const DWORD wait = WaitForSingleObject(mutex_, kLockTimeoutMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
    return false;
  // Created and first filled under the lock, so no process sees a half-made adapter.
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                sizeof(SharedAdapterState), kSectionName);
  const bool created = mapping_ != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
  if (mapping_ != nullptr) {
    state_ = static_cast<SharedAdapterState*>(
        MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedAdapterState)));
  }
  if (state_ != nullptr)
    initialize(created);
  ReleaseMutex(mutex_);
  return state_ != nullptr;
}

void SharedAdapterStore::initialize(bool created) {
  if (!created && HasCurrentLayout(*state_))
    return;
  // A new section starts from the machine's last snapshot, else from power-on.
  if (!LoadSnapshot(*state_))
    ResetState(*state_, DefaultScenario(), clock_.nowMs());
}

bool SharedAdapterStore::withState(const std::function<void(SharedAdapterState&)>& work) {
  if (state_ == nullptr)
    return false;
  const DWORD wait = WaitForSingleObject(mutex_, kLockTimeoutMs);
  if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
    return false;
  initialize(false);  // a process that died mid-change may have left it unreadable
  work(*state_);
  // Most requests only read: the registry is written when something worth keeping moved.
  const std::uint64_t digest = SnapshotDigest(*state_);
  if (digest != state_->snapshotDigest) {
    state_->snapshotDigest = digest;
    if (!SaveSnapshot(*state_))
      state_->snapshotDigest = 0;  // try again with the next request
  }
  ReleaseMutex(mutex_);
  return true;
}

}  // namespace kestrel::sim
