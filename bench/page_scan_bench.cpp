// The page scan on a 1 MiB page (1,048,576 UTF-16 units of mixed-case text
// with keywords sprinkled in) for lists of 70, 1,000 and 10,000 keywords:
// building the scanner, the product's scan (lower-casing included), the same
// for a page that makes it convert the text first, and the documented scan
// it replaces. The documented
// scan costs the same for every position of the text, so it runs on the
// page's first units only (a few thousand for the long lists, where a whole
// page would take minutes) and is scaled to the page by length; the output
// names the slice. Each documented run also reports its ratio to the product.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "session/scan/KeywordScanner.h"
#include "session/scan/testing/DocumentedScan.h"

namespace {

using Keywords = std::vector<std::u16string>;

constexpr std::size_t kPageLength = std::size_t{1} << 20;

class Words {
 public:
  explicit Words(std::uint32_t seed) : random_(seed) {
    static const char16_t* const kSyllables[] = {
        u"ca",  u"ro",  u"ter", u"in",  u"ment", u"ly",  u"pro", u"sta",    u"tion", u"de",
        u"con", u"ver", u"al",  u"ing", u"mo",   u"re",  u"sun", u"tra",    u"vel",  u"ho",
        u"mi",  u"na",  u"per", u"com", u"ex",   u"ble", u"ous", u"ar",     u"te",   u"lo",
        u"qui", u"fa",  u"gen", u"ur",  u"an",   u"be",  u"di",  u"\u00E9", u"st",   u"or"};
    for (std::size_t i = 0; i < 3000; ++i) {
      std::u16string word;
      for (std::size_t count = 1 + Below(3); count > 0; --count) {
        word += kSyllables[Below(std::size(kSyllables))];
      }
      vocabulary_.push_back(word);
    }
  }

  std::size_t Below(std::size_t bound) { return random_() % bound; }

  // Frequent words first, as in real text.
  const std::u16string& Word() {
    const double uniform = static_cast<double>(Below(1 << 20)) / (1 << 20);
    return vocabulary_[static_cast<std::size_t>(uniform * uniform * vocabulary_.size())];
  }

  // A phrase of 26 to 40 units, the length of the shipped category labels:
  // words have at most 12 units, so the last one added never passes 40.
  std::u16string Label() {
    std::u16string label = Word();
    while (label.size() < 26) label += u' ' + Word();
    return label;
  }

