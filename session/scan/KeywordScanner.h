// Picks a page's ad category: counts how often each category's label occurs
// in the page text and whether a blocked term occurs as a whole word, with
// the results the toolbar's original scan gives on every page. That scan
// compares every window of the lower-cased text against every keyword by
// hash and prefix; this one steps an automaton built from the lists once per
// unit of the page as it stands, lower-casing through the automaton's unit
// table, and looks closer only where a keyword's prefix ends.
//
// Build one scanner when the lists are loaded and keep it: building costs
// far more than a page. ScanPage is const and may run on several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "session/scan/PatternAutomaton.h"

namespace session {

struct PageScanResult {
  std::vector<int> counts;  // one per category, in list order
  int chosen = 0;           // the greatest count; a tie goes to the later category
  bool blocked = false;
};

// Room for the dense rows of the first states in breadth-first order; past it
// the deeper states fall back along failure links.
inline constexpr std::size_t kDefaultDenseTableBytes = std::size_t{4} << 20;

class KeywordScanner {
 public:
  // `labels` holds one label per category and must not be empty; the caller
  // skips the scan when LongestKeyword() is 0. Tests shrink the dense table
  // to send a scan through the deep states.
  KeywordScanner(const std::vector<std::u16string>& labels,
                 const std::vector<std::u16string>& blockedTerms,
                 std::size_t denseTableBytes = kDefaultDenseTableBytes);

  // The greatest length over all labels and blocked terms.
  int LongestKeyword() const { return longestKeyword_; }

  // The page's text as the browser gives it; it reads as PageText.h says.
  PageScanResult ScanPage(std::u16string_view pageText) const;

  // What the scanner's tables hold, for capacity planning.
  std::size_t TableBytes() const;

 private:
  using State = PatternAutomaton::State;
  static constexpr std::uint32_t kNoCategory = 0xFFFFFFFF;

  // What a window ending in a state matches: the state's own prefix, when it
  // is a category's or a blocked term's, then (through `shorter`) whatever
  // the next shorter such prefix on its failure chain matches.
  struct Output {
    std::uint32_t category;     // kNoCategory when the prefix is no category's
    std::size_t blockedLength;  // 0 when the prefix is no blocked term's
    std::uint32_t shorter;
  };

  // Scans the text as it stands, or returns false (with the result
  // unfinished) for a text that only its prepared form says how to read.
  bool Scan(std::u16string_view text, PageScanResult& result) const;
  void Report(std::uint32_t output, std::u16string_view text, std::size_t end,
              PageScanResult& result) const;

  std::size_t categoryCount_;
  int longestKeyword_ = 0;
  PatternAutomaton automaton_;
  // Per state, an index into outputs_, whose entry 0 stands for nothing. Most
  // states match nothing, so a scan looks no further than this for them.
  std::vector<std::uint32_t> outputOf_;
  std::vector<Output> outputs_;
};

}  // namespace session
