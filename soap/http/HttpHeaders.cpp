#include "soap/http/HttpHeaders.h"

#include "soap/http/AsciiCase.h"

namespace soap {

void HttpHeaders::Add(std::string_view name, std::string_view value) {
  lastKey_ = LowerAscii(name);
  auto [entry, inserted] = values_.try_emplace(lastKey_, value);
  if (!inserted) {
    entry->second += ", ";
    entry->second += value;
  }
}

bool HttpHeaders::AppendToLast(std::string_view continuation) {
  auto entry = values_.find(lastKey_);
  if (lastKey_.empty() || entry == values_.end()) return false;
  entry->second += ' ';
  entry->second += continuation;
  return true;
}

std::optional<std::string> HttpHeaders::Find(std::string_view name) const {
  auto entry = values_.find(LowerAscii(name));
  if (entry == values_.end()) return std::nullopt;
  return entry->second;
}

void HttpHeaders::Clear() {
  values_.clear();
  lastKey_.clear();
}

}  // namespace soap
