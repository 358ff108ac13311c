#include "tools/refservice/RecordFile.h"

#include <stdexcept>

namespace refservice {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

template <typename LineHandler>
void ForEachLine(std::string_view text, LineHandler handle) {
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    ++number;
    handle(Trim(text.substr(0, end)), number);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

std::vector<Record> ParseRecords(std::string_view text, std::string_view source) {
  std::vector<Record> records;
  Record current;
  ForEachLine(text, [&](std::string_view line, int number) {
    if (line.empty()) {
      if (!current.empty()) records.push_back(std::move(current));
      current.clear();
      return;
    }
    if (line.front() == '#') return;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      throw std::runtime_error(std::string(source) + ":" + std::to_string(number) +
                               ": expected \"key: value\"");
    }
    current.push_back({std::string(Trim(line.substr(0, colon))),
                       std::string(Trim(line.substr(colon + 1))), number});
  });
  if (!current.empty()) records.push_back(std::move(current));
  return records;
}

std::vector<std::string> ParseLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line, int) {
    if (!line.empty() && line.front() != '#') lines.emplace_back(line);
  });
  return lines;
}

}  // namespace refservice
