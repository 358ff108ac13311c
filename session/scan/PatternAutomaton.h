// An Aho–Corasick automaton over a set of UTF-16 strings, built once and then
// stepped one text unit at a time. Its states are the distinct prefixes of
// the strings, numbered breadth-first, so a state's failure target (a shorter
// prefix) always has a smaller number.
//
// Text units are first mapped to symbols: one per unit the strings use, one
// shared by every other unit, which always leads back to the root, and one for
// the units the caller wants to handle itself. A UnitReading says how each
// text unit reads, so a scan can take a text that still needs converting.
// The first states in breadth-first order (the shallow ones, where a scan
// spends most of its steps) get a dense row with the next state for every
// symbol, up to a memory budget; deeper states keep only their children and
// fall back along failure links. Each state's children are numbered
// consecutively, so the children need no edge list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace session {

class PatternAutomaton {
 public:
  using State = std::uint32_t;
  using Symbol = std::uint8_t;
  static constexpr State kRoot = 0;
  static constexpr Symbol kOtherUnit = 0;

  // How each text unit reads: as the strings' unit readsAs[unit] (or any
  // other, which no string continues with), unless it is one of the units the
  // scan stays on: for those it stays in its state and reports the step as
  // marked, for its caller to deal with.
  static constexpr std::size_t kUnitCount = 0x10000;  // every UTF-16 code unit
  struct UnitReading {
    std::vector<char16_t> readsAs;  // kUnitCount entries, one per unit
    std::vector<char16_t> staysOn;
  };
  static const UnitReading& ReadingAsItself();

  // The strings may repeat and may be prefixes of each other. They may use at
  // most 255 distinct units, one fewer when some text units stay
  // (std::invalid_argument otherwise), and fewer than 2^31 units in all. At
  // least the root keeps a dense row whatever the budget.
  PatternAutomaton(std::span<const std::u16string_view> strings, std::size_t denseTableBytes,
                   const UnitReading& reading = ReadingAsItself());

  std::size_t StateCount() const { return symbolOf_.size(); }
  std::size_t TableBytes() const;

  Symbol SymbolOf(char16_t unit) const { return symbolOfUnit_[unit]; }

  // Marks the states a scan wants to hear of: a step into one of them comes
  // back with kMarked set, so the scan needs no other table to find out.
  static constexpr State kMarked = State{1} << 31;
  void Mark(const std::vector<bool>& marked);  // one flag per state
  static State Unmarked(State state) { return state & ~kMarked; }

  // Takes a state as Next returned it, marked or not.
  State Next(State state, Symbol symbol) const {
    state = Unmarked(state);
    if (state < denseStateCount_) return dense_[(std::size_t{state} << rowShift_) | symbol];
    return DeepNext(state, symbol);
  }

  // Reads the text from the root and calls onMarked(state, end) for every
  // marked step, `end` being one past the unit stepped on; the scan stops
  // when onMarked returns false. The text is read in four stretches at once,
  // each from a little before its start, so that the processor overlaps the
  // table reads of four steps where one stretch would wait for each row
  // before the next; the calls therefore come in no particular order.
  template <class OnMarked>
  void Scan(std::u16string_view text, OnMarked&& onMarked) const;

  // The longest proper suffix of the state's prefix that is also a state.
  State Failure(State state) const { return failure_[state]; }

  // The state spelling `prefix`, which must be a prefix of one of the strings.
  State StateOf(std::u16string_view prefix) const;

 private:
  State Child(State state, Symbol symbol) const {
    for (State child = firstChild_[state]; child < firstChild_[state + 1]; ++child) {
      if (symbolOf_[child] == symbol) return child;
    }
    return kRoot;
  }

  State DeepNext(State state, Symbol symbol) const;
  State StateBefore(std::u16string_view text, std::size_t end) const;
  void AssignSymbols(std::span<const std::u16string_view> strings, const UnitReading& reading);
  void BuildTrie(std::span<const std::u16string_view> strings);
  void LinkFailuresAndDenseRows(std::size_t denseTableBytes);

  // Symbols of the strings' units, and of every text unit as it reads.
  std::vector<Symbol> symbolOfStringUnit_;
  std::vector<Symbol> symbolOfUnit_;
  std::size_t symbolCount_ = 1;
  std::optional<Symbol> staySymbol_;
  std::size_t longestString_ = 0;
  // Per state: the symbol of the edge into it, and where its children start
  // (one extra entry ends the last state's children).
  std::vector<Symbol> symbolOf_;
  std::vector<State> firstChild_;
  std::vector<State> failure_;
  std::vector<bool> marked_;
  std::size_t denseStateCount_ = 1;
  // Rows are a power of two wide, so finding one costs a shift on the path
  // from one step to the next rather than a multiplication.
  std::size_t rowShift_ = 0;
  std::vector<State> dense_;  // with kMarked set on marked steps
};

template <class OnMarked>
void PatternAutomaton::Scan(std::u16string_view text, OnMarked&& onMarked) const {
  // Copies that the compiler can keep in registers across onMarked's calls.
  const State* const dense = dense_.data();
  const Symbol* const symbolOfUnit = symbolOfUnit_.data();
  const std::size_t denseStateCount = denseStateCount_;
  const std::size_t rowShift = rowShift_;
  bool stopped = false;
  const auto step = [&](State& state, std::size_t at) {
    const State current = Unmarked(state);
    const Symbol symbol = symbolOfUnit[text[at]];
    state = current < denseStateCount ? dense[(std::size_t{current} << rowShift) | symbol]
                                      : DeepNext(current, symbol);
    if ((state & kMarked) != 0 && !onMarked(Unmarked(state), at + 1)) stopped = true;
  };

  const std::size_t stretch = text.size() / 4;
  if (stretch <= longestString_) {
    State state = kRoot;
    for (std::size_t at = 0; at < text.size() && !stopped; ++at) step(state, at);
    return;
  }
  State first = kRoot;
  State second = StateBefore(text, stretch);
  State third = StateBefore(text, 2 * stretch);
  State fourth = StateBefore(text, 3 * stretch);
  for (std::size_t at = 0; at < stretch && !stopped; ++at) {
    step(first, at);
    step(second, stretch + at);
    step(third, 2 * stretch + at);
    step(fourth, 3 * stretch + at);
  }
  for (std::size_t at = 4 * stretch; at < text.size() && !stopped; ++at) step(fourth, at);
}

}  // namespace session
