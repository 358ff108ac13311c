#include "platform/net/WakeEvent.h"

#include <gtest/gtest.h>
#include <poll.h>

namespace platform::net {
namespace {

bool IsReadable(const WakeEvent& event) {
  pollfd entry{event.Descriptor(), POLLIN, 0};
  return ::poll(&entry, 1, 0) == 1 && (entry.revents & POLLIN) != 0;
}

TEST(WakeEvent, StaysReadableFromTheFirstSignalUntilDrained) {
  WakeEvent event;
  ASSERT_TRUE(event.IsValid());
  EXPECT_FALSE(IsReadable(event));
  event.Signal();
  event.Signal();
  EXPECT_TRUE(IsReadable(event));
  EXPECT_TRUE(IsReadable(event)) << "looking does not consume the signal";
  event.Drain();
  EXPECT_FALSE(IsReadable(event)) << "one drain takes every signal";
  event.Drain();
  EXPECT_FALSE(IsReadable(event));
}

}  // namespace
}  // namespace platform::net
