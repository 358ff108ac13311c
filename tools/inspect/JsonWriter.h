// A small streaming JSON writer for the inspection tool's output: it places
// commas and indentation, and escapes strings correctly. Product strings are
// ANSI (Windows-1252); AnsiString converts them to UTF-8 first, so accented
// captions come out as the characters they are.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace tools {

class JsonWriter {
 public:
  // Indented for people; one line per document where each line is a record
  // (JSON Lines), with the line break after the outermost bracket.
  enum class Layout { kIndented, kOneLine };

  explicit JsonWriter(std::ostream& out, Layout layout = Layout::kIndented)
      : out_(out), layout_(layout) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // The next value belongs to this member of the current object.
  void Key(std::string_view name);

  void Utf8String(std::string_view utf8);
  void AnsiString(std::string_view ansi);
  void Integer(std::int64_t value);
  // The shortest text that reads back as the same double; JSON has no
  // infinities or NaN, so those are written as null.
  void Number(double value);
  void Boolean(bool value);
  void Null();

  // Escapes UTF-8 text as the body of a JSON string (without the quotes).
  static std::string Escape(std::string_view utf8);

 private:
  struct Level {
    bool empty = true;
  };
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine();

  std::ostream& out_;
  Layout layout_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace tools
