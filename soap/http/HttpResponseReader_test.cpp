#include "soap/http/HttpResponseReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace soap {
namespace {

// Hands out a response in pieces of a fixed size, so every split point is
// exercised; then ends in order, or fails when `failAtEnd`.
class SplitSource : public HttpByteSource {
 public:
  SplitSource(std::string data, std::size_t pieceSize, bool failAtEnd = false)
      : data_(std::move(data)), pieceSize_(pieceSize), failAtEnd_(failAtEnd) {}
  std::ptrdiff_t ReadSome(std::span<char> buffer) override {
    if (at_ == data_.size()) return failAtEnd_ ? -1 : 0;
    std::size_t size = std::min({pieceSize_, buffer.size(), data_.size() - at_});
    std::memcpy(buffer.data(), data_.data() + at_, size);
    at_ += size;
    return static_cast<std::ptrdiff_t>(size);
  }

 private:
  std::string data_;
  std::size_t pieceSize_;
  bool failAtEnd_;
  std::size_t at_ = 0;
};

// A head followed by `fillCount` bytes of 'a' generated as they are read,
// then `tail`: for bodies too large to write out.
class GeneratedSource : public HttpByteSource {
 public:
  GeneratedSource(std::string head, std::uint64_t fillCount, std::string tail)
      : head_(std::move(head)), fillCount_(fillCount), tail_(std::move(tail)) {}
  std::ptrdiff_t ReadSome(std::span<char> buffer) override {
    if (headAt_ < head_.size()) return Copy(buffer, head_, headAt_);
    if (fillCount_ > 0) {
      std::size_t size =
          static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), fillCount_));
      std::memset(buffer.data(), 'a', size);
      fillCount_ -= size;
      return static_cast<std::ptrdiff_t>(size);
    }
    return tailAt_ < tail_.size() ? Copy(buffer, tail_, tailAt_) : 0;
  }

 private:
  static std::ptrdiff_t Copy(std::span<char> buffer, const std::string& from, std::size_t& at) {
    std::size_t size = std::min(buffer.size(), from.size() - at);
    std::memcpy(buffer.data(), from.data() + at, size);
    at += size;
    return static_cast<std::ptrdiff_t>(size);
  }
  std::string head_;
  std::uint64_t fillCount_;
  std::string tail_;
  std::size_t headAt_ = 0;
  std::size_t tailAt_ = 0;
};

struct BodyResult {
  std::string body;
  std::ptrdiff_t last = 0;  // the final ReadBody result: 0 proper end, < 0 failure
};

BodyResult ReadWholeBody(HttpResponseReader& reader, std::size_t readSize) {
  BodyResult result;
  std::string buffer(readSize, '\0');
  for (;;) {
    std::ptrdiff_t read = reader.ReadBody(std::span<char>(buffer.data(), buffer.size()));
    if (read <= 0) {
      result.last = read;
      return result;
    }
    result.body.append(buffer.data(), static_cast<std::size_t>(read));
  }
}

const std::string kSixtyFour = std::string(64, 'x');

struct GoodCase {
  const char* name;
  std::string response;
  int status;
  std::string body;
  bool willClose;
};

