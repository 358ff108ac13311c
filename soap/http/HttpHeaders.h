// Response headers kept by name, compared without regard to case. A name
// that repeats keeps every value, joined with ", " as HTTP defines for list
// headers; so a repeated Content-Length reads as garbage and fails, which is
// the safe reading of a response that frames its body two ways.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace soap {

class HttpHeaders {
 public:
  void Add(std::string_view name, std::string_view value);
  // Appends a folded continuation line to the header added last.
  bool AppendToLast(std::string_view continuation);
  std::optional<std::string> Find(std::string_view name) const;
  std::size_t Count() const { return values_.size(); }
  void Clear();

 private:
  std::map<std::string, std::string> values_;  // key: lower-case name
  std::string lastKey_;
};

}  // namespace soap
