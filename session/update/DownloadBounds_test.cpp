#include "session/update/DownloadBounds.h"

#include <gtest/gtest.h>

#include "platform/clock/Clock.h"
#include "session/update/UpdateLimits.h"

namespace session {
namespace {

constexpr ULONG kLimit = static_cast<ULONG>(kMaxInstallerBytes);

HRESULT Report(DownloadBounds& bounds, ULONG status, ULONG progress, ULONG progressMax) {
  return bounds.OnProgress(progress, progressMax, status, u"http://www.vimaru.com/setup.exe");
}

TEST(DownloadBounds, AnInstallerUpToTheLimitGoesOnAndOneByteMoreStops) {
  platform::VirtualClock clock;
  auto bounds = platform::Make<DownloadBounds>();
  EXPECT_EQ(Report(*bounds, BINDSTATUS_BEGINDOWNLOADDATA, 0, kLimit), S_OK);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_DOWNLOADINGDATA, kLimit, kLimit), S_OK);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_ENDDOWNLOADDATA, kLimit, kLimit), S_OK);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_DOWNLOADINGDATA, kLimit + 1, 0), E_ABORT)
      << "received past the limit, with no length announced";
}

TEST(DownloadBounds, ALengthAnnouncedPastTheLimitStopsItBeforeAnyBody) {
  platform::VirtualClock clock;
  auto bounds = platform::Make<DownloadBounds>();
  EXPECT_EQ(Report(*bounds, BINDSTATUS_BEGINDOWNLOADDATA, 0, kLimit + 1), E_ABORT);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_DOWNLOADINGDATA, 1, 0xFFFFFFFFu), E_ABORT)
      << "a length too large for the report saturates and still counts";
}

TEST(DownloadBounds, TheWholeDownloadEndsAtItsDeadlineOnTheProductsClock) {
  platform::VirtualClock clock(5000);
  auto bounds = platform::Make<DownloadBounds>();
  clock.Advance(kInstallerDownloadTimeMs - 1);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_DOWNLOADINGDATA, 100, 0), S_OK);
  clock.Advance(1);
  EXPECT_EQ(Report(*bounds, BINDSTATUS_DOWNLOADINGDATA, 101, 0), E_ABORT);
  auto later = platform::Make<DownloadBounds>();
  EXPECT_EQ(Report(*later, BINDSTATUS_DOWNLOADINGDATA, 101, 0), S_OK)
      << "each download has its own deadline";
}

}  // namespace
}  // namespace session