TEST(HttpResponseReader, DecodesBodiesAtEverySplit) {
  const GoodCase cases[] = {
      {"content length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", 200, "hello", false},
      {"chunked with extensions and trailers",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nTrailer: X-Sum\r\n\r\n"
       "5;name=value\r\nhello\r\n40 \r\n" +
           kSixtyFour + "\r\n0\r\nX-Sum: 1\r\nX-Other: 2\r\n\r\n",
       200, "hello" + kSixtyFour, false},
      {"chunked wins over content length",
       "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nTransfer-Encoding: "
       "Chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
       200, "hello", false},
      {"interim answers skipped",
       "HTTP/1.1 100 Continue\r\nX-Interim: 1\r\n\r\nHTTP/1.1 102 Processing\r\n\r\n"
       "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 2\r\n\r\nok",
       500, "ok", false},
      {"body to close", "HTTP/1.1 200 OK\r\nConnection: keep-alive\r\n\r\nuntil the end", 200,
       "until the end", true},
      {"connection close",
       "HTTP/1.1 200 OK\r\nConnection: Keep-Alive, CLOSE\r\nContent-Length: 1\r\n\r\n1", 200, "1",
       true},
      {"http 1.0 closes", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\n1", 200, "1", true},
      {"no content", "HTTP/1.1 204 No Content\r\nContent-Length: 9\r\n\r\n", 204, "", false},
      {"bare line feeds", "HTTP/1.1 404 Not Found\nContent-Length: 2\n\nno", 404, "no", false},
      {"status without reason", "HTTP/1.1 200\r\nContent-Length: 0\r\n\r\n", 200, "", false},
      {"folded header", "HTTP/1.1 200 OK\r\nX-Long: a\r\n  b\r\nContent-Length: 1\r\n\r\n1", 200,
       "1", false},
  };
  for (const GoodCase& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
      for (std::size_t readSize : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
        SplitSource source(c.response, piece);
        HttpResponseReader reader(source);
        SCOPED_TRACE(testing::Message()
                     << c.name << ", pieces " << piece << ", reads " << readSize);
        ASSERT_TRUE(reader.ReadHead()) << HttpFailureName(reader.Failure());
        EXPECT_EQ(reader.Status(), c.status);
        EXPECT_EQ(reader.ConnectionWillClose(), c.willClose);
        BodyResult result = ReadWholeBody(reader, readSize);
        EXPECT_EQ(result.last, 0) << HttpFailureName(reader.Failure());
        EXPECT_EQ(result.body, c.body);
        EXPECT_TRUE(reader.BodyComplete());
      }
    }
  }
}

TEST(HttpResponseReader, KeepsHeadersByNameWithoutCase) {
  SplitSource source(
      "HTTP/1.1 302 Found\r\nLOCATION: /x\r\nSet-Cookie: a=1\r\nset-cookie: b=2\r\n"
      "Content-Length: 0\r\n\r\n",
      5);
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  EXPECT_EQ(reader.Headers().Find("location"), "/x");
  EXPECT_EQ(reader.Headers().Find("Set-Cookie"), "a=1, b=2");
  EXPECT_FALSE(reader.Headers().Find("Www-Authenticate"));
}

TEST(HttpResponseReader, LeavesNextResponseBuffered) {
  SplitSource source(
      "HTTP/1.1 301 Moved\r\nContent-Length: 3\r\n\r\nabcHTTP/1.1 200 OK\r\nContent-Length: "
      "2\r\n\r\nok",
      4096);
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  ASSERT_TRUE(reader.DiscardBody());
  ASSERT_TRUE(reader.ReadHead());
  EXPECT_EQ(reader.Status(), 200);
  EXPECT_EQ(ReadWholeBody(reader, 100).body, "ok");
}

struct HeadFailureCase {
  const char* name;
  std::string response;
  HttpFailure failure;
  int status;  // still readable after the failure
};

std::string ManyHeaders(std::size_t count) {
  std::string headers;
  for (std::size_t i = 0; i < count; ++i) headers += "X-H" + std::to_string(i) + ": v\r\n";
  return headers;
}

std::string ManyInterims(int count) {
  std::string interims;
  for (int i = 0; i < count; ++i) interims += "HTTP/1.1 100 Continue\r\n\r\n";
  return interims;
}

