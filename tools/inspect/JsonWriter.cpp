#include "tools/inspect/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/text/CodePage.h"

namespace tools {

std::string JsonWriter::Escape(std::string_view utf8) {
  std::string escaped;
  escaped.reserve(utf8.size());
  for (char c : utf8) {
    switch (c) {
      case '"':
        escaped += "\\\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\b':
        escaped += "\\b";
        break;
      case '\f':
        escaped += "\\f";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char code[8];
          std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
          escaped += code;
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

void JsonWriter::BeginObject() { Open('{'); }
void JsonWriter::EndObject() { Close('}'); }
void JsonWriter::BeginArray() { Open('['); }
void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  out_ << '"' << Escape(name) << (layout_ == Layout::kIndented ? "\": " : "\":");
  afterKey_ = true;
}

void JsonWriter::Utf8String(std::string_view utf8) {
  BeforeValue();
  out_ << '"' << Escape(utf8) << '"';
}

void JsonWriter::AnsiString(std::string_view ansi) {
  Utf8String(platform::WideToUtf8(platform::AnsiToWide(ansi)));
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ << value;
}

void JsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    out_ << "null";
    return;
  }
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, value);
  out_ << std::string_view(text, written.ptr);
}

void JsonWriter::Boolean(bool value) {
  BeforeValue();
  out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
  BeforeValue();
  out_ << "null";
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  if (!levels_.back().empty) out_ << ',';
  levels_.back().empty = false;
  NewLine();
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ << bracket;
  levels_.push_back({});
}

void JsonWriter::Close(char bracket) {
  const bool wasEmpty = levels_.back().empty;
  levels_.pop_back();
  if (!wasEmpty) NewLine();
  out_ << bracket;
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::NewLine() {
  if (layout_ == Layout::kIndented) out_ << '\n' << std::string(levels_.size() * 2, ' ');
}

}  // namespace tools
