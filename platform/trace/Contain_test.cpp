#include "platform/trace/Contain.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr int kNeutral = -1;
constexpr int kOutOfMemory = -2;

class ContainTest : public ::testing::Test {
 protected:
  std::vector<std::string> lines_;
  ScopedTraceCapture capture_{[this](std::string_view line) { lines_.emplace_back(line); }};
};

TEST_F(ContainTest, PassesTheBodysResultThroughWithoutALine) {
  EXPECT_EQ(Contain("Widget::Measure", kNeutral, [] { return 42; }), 42);
  EXPECT_TRUE(lines_.empty());
}

TEST_F(ContainTest, AnyExceptionBecomesTheNeutralResultAndOneLine) {
  EXPECT_EQ(
      Contain("Widget::Measure", kNeutral, []() -> int { throw std::runtime_error("refused"); }),
      kNeutral);
  // Not derived from std::exception: still contained.
  EXPECT_EQ(Contain("Widget::Paint", kNeutral, []() -> int { throw 7; }), kNeutral);
  EXPECT_EQ(lines_,
            (std::vector<std::string>{"Widget::Measure exception", "Widget::Paint exception"}));
}

TEST_F(ContainTest, OutOfMemoryHasItsOwnResultOnlyWhenOneIsGiven) {
  EXPECT_EQ(
      Contain("Widget::Grow", kNeutral, kOutOfMemory, []() -> int { throw std::bad_alloc(); }),
      kOutOfMemory);
  EXPECT_EQ(Contain("Widget::Grow", kNeutral, kOutOfMemory,
                    []() -> int { throw std::length_error("too long"); }),
            kNeutral)
      << "only std::bad_alloc itself counts as running out of memory";
  EXPECT_EQ(Contain("Widget::Grow", kNeutral, []() -> int { throw std::bad_alloc(); }), kNeutral);
  EXPECT_EQ(lines_, std::vector<std::string>(3, "Widget::Grow exception"));
}

TEST_F(ContainTest, TracedOperationsAreBracketedLikeATraceScope) {
  EXPECT_EQ(ContainTraced("Band::Show", std::string("hidden"), [] { return std::string("shown"); }),
            "shown");
  EXPECT_EQ(ContainTraced("Band::Close", std::string("closed"),
                          []() -> std::string { throw std::runtime_error("stuck"); }),
            "closed");
  EXPECT_EQ(lines_, (std::vector<std::string>{"Band::Show begin", "Band::Show end",
                                              "Band::Close begin", "Band::Close exception"}));
}

TEST_F(ContainTest, AnInnerContainmentKeepsTheOuterOperationGoing) {
  const int result = ContainTraced("Outer::Run", kNeutral, [] {
    const int inner = ContainTraced("Inner::Run", kNeutral, []() -> int {
      TraceScope nested("Inner::Step");
      throw std::runtime_error("deep");
    });
    return inner * 10;
  });
  EXPECT_EQ(result, kNeutral * 10);
  EXPECT_EQ(lines_, (std::vector<std::string>{"Outer::Run begin", "Inner::Run begin",
                                              "Inner::Step begin", "Inner::Step exception",
                                              "Inner::Run exception", "Outer::Run end"}));
}

TEST_F(ContainTest, AnExceptionFromDeepInsideTheBodyIsContainedAtTheBoundary) {
  const auto deepest = []() -> int {
    TraceScope scope("Parser::Field");
    throw std::out_of_range("index");
  };
  const auto middle = [&] {
    TraceScope scope("Parser::Record");
    return deepest() + 1;
  };
  EXPECT_EQ(ContainTraced("Parser::Parse", kNeutral, middle), kNeutral);
  EXPECT_EQ(lines_,
            (std::vector<std::string>{"Parser::Parse begin", "Parser::Record begin",
                                      "Parser::Field begin", "Parser::Field exception",
                                      "Parser::Record exception", "Parser::Parse exception"}));
}

TEST_F(ContainTest, RollbackRunsOnlyAfterAnExceptionAndInsideTheOperation) {
  int rollbacks = 0;
  const auto rollback = [&] {
    ++rollbacks;
    Trace("rolled back");
  };
  EXPECT_EQ(ContainTraced(
                "Site::Attach", kNeutral, [] { return 1; }, rollback),
            1);
  EXPECT_EQ(rollbacks, 0);
  EXPECT_EQ(ContainTraced(
                "Site::Attach", kNeutral, []() -> int { throw std::runtime_error("x"); }, rollback),
            kNeutral);
  EXPECT_EQ(rollbacks, 1);
  EXPECT_EQ(lines_, (std::vector<std::string>{"Site::Attach begin", "Site::Attach end",
                                              "Site::Attach begin", "rolled back",
                                              "Site::Attach exception"}));
}

TEST_F(ContainTest, ARollbackThatThrowsIsContainedToo) {
  EXPECT_EQ(ContainTraced(
                "Site::Attach", kNeutral, []() -> int { throw std::runtime_error("first"); },
                [] { throw std::runtime_error("second"); }),
            kNeutral);
  EXPECT_EQ(lines_.back(), "Site::Attach exception");
}

TEST(Contain, ACaptureThatThrowsNeverEscapesTheBoundary) {
  int bodies = 0;
  ScopedTraceCapture capture([](std::string_view) { throw std::runtime_error("full"); });
  EXPECT_EQ(ContainTraced("Band::Show", kNeutral, [&] { return ++bodies; }), 1);
  EXPECT_EQ(ContainTraced("Band::Show", kNeutral, [&]() -> int { throw std::bad_alloc(); }),
            kNeutral);
  EXPECT_EQ(bodies, 1) << "a refused begin line must not keep the body from running";
}

}  // namespace
}  // namespace platform
