#include "tools/refservice/HttpRequestReader.h"

#include <gtest/gtest.h>

namespace refservice {
namespace {

using State = HttpRequestReader::State;

struct ReaderCase {
  const char* name;
  std::string bytes;
  State state;
  std::string path;
  std::string body;
};

// Failure messages and test listings name the case instead of dumping its bytes.
void PrintTo(const ReaderCase& c, std::ostream* out) { *out << c.name; }

class HttpRequestReaderCases : public ::testing::TestWithParam<ReaderCase> {};

// Each case is fed whole and one byte at a time: a request split anywhere
// must read the same.
TEST_P(HttpRequestReaderCases, ReadsTheSameInAnySplit) {
  const ReaderCase& c = GetParam();
  for (const bool byteByByte : {false, true}) {
    HttpRequestReader reader;
    State state = State::kNeedMore;
    if (byteByByte) {
      for (const char b : c.bytes) {
        if ((state = reader.Feed(std::string_view(&b, 1))) != State::kNeedMore) break;
      }
    } else {
      state = reader.Feed(c.bytes);
    }
    ASSERT_EQ(state, c.state) << (byteByByte ? "byte by byte" : "whole");
    if (state != State::kComplete) continue;
    const HttpRequest request = reader.Take();
    EXPECT_EQ(request.path, c.path);
    EXPECT_EQ(request.body, c.body);
    EXPECT_EQ(request.raw, c.bytes);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Framing, HttpRequestReaderCases,
    ::testing::Values(
        ReaderCase{"ContentLength", "POST /a HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello",
                   State::kComplete, "/a", "hello"},
        ReaderCase{"NoBody", "GET /x?y=1 HTTP/1.1\r\nHost: h\r\n\r\n", State::kComplete, "/x", ""},
        ReaderCase{"Chunked",
                   "POST /c HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"
                   "3;ext=1\r\nabc\r\nA\r\n0123456789\r\n0\r\nX-Trailer: t\r\n\r\n",
                   State::kComplete, "/c", "abc0123456789"},
        ReaderCase{"ChunkedWinsOverLength",
                   "POST /c HTTP/1.1\r\nContent-Length: 99\r\nTransfer-Encoding: chunked\r\n\r\n"
                   "2\r\nok\r\n0\r\n\r\n",
                   State::kComplete, "/c", "ok"},
        ReaderCase{"BareLineFeeds", "GET /lf HTTP/1.1\nHost: h\n\n", State::kComplete, "/lf", ""},
        ReaderCase{"ObjectNameWithoutSlash", "GET autologin.aspx?sso=a HTTP/1.1\r\n\r\n",
                   State::kComplete, "/autologin.aspx", ""},
        ReaderCase{"AbsoluteForm", "GET http://h:81/p/q?z HTTP/1.1\r\n\r\n", State::kComplete,
                   "/p/q", ""},
        ReaderCase{"IncompleteBody", "POST /a HTTP/1.1\r\nContent-Length: 6\r\n\r\nhello",
                   State::kNeedMore, "", ""},
        ReaderCase{"IncompleteChunks",
                   "POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
                   State::kNeedMore, "", ""},
        ReaderCase{"NegativeLength", "POST /a HTTP/1.1\r\nContent-Length: -1\r\n\r\n",
                   State::kBadRequest, "", ""},
        ReaderCase{"ConflictingLengths",
                   "POST /a HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab",
                   State::kBadRequest, "", ""},
        ReaderCase{"UnknownCoding", "POST /a HTTP/1.1\r\nTransfer-Encoding: gzip\r\n\r\n",
                   State::kBadRequest, "", ""},
        ReaderCase{"BadChunkSize", "POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
                   State::kBadRequest, "", ""},
        ReaderCase{"ChunkWithoutCrLf",
                   "POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabX\r\n0\r\n\r\n",
                   State::kBadRequest, "", ""},
        ReaderCase{"HeaderWithoutColon", "GET / HTTP/1.1\r\nBroken\r\n\r\n", State::kBadRequest, "",
                   ""},
        ReaderCase{"NotHttp", "GET / SPDY/3\r\n\r\n", State::kBadRequest, "", ""},
        ReaderCase{"HugeLength", "POST /a HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\n",
                   State::kBodyTooLarge, "", ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(HttpRequestReader, PipelinedRequestsComeOutInOrder) {
  HttpRequestReader reader;
  ASSERT_EQ(
      reader.Feed("POST /1 HTTP/1.1\r\nContent-Length: 1\r\n\r\naGET /2 HTTP/1.1\r\n\r\nGET /3"),
      State::kComplete);
  EXPECT_EQ(reader.Take().body, "a");
  ASSERT_EQ(reader.state(), State::kComplete);
  EXPECT_EQ(reader.Take().path, "/2");
  EXPECT_EQ(reader.state(), State::kNeedMore);
  ASSERT_EQ(reader.Feed(" HTTP/1.1\r\n\r\n"), State::kComplete);
  EXPECT_EQ(reader.Take().path, "/3");
}

TEST(HttpRequestReader, HeadWithoutEndIsLimited) {
  HttpRequestReader reader;
  reader.Feed("GET / HTTP/1.1\r\n");
  const std::string filler = "X-Filler: " + std::string(1000, 'x') + "\r\n";
  State state = State::kNeedMore;
  for (int i = 0; i < 100 && state == State::kNeedMore; ++i) state = reader.Feed(filler);
  EXPECT_EQ(state, State::kHeadTooLarge);
}

TEST(HttpRequestReader, ExpectContinueIsOwedOnceWhileTheBodyIsMissing) {
  HttpRequestReader reader;
  reader.Feed("POST /a HTTP/1.1\r\nExpect: 100-continue\r\nContent-Length: 2\r\n\r\n");
  EXPECT_TRUE(reader.TakeContinueRequest());
  EXPECT_FALSE(reader.TakeContinueRequest());
  EXPECT_EQ(reader.Feed("ok"), State::kComplete);
}

TEST(HttpMessage, QueryIsSplitAndDecoded) {
  const auto pairs = ParseQuery("sso=a%2Bb+c&AutoLogin=1&flag&bad=%zz");
  ASSERT_EQ(pairs.size(), 4u);
  EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>("sso", "a+b c")));
  EXPECT_EQ(pairs[1].second, "1");
  EXPECT_EQ(pairs[2], (std::pair<std::string, std::string>("flag", "")));
  EXPECT_EQ(pairs[3].second, "%zz");
}

}  // namespace
}  // namespace refservice
