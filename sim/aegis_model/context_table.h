#pragma once
// The simulated 802.1X client's contexts in one process: opaque handles onto objects.
// Every handle is released on its own; an object lives while a handle to it does, except
// the adapters, which the library keeps for as long as it is loaded.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/dot1x_library.h"

namespace kestrel::sim {

using ObjectId = std::uint32_t;  // 0: none

struct ContextObject {
  int type = kAcUnknownType;
  // Results (status and error contexts).
  int status = 0;
  ObjectId related = 0;  // the adapter the result is about
  std::string text;
  // Iterators: the adapters listed when the enumeration began, and the next one's place.
  std::vector<ObjectId> entries;
  std::size_t cursor = 0;
  // Adapters: the place in the library's adapter list.
  std::size_t adapter = 0;
  // Global and adapter contexts: the event attached last.
  void* event = nullptr;
};

class ContextTable {
 public:
  // A new object and the first handle to it.
  AcContext create(const ContextObject& object);
  // An object only the table's own reference keeps; handles come from `addHandle`.
  ObjectId createPermanent(const ContextObject& object);
  // Another handle to a live object; nullptr when there is no such object.
  AcContext addHandle(ObjectId id);

  // Null for a null, unknown or released handle.
  ContextObject* find(AcContext handle);
  ContextObject* object(ObjectId id);
  ObjectId idOf(AcContext handle) const;

  // False for a null, unknown or already released handle.
  bool release(AcContext handle);

  std::size_t handleCount() const { return handles_.size(); }
  std::size_t objectCount() const { return objects_.size(); }

 private:
  struct Entry {
    ContextObject object;
    std::size_t references = 0;
  };

  AcContext newHandle(ObjectId id);

  std::map<std::uintptr_t, ObjectId> handles_;
  std::map<ObjectId, Entry> objects_;
  ObjectId nextObject_ = 1;
  // Handles are never reused, so a stale one is always unknown.
  std::uintptr_t nextHandle_ = 0xAC0010;
};

}  // namespace kestrel::sim
