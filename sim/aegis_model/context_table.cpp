#include "aegis_model/context_table.h"

namespace kestrel::sim {

namespace {

std::uintptr_t Key(AcContext handle) {
  return reinterpret_cast<std::uintptr_t>(handle);
}

}  // namespace

AcContext ContextTable::newHandle(ObjectId id) {
  const std::uintptr_t key = nextHandle_;
  nextHandle_ += 4;
  handles_[key] = id;
  ++objects_[id].references;
  return reinterpret_cast<AcContext>(key);
}

AcContext ContextTable::create(const ContextObject& object) {
  const ObjectId id = nextObject_++;
  objects_[id].object = object;
  return newHandle(id);
}

ObjectId ContextTable::createPermanent(const ContextObject& object) {
  const ObjectId id = nextObject_++;
  Entry& entry = objects_[id];
  entry.object = object;
  entry.references = 1;  // the library's own, never released
  return id;
}

AcContext ContextTable::addHandle(ObjectId id) {
  if (objects_.count(id) == 0)
    return nullptr;
  return newHandle(id);
}

ContextObject* ContextTable::find(AcContext handle) {
  return object(idOf(handle));
}

ContextObject* ContextTable::object(ObjectId id) {
  const auto found = objects_.find(id);
  return found == objects_.end() ? nullptr : &found->second.object;
}

ObjectId ContextTable::idOf(AcContext handle) const {
  const auto found = handles_.find(Key(handle));
  return found == handles_.end() ? 0 : found->second;
}

bool ContextTable::release(AcContext handle) {
  const auto found = handles_.find(Key(handle));
  if (found == handles_.end())
    return false;
  const ObjectId id = found->second;
  handles_.erase(found);
  const auto object = objects_.find(id);
  if (object != objects_.end() && --object->second.references == 0)
    objects_.erase(object);
  return true;
}

}  // namespace kestrel::sim
