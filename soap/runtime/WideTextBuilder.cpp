#include "soap/runtime/WideTextBuilder.h"

#include <algorithm>

#include "platform/text/CodePage.h"

namespace soap {

bool WideTextBuilder::AddPiece(std::string_view piece) {
  if (ascii_) {
    Reserve(bytes_ + piece.size());
    if (WidenAscii(piece, units_.get() + bytes_)) {
      bytes_ += piece.size();
      return true;
    }
    // Everything so far was ASCII, so narrowing it back is exact.
    ascii_ = false;
    utf8_.clear();
    for (std::size_t i = 0; i < bytes_; ++i) utf8_.push_back(static_cast<char>(units_[i]));
  }
  utf8_.append(piece);
  bytes_ += piece.size();
  return true;
}

void WideTextBuilder::AssignTo(SoapString& target) const {
  if (bytes_ == 0) {
    target.emplace();
  } else if (ascii_) {
    target.emplace(units_.get(), bytes_);
  } else {
    target = platform::Utf8ToWide(utf8_);
  }
}

void WideTextBuilder::Reserve(std::size_t units) {
  if (units <= capacity_) return;
  const std::size_t capacity = std::max({units, 2 * capacity_, std::size_t{256}});
  auto grown = std::make_unique_for_overwrite<char16_t[]>(capacity);
  std::copy_n(units_.get(), bytes_, grown.get());
  units_ = std::move(grown);
  capacity_ = capacity;
}

}  // namespace soap
