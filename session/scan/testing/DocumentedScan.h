// The toolbar's category scan as it has always been documented, written as
// plainly as possible: every window of the lowered text, up to the longest
// keyword, against every label and every blocked term, by running hash and
// prefix comparison. Slow by design; tests and the benchmark hold the
// product's scanner against it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/CodePage.h"
#include "session/scan/KeywordScanner.h"

namespace session::testing {

inline std::int32_t DocumentedHash(std::u16string_view keyword) {
  std::uint32_t hash = 0;
  for (std::size_t k = 0; k < keyword.size(); ++k) {
    hash += static_cast<std::uint32_t>(keyword[k]) * (std::uint32_t{2} << (k % 32));
  }
  return static_cast<std::int32_t>(hash);
}

inline std::u16string DocumentedLowering(std::u16string_view pageText) {
  const std::u16string_view cString = pageText.substr(0, pageText.find(u'\0'));
  return platform::AnsiToWide(platform::AnsiToLower(platform::WideToAnsi(cString)));
}

// The keyword's first window-length units against the window, where a keyword
// shorter than the window runs into its terminator and so differs.
inline bool DocumentedPrefixEquals(std::u16string_view keyword, std::u16string_view window) {
  return keyword.size() >= window.size() && keyword.substr(0, window.size()) == window;
}

inline bool IsLowerAsciiLetter(char16_t unit) { return unit >= u'a' && unit <= u'z'; }

inline PageScanResult DocumentedScan(const std::vector<std::u16string>& labels,
                                     const std::vector<std::u16string>& blockedTerms,
                                     std::u16string_view pageText) {
  std::size_t longest = 0;
  for (const auto& label : labels) longest = std::max(longest, label.size());
  for (const auto& term : blockedTerms) longest = std::max(longest, term.size());
  std::vector<std::int32_t> labelHashes;
  for (const auto& label : labels) labelHashes.push_back(DocumentedHash(label));
  std::vector<std::int32_t> termHashes;
  for (const auto& term : blockedTerms) termHashes.push_back(DocumentedHash(term));

  const std::u16string text = DocumentedLowering(pageText);
  PageScanResult result;
  result.counts.assign(labels.size(), 0);
  for (std::size_t p = 0; p < text.size(); ++p) {
    std::uint32_t running = 0;
    for (std::size_t w = 1; w <= longest && p + w <= text.size(); ++w) {
      running += static_cast<std::uint32_t>(text[p + w - 1]) * (std::uint32_t{2} << ((w - 1) % 32));
      const auto windowHash = static_cast<std::int32_t>(running);
      const std::u16string_view window = std::u16string_view(text).substr(p, w);
      for (std::size_t i = 0; i < labels.size(); ++i) {
        if (labelHashes[i] == windowHash && DocumentedPrefixEquals(labels[i], window)) {
          ++result.counts[i];
          break;
        }
      }
      if (result.blocked) continue;
      for (std::size_t j = 0; j < blockedTerms.size(); ++j) {
        if (termHashes[j] != windowHash || !DocumentedPrefixEquals(blockedTerms[j], window)) {
          continue;
        }
        const bool wordEndsHere = p + w == text.size() || !IsLowerAsciiLetter(text[p + w]);
        const bool wordStartsHere = p == 0 || !IsLowerAsciiLetter(text[p - 1]);
        if (wordEndsHere && wordStartsHere) {
          result.blocked = true;
          break;
        }
      }
    }
  }
  for (std::size_t i = 0; i < result.counts.size(); ++i) {
    if (result.counts[i] >= result.counts[result.chosen]) result.chosen = static_cast<int>(i);
  }
  return result;
}

}  // namespace session::testing
