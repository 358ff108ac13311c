// Collects the character data of one string field straight in UTF-16, the
// form the field is stored in, so the text is copied once into the result
// rather than gathered as UTF-8 and converted when the element ends. Field
// text is nearly always ASCII, which widens unit for unit as it arrives;
// the first piece that is not turns the builder back to gathering UTF-8,
// decoded when the element ends, so any other text meets the one full
// decoder exactly as a whole. Like CSAXStringBuilder it bounds one field's
// UTF-8 bytes and keeps its buffer between elements.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "soap/runtime/AsciiWidening.h"
#include "soap/runtime/SoapLimits.h"
#include "soap/runtime/SoapTypes.h"

namespace soap {

class WideTextBuilder {
 public:
  explicit WideTextBuilder(std::size_t limit = kMaxFieldTextBytes) : limit_(limit) {}

  // False when the text would grow beyond the limit.
  [[nodiscard, gnu::always_inline]] bool Characters(std::string_view piece) {
    if (piece.size() > limit_ - bytes_) return false;
    if (ascii_ && piece.size() <= capacity_ - bytes_ && WidenAscii(piece, units_.get() + bytes_)) {
      bytes_ += piece.size();
      return true;
    }
    return AddPiece(piece);
  }
  // Makes `target` the text collected since Clear (empty, not null, when
  // there was none).
  void AssignTo(SoapString& target) const;
  void Clear() {
    bytes_ = 0;
    ascii_ = true;
    utf8_.clear();
  }

 private:
  // The rest of Characters: room to grow, or a piece that is not ASCII.
  bool AddPiece(std::string_view piece);
  void Reserve(std::size_t units);

  std::size_t limit_;
  std::size_t bytes_ = 0;  // UTF-8 bytes so far; while ascii_, also the units in units_
  bool ascii_ = true;
  std::unique_ptr<char16_t[]> units_;
  std::size_t capacity_ = 0;
  std::string utf8_;  // the whole text once a piece was not ASCII
};

}  // namespace soap
