#include "tools/inspect/JsonWriter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tools {
namespace {

TEST(JsonWriter, EscapesWhatJsonRequires) {
  struct Case {
    std::string_view utf8;
    std::string_view escaped;
  };
  for (const Case& c : {Case{"plain", "plain"}, Case{"a\"b", "a\\\"b"}, Case{"C:\\x", "C:\\\\x"},
                        Case{"line\nnext\ttab\r", "line\\nnext\\ttab\\r"},
                        Case{std::string_view("\x01\x1f\x00", 3), "\\u0001\\u001f\\u0000"},
                        Case{"caf\xc3\xa9", "caf\xc3\xa9"}, Case{"/", "/"}}) {
    EXPECT_EQ(JsonWriter::Escape(c.utf8), c.escaped);
  }
}

TEST(JsonWriter, AnsiTextBecomesUtf8) {
  std::ostringstream out;
  JsonWriter json(out);
  json.BeginArray();
  json.AnsiString("Caf\xe9 \x80");  // Windows-1252: e acute, euro sign
  json.EndArray();
  EXPECT_EQ(out.str(), "[\n  \"Caf\xc3\xa9 \xe2\x82\xac\"\n]\n");
}

TEST(JsonWriter, NestsWithCommasAndIndentation) {
  std::ostringstream out;
  JsonWriter json(out);
  json.BeginObject();
  json.Key("a");
  json.Integer(-2);
  json.Key("b");
  json.BeginArray();
  json.EndArray();
  json.Key("c");
  json.BeginArray();
  json.Boolean(true);
  json.BeginObject();
  json.Key("d");
  json.Null();
  json.EndObject();
  json.EndArray();
  json.Key("e");
  json.Integer(4294967295);
  json.EndObject();
  EXPECT_EQ(out.str(),
            "{\n  \"a\": -2,\n  \"b\": [],\n  \"c\": [\n    true,\n    {\n      \"d\": null\n"
            "    }\n  ],\n  \"e\": 4294967295\n}\n");
}

TEST(JsonWriter, OneLineLayoutPutsEachDocumentOnItsOwnLine) {
  std::ostringstream out;
  JsonWriter json(out, JsonWriter::Layout::kOneLine);
  for (int line = 1; line <= 2; ++line) {
    json.BeginObject();
    json.Key("line");
    json.Integer(line);
    json.Key("text");
    json.Utf8String("a\nb");
    json.Key("list");
    json.BeginArray();
    json.Boolean(false);
    json.Null();
    json.EndArray();
    json.EndObject();
  }
  EXPECT_EQ(out.str(),
            "{\"line\":1,\"text\":\"a\\nb\",\"list\":[false,null]}\n"
            "{\"line\":2,\"text\":\"a\\nb\",\"list\":[false,null]}\n");
}

}  // namespace
}  // namespace tools
