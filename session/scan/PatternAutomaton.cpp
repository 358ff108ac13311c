#include "session/scan/PatternAutomaton.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace session {

PatternAutomaton::PatternAutomaton(std::span<const std::u16string_view> strings,
                                   std::size_t denseTableBytes, const UnitReading& reading) {
  AssignSymbols(strings, reading);
  BuildTrie(strings);
  LinkFailuresAndDenseRows(denseTableBytes);
}

std::size_t PatternAutomaton::TableBytes() const {
  return (symbolOfStringUnit_.size() + symbolOfUnit_.size() + symbolOf_.size()) * sizeof(Symbol) +
         (firstChild_.size() + failure_.size() + dense_.size()) * sizeof(State) +
         marked_.size() / 8;
}

const PatternAutomaton::UnitReading& PatternAutomaton::ReadingAsItself() {
  static const UnitReading reading = [] {
    UnitReading asItself{std::vector<char16_t>(kUnitCount), {}};
    for (std::size_t unit = 0; unit < kUnitCount; ++unit) {
      asItself.readsAs[unit] = static_cast<char16_t>(unit);
    }
    return asItself;
  }();
  return reading;
}

// Symbols follow the units' order, so sorting the strings by unit also sorts
// every state's children by symbol.
void PatternAutomaton::AssignSymbols(std::span<const std::u16string_view> strings,
                                     const UnitReading& reading) {
  const auto nextSymbol = [this] {
    if (symbolCount_ > std::numeric_limits<Symbol>::max()) {
      throw std::invalid_argument("pattern strings use more code units than there are symbols");
    }
    return static_cast<Symbol>(symbolCount_++);
  };
  constexpr Symbol kUsed = 1;
  symbolOfStringUnit_.assign(kUnitCount, kOtherUnit);
  for (std::u16string_view string : strings) {
    for (char16_t unit : string) symbolOfStringUnit_[unit] = kUsed;
  }
  for (Symbol& symbol : symbolOfStringUnit_) {
    if (symbol == kUsed) symbol = nextSymbol();
  }
  symbolOfUnit_.resize(kUnitCount);
  for (std::size_t unit = 0; unit < kUnitCount; ++unit) {
    symbolOfUnit_[unit] = symbolOfStringUnit_[reading.readsAs[unit]];
  }
  if (reading.staysOn.empty()) return;
  staySymbol_ = nextSymbol();
  for (char16_t unit : reading.staysOn) symbolOfUnit_[unit] = *staySymbol_;
}

// Builds the trie one depth at a time over the sorted strings: the prefixes of
// one length appear in sorted order, grouped by their parent, which is exactly
// breadth-first order with each state's children in symbol order.
void PatternAutomaton::BuildTrie(std::span<const std::u16string_view> strings) {
  std::vector<std::u16string_view> sorted(strings.begin(), strings.end());
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::erase_if(sorted, [](std::u16string_view string) { return string.empty(); });

  symbolOf_.assign(1, kOtherUnit);
  std::vector<State> childCount(1, 0);
  // The state each still-longer string has reached so far.
  std::vector<State> reached(sorted.size(), kRoot);
  std::vector<std::size_t> longer(sorted.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) longer[i] = i;

  for (std::size_t depth = 1; !longer.empty(); ++depth) {
    State previousParent = kRoot;
    char16_t previousUnit = 0;
    bool first = true;
    for (std::size_t index : longer) {
      const State parent = reached[index];
      const char16_t unit = sorted[index][depth - 1];
      if (first || parent != previousParent || unit != previousUnit) {
        symbolOf_.push_back(symbolOfStringUnit_[unit]);
        childCount.push_back(0);
        ++childCount[parent];
        previousParent = parent;
        previousUnit = unit;
        first = false;
      }
      reached[index] = static_cast<State>(symbolOf_.size() - 1);
    }
    std::erase_if(longer, [&](std::size_t index) { return sorted[index].size() == depth; });
    longestString_ = depth;
  }

  firstChild_.resize(symbolOf_.size() + 1);
  firstChild_[0] = 1;
  for (std::size_t state = 0; state < symbolOf_.size(); ++state) {
    firstChild_[state + 1] = firstChild_[state] + childCount[state];
  }
}

// In breadth-first order every state's failure target, and the dense row of
// that target, is ready before the state itself needs them.
void PatternAutomaton::LinkFailuresAndDenseRows(std::size_t denseTableBytes) {
  while ((std::size_t{1} << rowShift_) < symbolCount_) ++rowShift_;
  const std::size_t rowBytes = sizeof(State) << rowShift_;
  denseStateCount_ = std::clamp<std::size_t>(denseTableBytes / rowBytes, 1, StateCount());
  dense_.assign(denseStateCount_ << rowShift_, kRoot);
  failure_.assign(StateCount(), kRoot);
  marked_.assign(StateCount(), false);

  for (State state = 0; state < StateCount(); ++state) {
    if (state < denseStateCount_) {
      State* row = &dense_[std::size_t{state} << rowShift_];
      if (state != kRoot) {
        const State* fallback = &dense_[std::size_t{failure_[state]} << rowShift_];
        std::copy(fallback, fallback + symbolCount_, row);
      }
      for (State child = firstChild_[state]; child < firstChild_[state + 1]; ++child) {
        row[symbolOf_[child]] = child;
      }
      if (staySymbol_) row[*staySymbol_] = state | kMarked;
    }
    for (State child = firstChild_[state]; child < firstChild_[state + 1]; ++child) {
      failure_[child] = state == kRoot ? kRoot : Next(failure_[state], symbolOf_[child]);
    }
  }
}

void PatternAutomaton::Mark(const std::vector<bool>& marked) {
  marked_ = marked;
  for (State& next : dense_) {
    if (marked_[Unmarked(next)]) next |= kMarked;
  }
}

// Deep states keep only their children; a step that finds none falls back
// along the failure links, which lead to shallower states and so to a dense
// row in the end.
PatternAutomaton::State PatternAutomaton::DeepNext(State state, Symbol symbol) const {
  if (symbol == kOtherUnit) return kRoot;
  if (symbol == staySymbol_) return state | kMarked;
  do {
    if (const State child = Child(state, symbol); child != kRoot) {
      return marked_[child] ? child | kMarked : child;
    }
    state = failure_[state];
  } while (state >= denseStateCount_);
  return dense_[(std::size_t{state} << rowShift_) | symbol];
}

// A state stands for at most the last longestString_ units read (the units
// it stays on aside), so reading just those from the root arrives where
// reading all of the text would.
PatternAutomaton::State PatternAutomaton::StateBefore(std::u16string_view text,
                                                      std::size_t end) const {
  std::size_t begin = end;
  for (std::size_t read = 0; read < longestString_ && begin > 0;) {
    if (symbolOfUnit_[text[--begin]] != staySymbol_) ++read;
  }
  State state = kRoot;
  for (std::size_t at = begin; at < end; ++at) state = Next(state, symbolOfUnit_[text[at]]);
  return state;
}

PatternAutomaton::State PatternAutomaton::StateOf(std::u16string_view prefix) const {
  State state = kRoot;
  for (char16_t unit : prefix) state = Child(state, symbolOfStringUnit_[unit]);
  return state;
}

}  // namespace session