TEST(HttpResponseReader, RejectsBadHeads) {
  const HeadFailureCase cases[] = {
      {"empty", "", HttpFailure::kPrematureClose, kInvalidStatus},
      {"closed in headers", "HTTP/1.1 200 OK\r\nContent-Le", HttpFailure::kPrematureClose, 200},
      {"not http", "ICY 200 OK\r\n\r\n", HttpFailure::kMalformedStatusLine, kInvalidStatus},
      {"status not digits", "HTTP/1.1 2x0 OK\r\n\r\n", HttpFailure::kMalformedStatusLine,
       kInvalidStatus},
      {"status too large", "HTTP/1.1 999 What\r\n\r\n", HttpFailure::kMalformedStatusLine,
       kInvalidStatus},
      {"status glued to reason", "HTTP/1.1 200OK\r\n\r\n", HttpFailure::kMalformedStatusLine,
       kInvalidStatus},
      {"status line too long",
       "HTTP/1.1 200 " + std::string(kMaxStatusLineLength, 'r') + "\r\n\r\n",
       HttpFailure::kLimitExceeded, kInvalidStatus},
      {"endless status line", "HTTP/1.1 200 " + std::string(100000, 'r'),
       HttpFailure::kLimitExceeded, kInvalidStatus},
      {"header line too long",
       "HTTP/1.1 200 OK\r\nX: " + std::string(kMaxHeaderLineLength, 'v') + "\r\n\r\n",
       HttpFailure::kLimitExceeded, 200},
      {"too many headers", "HTTP/1.1 200 OK\r\n" + ManyHeaders(kMaxHeaderCount + 1) + "\r\n",
       HttpFailure::kLimitExceeded, 200},
      {"endless interim answers",
       ManyInterims(kMaxInterimResponses + 1) + "HTTP/1.1 200 OK\r\n\r\n",
       HttpFailure::kLimitExceeded, 100},
      {"header without colon", "HTTP/1.1 200 OK\r\nNoColon\r\n\r\n", HttpFailure::kMalformedHeader,
       200},
      {"space before colon", "HTTP/1.1 200 OK\r\nContent-Length : 1\r\n\r\n1",
       HttpFailure::kMalformedHeader, 200},
      {"fold without header", "HTTP/1.1 200 OK\r\n folded\r\n\r\n", HttpFailure::kMalformedHeader,
       200},
      {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n",
       HttpFailure::kBadContentLength, 200},
      {"signed length", "HTTP/1.1 200 OK\r\nContent-Length: +1\r\n\r\nx",
       HttpFailure::kBadContentLength, 200},
      {"garbage length", "HTTP/1.1 500 Error\r\nContent-Length: 12abc\r\n\r\n",
       HttpFailure::kBadContentLength, 500},
      {"empty length", "HTTP/1.1 200 OK\r\nContent-Length:\r\n\r\n", HttpFailure::kBadContentLength,
       200},
      {"two lengths", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 1\r\n\r\n1",
       HttpFailure::kBadContentLength, 200},
      {"length beyond 64 bits",
       "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n",
       HttpFailure::kBadContentLength, 200},
      {"length over the body limit", "HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\n",
       HttpFailure::kLimitExceeded, 200},
      {"compressed", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n",
       HttpFailure::kUnsupportedEncoding, 200},
      {"chunked twice", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked, chunked\r\n\r\n",
       HttpFailure::kUnsupportedEncoding, 200},
  };
  for (const HeadFailureCase& c : cases) {
    SplitSource source(c.response, 2);
    HttpResponseReader reader(source);
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(reader.ReadHead());
    EXPECT_EQ(reader.Failure(), c.failure) << HttpFailureName(reader.Failure());
    EXPECT_EQ(reader.Status(), c.status);
    char buffer[16];
    EXPECT_LT(reader.ReadBody(buffer), 0);
  }
}

struct BodyFailureCase {
  const char* name;
  std::string response;
  HttpFailure failure;
};

