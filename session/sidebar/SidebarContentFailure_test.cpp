// Running out of memory at every allocation the sidebar's builders make:
// each must give its neutral result and its trace line, and leak nothing
// (the asan preset checks that). This test program's global allocation
// functions are replaced so that a test can make the Nth allocation of its
// own thread from now throw std::bad_alloc; unarmed, they are malloc and
// free.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/trace/Trace.h"
#include "session/sidebar/ReferralValues.h"
#include "session/sidebar/SidebarContent.h"

namespace {

// Allocations to let through before the one that fails; -1 when unarmed.
thread_local long allocationsBeforeFailure = -1;

void* Allocate(std::size_t size) {
  if (allocationsBeforeFailure >= 0 && allocationsBeforeFailure-- == 0) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateOrNull(size);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace session {
namespace {

// Runs `body` with its allocation number `failing` (from 0) failing;
// answers whether that allocation was reached.
template <class Body>
bool RunWithFailingAllocation(long failing, Body&& body) {
  allocationsBeforeFailure = failing;
  body();
  const bool reached = allocationsBeforeFailure < 0;
  allocationsBeforeFailure = -1;
  return reached;
}

class OutOfMemoryTest : public ::testing::Test {
 protected:
  std::vector<std::string> lines_;
  platform::ScopedTraceCapture capture_{
      [this](std::string_view line) { lines_.emplace_back(line); }};
};

soap::ResultArray<soap::AdEntry> TwoAds() {
  soap::ResultArray<soap::AdEntry> ads(2);
  ads.Append({u"A title long enough to need the heap", u"www.shop.example/with/a/long/path",
              u"A description long enough to need the heap", u"http://click.example/c?ad=1"});
  ads.Append({u"<b>Second</b>", u"www.two.example", u"Two", u"javascript:alert(1)"});
  return ads;
}

TEST_F(OutOfMemoryTest, EveryFailingAllocationGivesAnEmptyFragmentAndOneLine) {
  const auto ads = TwoAds();
  const ReferralValues referral{"48213", std::nullopt};
  const std::u16string whole = BuildSidebarContent(ads, 2, false, referral);
  ASSERT_FALSE(whole.empty());
  ASSERT_TRUE(lines_.empty());

  long failing = 0;
  for (;; ++failing) {
    std::u16string fragment;
    const bool reached = RunWithFailingAllocation(
        failing, [&] { fragment = BuildSidebarContent(ads, 2, false, referral); });
    if (!reached) {
      EXPECT_EQ(fragment, whole) << "with every allocation let through";
      EXPECT_TRUE(lines_.empty());
      break;
    }
    EXPECT_TRUE(fragment.empty()) << "allocation " << failing;
    EXPECT_EQ(lines_, std::vector<std::string>{"QXThread::SetSidebarContent Exception"})
        << "allocation " << failing;
    lines_.clear();
  }
  EXPECT_GT(failing, 10) << "the builder's allocations were all tried";
}

TEST_F(OutOfMemoryTest, EveryFailingAllocationOfTheRegistryReadGivesAbsentValues) {
  platform::ScopedRegistryReset registry;
  {
    platform::RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, kReferralKey), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("ReferalId", "48213"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("ReferalSubDomain", "a-sub-domain-long-enough-for-the-heap"),
              ERROR_SUCCESS);
  }
  for (long failing = 0;; ++failing) {
    ReferralValues values{"stale", "stale"};
    const bool reached = RunWithFailingAllocation(failing, [&] { values = ReadReferralValues(); });
    if (!reached) {
      EXPECT_EQ(values.referalId, "48213");
      EXPECT_EQ(values.referalSubDomain, "a-sub-domain-long-enough-for-the-heap");
      EXPECT_TRUE(lines_.empty());
      EXPECT_GT(failing, 2);
      break;
    }
    EXPECT_EQ(values.referalId, std::nullopt) << "allocation " << failing;
    EXPECT_EQ(values.referalSubDomain, std::nullopt) << "allocation " << failing;
    EXPECT_EQ(lines_, std::vector<std::string>{"QXThread::ReadReferralValues exception"})
        << "allocation " << failing;
    lines_.clear();
  }
}

}  // namespace
}  // namespace session
