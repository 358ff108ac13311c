// What the ads path benchmarks share: pages that each mention another
// category as often as their length lets them, and the spread of what was
// measured.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline std::string AdsPathPage(int index) {
  static const char* const kKeywords[] = {"sedan",  "hotel",  "mortgage", "dividend", "fitness",
                                          "resume", "laptop", "puppy",    "football", "recipe"};
  std::string page = "<html><body><h1>Page " + std::to_string(index) + "</h1><p>";
  const int sentences = 5 + (index * 7) % 60;
  for (int sentence = 0; sentence < sentences; ++sentence) {
    page += "A line about the ";
    page += kKeywords[(index + sentence / 4) % 10];
    page += " of page " + std::to_string(index) + ", sentence " + std::to_string(sentence) + ". ";
  }
  return page + "</p></body></html>";
}

// The value below which `fraction` of `values` lie (0 the least, 1 the most).
inline double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

}  // namespace bench