 private:
  std::mt19937 random_;
  std::vector<std::u16string> vocabulary_;
};

struct Lists {
  Keywords labels;
  Keywords blockedTerms;
};

// One blocked term for every fifty labels (at least a few), spelled from other
// syllables than the page, so that they turn up inside words but the page is
// not blocked and the scan checks word edges to the end.
Lists MakeLists(std::size_t keywordCount) {
  Words words(17);
  const std::size_t blockedCount = std::max<std::size_t>(5, keywordCount / 50);
  Lists lists;
  for (std::size_t i = 0; i + blockedCount < keywordCount; ++i)
    lists.labels.push_back(words.Label());
  static const char16_t* const kBlocked[] = {u"xx", u"zq", u"kw", u"yj", u"vx"};
  for (std::size_t i = 0; i < blockedCount; ++i) {
    lists.blockedTerms.push_back(std::u16string(kBlocked[i % std::size(kBlocked)]) +
                                 words.Word().substr(0, 2 + i % 5) + u"zz");
  }
  return lists;
}

std::u16string Capitalized(std::u16string word) {
  if (!word.empty() && word[0] >= u'a' && word[0] <= u'z') word[0] -= u'a' - u'A';
  if (!word.empty() && word[0] == u'\u00E9') word[0] = u'\u00C9';
  return word;
}

// Sentences of words, some capitalized, with numbers, punctuation, the odd
// character outside the code page, and a list's label every 150 words.
std::u16string MakePage(const Lists& lists) {
  Words words(4242);
  std::u16string page;
  page.reserve(kPageLength + 64);
  for (std::size_t word = 0; page.size() < kPageLength; ++word) {
    if (word % 12 == 0) {
      page += u". ";
      page += Capitalized(words.Word());
    } else if (word % 150 == 75) {
      const std::u16string& label = lists.labels[words.Below(lists.labels.size())];
      page += words.Below(2) == 0 ? label : Capitalized(label);
    } else if (word % 40 == 7) {
      page += std::u16string(1, static_cast<char16_t>(u'0' + words.Below(10))) + u"9,95 \u20AC";
    } else if (word % 97 == 3) {
      page += u"\u201C\u4E2D\u6587\u201D";
    } else {
      page += words.Below(20) == 0 ? Capitalized(words.Word()) : words.Word();
    }
    page += u' ';
  }
  page.resize(kPageLength);
  return page;
}

struct Fixture {
  Lists lists;
  std::u16string page;
};

const Fixture& FixtureFor(std::size_t keywordCount) {
  static std::map<std::size_t, Fixture> fixtures;
  auto [entry, added] = fixtures.try_emplace(keywordCount);
  if (added) {
    entry->second.lists = MakeLists(keywordCount);
    entry->second.page = MakePage(entry->second.lists);
  }
  return entry->second;
}

// Short enough that the documented scan's run stays near a second.
std::size_t DocumentedSliceLength(std::size_t keywordCount) {
  if (keywordCount <= 100) return std::size_t{64} << 10;
  if (keywordCount <= 1000) return std::size_t{8} << 10;
  return std::size_t{1} << 10;
}

double SecondsPerIteration(benchmark::State& state, std::chrono::steady_clock::duration total) {
  return std::chrono::duration<double>(total).count() / static_cast<double>(state.iterations());
}

std::map<std::size_t, double> productSeconds;

void BM_BuildScanner(benchmark::State& state) {
  const Lists& lists = FixtureFor(static_cast<std::size_t>(state.range(0))).lists;
  std::size_t tableBytes = 0;
  for (auto _ : state) {
    const session::KeywordScanner scanner(lists.labels, lists.blockedTerms);
    tableBytes = scanner.TableBytes();
    benchmark::DoNotOptimize(tableBytes);
  }
  state.counters["table_MiB"] = static_cast<double>(tableBytes) / (1 << 20);
  state.counters["labels"] = static_cast<double>(lists.labels.size());
  state.counters["blocked_terms"] = static_cast<double>(lists.blockedTerms.size());
}

// A page with a high surrogate of its own near its end: only the conversion
// says how that reads, so the scan converts the page and starts again.
void BM_ProductScanOfPageNeedingConversion(benchmark::State& state) {
  const auto keywordCount = static_cast<std::size_t>(state.range(0));
  const Fixture& fixture = FixtureFor(keywordCount);
  std::u16string page = fixture.page;
  page[page.size() - 2] = 0xD83D;
  const session::KeywordScanner scanner(fixture.lists.labels, fixture.lists.blockedTerms);
  for (auto _ : state) {
    session::PageScanResult result = scanner.ScanPage(page);
    benchmark::DoNotOptimize(result.counts.data());
  }
}

void BM_ProductScan(benchmark::State& state) {
  const auto keywordCount = static_cast<std::size_t>(state.range(0));
  const Fixture& fixture = FixtureFor(keywordCount);
  const session::KeywordScanner scanner(fixture.lists.labels, fixture.lists.blockedTerms);
  session::PageScanResult result;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    result = scanner.ScanPage(fixture.page);
    benchmark::DoNotOptimize(result.counts.data());
  }
  const double seconds = SecondsPerIteration(state, std::chrono::steady_clock::now() - start);
  productSeconds[keywordCount] = seconds;
  state.counters["ms_per_MiB"] = seconds * 1e3;
  state.counters["blocked"] = result.blocked;
  state.counters["chosen_count"] = result.counts[static_cast<std::size_t>(result.chosen)];
}

void BM_DocumentedScan(benchmark::State& state) {
  const auto keywordCount = static_cast<std::size_t>(state.range(0));
  const Fixture& fixture = FixtureFor(keywordCount);
  const std::u16string_view slice =
      std::u16string_view(fixture.page).substr(0, DocumentedSliceLength(keywordCount));
  session::PageScanResult result;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    result =
        session::testing::DocumentedScan(fixture.lists.labels, fixture.lists.blockedTerms, slice);
    benchmark::DoNotOptimize(result.counts.data());
  }
  const double seconds = SecondsPerIteration(state, std::chrono::steady_clock::now() - start);
  const double pageSeconds = seconds * static_cast<double>(kPageLength) / slice.size();
  const session::KeywordScanner scanner(fixture.lists.labels, fixture.lists.blockedTerms);
  const session::PageScanResult product = scanner.ScanPage(slice);
  state.SetLabel("first " + std::to_string(slice.size()) + " units, scaled to 1 MiB");
  state.counters["ms_per_MiB"] = pageSeconds * 1e3;
  state.counters["same_result"] = product.counts == result.counts &&
                                  product.chosen == result.chosen &&
                                  product.blocked == result.blocked;
  if (productSeconds.count(keywordCount) == 1) {
    state.counters["x_product"] = pageSeconds / productSeconds[keywordCount];
  }
}

// The product's scans run first so that each documented run can report its
// ratio to the product's scan of the same list.
BENCHMARK(BM_BuildScanner)->Arg(70)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProductScan)->Arg(70)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProductScanOfPageNeedingConversion)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DocumentedScan)
    ->Arg(70)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
