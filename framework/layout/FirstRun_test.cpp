#include "framework/layout/FirstRun.h"

#include <gtest/gtest.h>

#include "framework/layout/LayoutTestSupport.h"

namespace framework {
namespace {

using testing::Layout;
using testing::LayoutTest;

TEST(FirstRun, TrueExactlyOncePerKeyAndMarksNo) {
  platform::ScopedRegistryReset registry;
  EXPECT_TRUE(CheckFirstRun("Maker", "Bar"));
  EXPECT_FALSE(CheckFirstRun("Maker", "Bar"));
  EXPECT_TRUE(CheckFirstRun("Maker", "Other"));
  platform::RegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "Software\\Maker\\Bar"), ERROR_SUCCESS);
  std::string marker;
  ASSERT_EQ(key.QueryStringValue("FirstRun", marker), ERROR_SUCCESS);
  EXPECT_EQ(marker, "No");
}

TEST(FirstRun, OnlyANonEmptyStringMarkerCounts) {
  platform::ScopedRegistryReset registry;
  platform::RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Maker\\Bar"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue("FirstRun", 1), ERROR_SUCCESS);
  EXPECT_TRUE(CheckFirstRun("Maker", "Bar"));
  ASSERT_EQ(key.SetStringValue("FirstRun", ""), ERROR_SUCCESS);
  EXPECT_TRUE(CheckFirstRun("Maker", "Bar"));
  ASSERT_EQ(key.SetStringValue("FirstRun", "Yes"), ERROR_SUCCESS);
  EXPECT_FALSE(CheckFirstRun("Maker", "Bar"));
}

TEST(FirstRun, EmptyCompanyUsesTheNameDirectlyUnderSoftware) {
  platform::ScopedRegistryReset registry;
  EXPECT_TRUE(CheckFirstRun("", "Bar"));
  platform::RegistryKey key;
  EXPECT_EQ(key.Open(HKEY_CURRENT_USER, "Software\\Bar"), ERROR_SUCCESS);
}

TEST_F(LayoutTest, FirstRunPresentsTheToolbandOnceWithTheBandClassId) {
  ASSERT_NE(Build(Layout("<button/>", " name='Bar' company='Maker'")), nullptr);
  context_->SetBandClassIdText("{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_TRUE(context_->RunFirstRunCheck());
  EXPECT_EQ(context_->ToolBand()->PresentedBandClassIdText(),
            "{01234567-89AB-CDEF-0123-456789ABCDEF}");
  EXPECT_FALSE(context_->RunFirstRunCheck());
}

}  // namespace
}  // namespace framework
