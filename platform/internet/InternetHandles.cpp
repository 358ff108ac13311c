#include "platform/internet/InternetHandles.h"

#include <utility>

namespace platform::internet {
namespace {

std::uintptr_t KeyOf(HINTERNET handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

HandleTable& HandleTable::Instance() {
  static HandleTable* const table = new HandleTable;  // outlives workers still ending at exit
  return *table;
}

HINTERNET HandleTable::OpenSession(RequestTarget request) {
  HandleRecord record;
  record.request = std::move(request);
  std::lock_guard lock(mutex_);
  return AddLocked(std::move(record));
}

HINTERNET HandleTable::OpenChild(HINTERNET parent, HandleKind parentKind,
                                 const std::function<void(RequestTarget&)>& fill, DWORD& error) {
  std::lock_guard lock(mutex_);
  const auto found = records_.find(KeyOf(parent));
  if (found == records_.end()) {
    error = ERROR_INVALID_HANDLE;
    return nullptr;
  }
  if (found->second.kind != parentKind) {
    error = ERROR_INTERNET_INCORRECT_HANDLE_TYPE;
    return nullptr;
  }
  HandleRecord child = found->second;
  child.kind = parentKind == HandleKind::kSession ? HandleKind::kConnection : HandleKind::kRequest;
  child.parent = found->first;
  fill(child.request);
  return AddLocked(std::move(child));
}

std::optional<HandleRecord> HandleTable::Find(HINTERNET handle, HandleKind kind,
                                              DWORD& error) const {
  std::lock_guard lock(mutex_);
  const auto found = records_.find(KeyOf(handle));
  if (found == records_.end()) {
    error = ERROR_INVALID_HANDLE;
    return std::nullopt;
  }
  if (found->second.kind != kind) {
    error = ERROR_INTERNET_INCORRECT_HANDLE_TYPE;
    return std::nullopt;
  }
  return found->second;
}

DWORD HandleTable::SetTimeout(HINTERNET handle, DWORD Timeouts::*timeout, DWORD milliseconds) {
  std::lock_guard lock(mutex_);
  const auto found = records_.find(KeyOf(handle));
  if (found == records_.end()) return ERROR_INVALID_HANDLE;
  found->second.timeouts.*timeout = milliseconds;
  return 0;
}

bool HandleTable::Close(HINTERNET handle) {
  std::lock_guard lock(mutex_);
  if (records_.erase(KeyOf(handle)) == 0) return false;
  // A child's key is larger than its parent's, so one pass in key order sees
  // each parent's removal before it reaches the parent's children.
  for (auto entry = records_.begin(); entry != records_.end();) {
    const std::uintptr_t parent = entry->second.parent;
    if (parent != 0 && !records_.contains(parent)) {
      entry = records_.erase(entry);
    } else {
      ++entry;
    }
  }
  return true;
}

HINTERNET HandleTable::AddLocked(HandleRecord record) {
  const std::uintptr_t key = nextHandle_++;
  records_.emplace(key, std::move(record));
  return reinterpret_cast<HINTERNET>(key);
}

}  // namespace platform::internet
