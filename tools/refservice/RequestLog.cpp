#include "tools/refservice/RequestLog.h"

namespace refservice {

void RequestLog::Append(RecordedRequest request) {
  std::lock_guard lock(mutex_);
  request.sequence = requests_.size() + 1;
  requests_.push_back(std::move(request));
}

std::vector<RecordedRequest> RequestLog::Snapshot() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::size_t RequestLog::Size() const {
  std::lock_guard lock(mutex_);
  return requests_.size();
}

void RequestLog::Clear() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

}  // namespace refservice
