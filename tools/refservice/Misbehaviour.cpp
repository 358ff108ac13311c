#include "tools/refservice/Misbehaviour.h"

namespace refservice {

namespace {

void SetContentType(HttpAnswer& answer, std::string contentType) {
  for (auto& [name, value] : answer.headers) {
    if (EqualsIgnoringCase(name, "Content-Type")) {
      value = std::move(contentType);
      return;
    }
  }
  answer.headers.emplace_back("Content-Type", std::move(contentType));
}

}  // namespace

Misbehaviour Misbehaviour::Status(int status, std::string body) {
  Misbehaviour misbehaviour;
  misbehaviour.status = status;
  misbehaviour.statusBody = std::move(body);
  return misbehaviour;
}

Misbehaviour Misbehaviour::Fault(SoapFault fault) {
  Misbehaviour misbehaviour;
  misbehaviour.fault = std::move(fault);
  return misbehaviour;
}

Misbehaviour Misbehaviour::RedirectTo(int status, std::string location) {
  Misbehaviour misbehaviour;
  misbehaviour.redirect = Redirect{status, std::move(location)};
  return misbehaviour;
}

Misbehaviour Misbehaviour::Malformed(std::string body) {
  Misbehaviour misbehaviour;
  misbehaviour.malformedBody = std::move(body);
  return misbehaviour;
}

Misbehaviour Misbehaviour::Chunked(std::size_t chunkSize) {
  Misbehaviour misbehaviour;
  misbehaviour.chunkSize = chunkSize;
  return misbehaviour;
}

Misbehaviour Misbehaviour::Delay(std::chrono::milliseconds delay) {
  Misbehaviour misbehaviour;
  misbehaviour.delay = delay;
  return misbehaviour;
}

Misbehaviour Misbehaviour::Truncate(std::size_t bodyBytes) {
  Misbehaviour misbehaviour;
  misbehaviour.truncateBodyAfter = bodyBytes;
  return misbehaviour;
}

Misbehaviour Misbehaviour::CloseWithoutAnswer() {
  Misbehaviour misbehaviour;
  misbehaviour.closeWithoutAnswer = true;
  return misbehaviour;
}

void ApplyMisbehaviour(const Misbehaviour& misbehaviour, HttpAnswer& answer) {
  if (misbehaviour.status) {
    answer.status = *misbehaviour.status;
    answer.body = misbehaviour.statusBody;
    SetContentType(answer, "text/html; charset=utf-8");
  }
  if (misbehaviour.fault) {
    answer.status = 500;
    answer.body = SoapFaultEnvelope(*misbehaviour.fault);
    SetContentType(answer, "text/xml; charset=utf-8");
  }
  if (misbehaviour.redirect) {
    answer.status = misbehaviour.redirect->status;
    answer.headers.emplace_back("Location", misbehaviour.redirect->location);
    answer.body =
        "<html><head><title>Object moved</title></head><body><h2>Object moved to <a href=\"" +
        EscapeXml(misbehaviour.redirect->location) + "\">here</a>.</h2></body></html>";
    SetContentType(answer, "text/html; charset=utf-8");
  }
  if (misbehaviour.malformedBody) answer.body = *misbehaviour.malformedBody;
  answer.chunkSize = misbehaviour.chunkSize;
  answer.delay = misbehaviour.delay;
  answer.truncateBodyAfter = misbehaviour.truncateBodyAfter;
  answer.closeWithoutAnswer = misbehaviour.closeWithoutAnswer;
}

void MisbehaviourTable::Set(std::string operationOrPath, Misbehaviour misbehaviour) {
  std::lock_guard lock(mutex_);
  settings_.insert_or_assign(std::move(operationOrPath), std::move(misbehaviour));
}

void MisbehaviourTable::Clear() {
  std::lock_guard lock(mutex_);
  settings_.clear();
}

std::optional<Misbehaviour> MisbehaviourTable::Take(std::string_view operation,
                                                    std::string_view path) {
  std::lock_guard lock(mutex_);
  if (!operation.empty()) {
    if (auto found = TakeLocked(operation)) return found;
  }
  return TakeLocked(path);
}

std::optional<Misbehaviour> MisbehaviourTable::TakeLocked(std::string_view key) {
  const auto it = settings_.find(key);
  if (it == settings_.end()) return std::nullopt;
  Misbehaviour found = it->second;
  if (!found.sticky) settings_.erase(it);
  return found;
}

}  // namespace refservice
