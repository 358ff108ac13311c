#include "framework/builtin/PageSearchCursor.h"

#include <utility>

#include "framework/builtin/PageDocuments.h"
#include "platform/automation/Bstr.h"

namespace framework {

using platform::ComPtr;

PageSearchCursor::PageSearchCursor(std::vector<ComPtr<IHTMLDocument2>> documents,
                                   std::u16string pattern, bool backwards)
    : documents_(std::move(documents)), pattern_(std::move(pattern)), backwards_(backwards) {}

void PageSearchCursor::Restart() {
  opened_ = 0;
  range_ = nullptr;
}

bool PageSearchCursor::OpenNextDocument() {
  while (opened_ < documents_.size()) {
    const std::size_t position = backwards_ ? documents_.size() - 1 - opened_ : opened_;
    ++opened_;
    range_ = BodyRange(documents_[position].Get());
    if (range_ && SUCCEEDED(range_->collapse(backwards_ ? VARIANT_FALSE : VARIANT_TRUE))) {
      return true;
    }
  }
  range_ = nullptr;
  return false;
}

ComPtr<IHTMLTxtRange> PageSearchCursor::Next() {
  if (pattern_.empty()) return nullptr;
  const platform::Bstr searched(pattern_);
  const LONG reach = backwards_ ? -kWholeBody : kWholeBody;
  for (;;) {
    if (!range_ && !OpenNextDocument()) return nullptr;
    VARIANT_BOOL found = VARIANT_FALSE;
    if (SUCCEEDED(range_->findText(searched.Get(), reach, 0, &found)) && found == VARIANT_TRUE) {
      ComPtr<IHTMLTxtRange> match;
      if (FAILED(range_->duplicate(match.ReleaseAndGetAddressOf()))) break;
      // The next search starts past this match, not inside it.
      range_->collapse(backwards_ ? VARIANT_TRUE : VARIANT_FALSE);
      return match;
    }
    range_ = nullptr;
  }
  range_ = nullptr;
  return nullptr;
}

}  // namespace framework
