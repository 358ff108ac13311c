// The one text format behind the data files: "key: value" lines, records
// separated by blank lines, "#" starting a comment line. Keys keep their
// order and may repeat, so a file can also be one record of many lines.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace refservice {

struct RecordField {
  std::string key;
  std::string value;
  int line = 0;
};

using Record = std::vector<RecordField>;

// Throws std::runtime_error("<source>:<line>: ...") on a line without ":".
std::vector<Record> ParseRecords(std::string_view text, std::string_view source);

// Lines with comments and blank lines removed, trimmed.
std::vector<std::string> ParseLines(std::string_view text);

}  // namespace refservice