TEST(HttpResponseReader, FailsBadBodiesInsteadOfTruncating) {
  const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  const BodyFailureCase cases[] = {
      {"shorter than length", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nhello",
       HttpFailure::kPrematureClose},
      {"chunk size not hex", chunked + "zz\r\nhello\r\n0\r\n\r\n", HttpFailure::kBadChunk},
      {"chunk size empty", chunked + "\r\n", HttpFailure::kBadChunk},
      {"chunk size with junk", chunked + "5 x\r\nhello\r\n0\r\n\r\n", HttpFailure::kBadChunk},
      {"negative chunk size", chunked + "-5\r\nhello\r\n0\r\n\r\n", HttpFailure::kBadChunk},
      {"chunk size overflows", chunked + "FFFFFFFFFFFFFFFFFFFFFFFF\r\n",
       HttpFailure::kLimitExceeded},
      {"chunk not ended by CR LF", chunked + "5\r\nhelloXY\r\n0\r\n\r\n", HttpFailure::kBadChunk},
      {"closed in chunk", chunked + "5\r\nhel", HttpFailure::kPrematureClose},
      {"no zero chunk", chunked + "5\r\nhello\r\n", HttpFailure::kPrematureClose},
      {"no end of trailers", chunked + "5\r\nhello\r\n0\r\nX: 1\r\n", HttpFailure::kPrematureClose},
      {"too many trailers", chunked + "0\r\n" + ManyHeaders(kMaxHeaderCount + 1) + "\r\n",
       HttpFailure::kLimitExceeded},
      {"chunk size line too long",
       chunked + "5;" + std::string(kMaxHeaderLineLength, 'e') + "\r\nhello\r\n0\r\n\r\n",
       HttpFailure::kLimitExceeded},
  };
  for (const BodyFailureCase& c : cases) {
    SplitSource source(c.response, 3);
    HttpResponseReader reader(source);
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(reader.ReadHead());
    BodyResult result = ReadWholeBody(reader, 4096);
    EXPECT_LT(result.last, 0);
    EXPECT_EQ(reader.Failure(), c.failure) << HttpFailureName(reader.Failure());
    char buffer[16];
    EXPECT_LT(reader.ReadBody(buffer), 0) << "a failed body stays failed";
  }
}

TEST(HttpResponseReader, ReceiveFailureFailsTheBody) {
  SplitSource source("HTTP/1.1 200 OK\r\n\r\npartial", 4096, /*failAtEnd=*/true);
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  EXPECT_LT(ReadWholeBody(reader, 4096).last, 0);
  EXPECT_EQ(reader.Failure(), HttpFailure::kReceiveFailed);
}

TEST(HttpResponseReader, BodyToCloseStopsAtTheBodyLimit) {
  GeneratedSource source("HTTP/1.1 200 OK\r\n\r\n", kMaxBodyBytes + 1, "");
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  BodyResult result = ReadWholeBody(reader, 65536);
  EXPECT_LT(result.last, 0);
  EXPECT_EQ(reader.Failure(), HttpFailure::kLimitExceeded);
}

TEST(HttpResponseReader, BodyToCloseAtExactlyTheLimitSucceeds) {
  GeneratedSource source("HTTP/1.1 200 OK\r\n\r\n", kMaxBodyBytes, "");
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  std::string buffer(65536, '\0');
  std::uint64_t total = 0;
  std::ptrdiff_t read;
  while ((read = reader.ReadBody(std::span<char>(buffer.data(), buffer.size()))) > 0) total += read;
  EXPECT_EQ(read, 0);
  EXPECT_EQ(total, kMaxBodyBytes);
}

TEST(HttpResponseReader, ChunksAddingUpPastTheLimitFail) {
  std::uint64_t first = kMaxBodyBytes - 1;
  char sizeLine[32];
  std::snprintf(sizeLine, sizeof sizeLine, "%llX\r\n", static_cast<unsigned long long>(first));
  GeneratedSource source(
      std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n") + sizeLine, first,
      "\r\n2\r\nab\r\n0\r\n\r\n");
  HttpResponseReader reader(source);
  ASSERT_TRUE(reader.ReadHead());
  std::string buffer(65536, '\0');
  std::ptrdiff_t read;
  while ((read = reader.ReadBody(std::span<char>(buffer.data(), buffer.size()))) > 0) {
  }
  EXPECT_LT(read, 0);
  EXPECT_EQ(reader.Failure(), HttpFailure::kLimitExceeded);
}

}  // namespace
}  // namespace soap
