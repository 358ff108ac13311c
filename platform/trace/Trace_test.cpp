#include "platform/trace/Trace.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

TEST(TraceScope, WritesBeginAndEndOrException) {
  std::vector<std::string> lines;
  ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
  { TraceScope scope("GlobalSinglton::Instance"); }
  try {
    TraceScope scope("ContextC::OnQuit");
    throw std::runtime_error("boom");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "GlobalSinglton::Instance begin", "GlobalSinglton::Instance end",
                       "ContextC::OnQuit begin", "ContextC::OnQuit exception"}));
}

TEST(Trace, RecordsNothingWithoutCapture) {
  std::vector<std::string> lines;
  {
    ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
  }
  Trace("CmyIESideBar::HasFocusIO S_OK");
  EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace platform
