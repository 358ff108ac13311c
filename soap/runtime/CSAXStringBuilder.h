// Collects the character data of one element, which the reader may deliver
// in any number of pieces, up to kMaxFieldTextBytes. The buffer keeps its
// capacity between elements so a response costs no allocation per field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "soap/runtime/SoapLimits.h"

namespace soap {

class CSAXStringBuilder {
 public:
  explicit CSAXStringBuilder(std::size_t limit = kMaxFieldTextBytes) : limit_(limit) {}

  // False when the text would grow beyond the limit.
  bool Characters(std::string_view piece) {
    if (piece.size() > limit_ - text_.size()) return false;
    text_.append(piece);
    return true;
  }
  std::string_view Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::size_t limit_;
  std::string text_;
};

}  // namespace soap
