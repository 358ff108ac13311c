#include "session/sidebar/ReferralValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace session {
namespace {

class ReferralValuesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(key_.Create(HKEY_LOCAL_MACHINE, kReferralKey), ERROR_SUCCESS); }

  void Store(const char* name, std::string_view bytes, DWORD type = REG_SZ) {
    ASSERT_EQ(key_.SetValue(name, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }

  platform::ScopedRegistryReset registry_;
  platform::RegistryKey key_;
};

TEST_F(ReferralValuesTest, ReadsBothValuesAsStored) {
  Store("ReferalId", "48213");
  Store("ReferalSubDomain", std::string_view("bob\0", 4));
  const ReferralValues values = ReadReferralValues();
  EXPECT_EQ(values.referalId, "48213");
  EXPECT_EQ(values.referalSubDomain, "bob") << "a terminator the writer counted is not text";
}

TEST_F(ReferralValuesTest, EachValueIsAbsentUntilStored) {
  ReferralValues values = ReadReferralValues();
  EXPECT_EQ(values.referalId, std::nullopt);
  EXPECT_EQ(values.referalSubDomain, std::nullopt);
  Store("ReferalSubDomain", "");
  values = ReadReferralValues();
  EXPECT_EQ(values.referalId, std::nullopt);
  EXPECT_EQ(values.referalSubDomain, "") << "stored empty is not absent";
}

TEST_F(ReferralValuesTest, AMissingOrUnopenableKeyReadsAsAbsent) {
  Store("ReferalId", "48213");
  platform::DenyRegistryOpen(HKEY_LOCAL_MACHINE, kReferralKey);
  EXPECT_EQ(ReadReferralValues().referalId, std::nullopt);
  platform::ClearRegistryDenials();
  EXPECT_EQ(ReadReferralValues().referalId, "48213");
  ASSERT_EQ(platform::DeleteRegistryTree(HKEY_LOCAL_MACHINE, kReferralKey), ERROR_SUCCESS);
  EXPECT_EQ(ReadReferralValues().referalId, std::nullopt);
}

TEST_F(ReferralValuesTest, AValueLongerThanItsBufferReadsAsAbsent) {
  Store("ReferalId", std::string(1023, '7'));
  Store("ReferalSubDomain", std::string(1022, 'b') + '\0');
  ReferralValues values = ReadReferralValues();
  EXPECT_EQ(values.referalId, std::string(1023, '7')) << "1023 bytes without a terminator fit";
  EXPECT_EQ(values.referalSubDomain, std::string(1022, 'b'));

  Store("ReferalId", std::string(1024, '7'));
  Store("ReferalSubDomain", std::string(1023, 'b') + '\0');
  values = ReadReferralValues();
  EXPECT_EQ(values.referalId, std::nullopt);
  EXPECT_EQ(values.referalSubDomain, std::nullopt) << "1023 bytes and a terminator do not fit";
}

TEST_F(ReferralValuesTest, TheTextEndsAtItsFirstNul) {
  Store("ReferalId", std::string_view("12\0"
                                      "34",
                                      5));
  EXPECT_EQ(ReadReferralValues().referalId, "12");
}

TEST_F(ReferralValuesTest, KeepsAnsiBytesAsTheyAre) {
  Store("ReferalId", "\x80\xe9");
  EXPECT_EQ(ReadReferralValues().referalId, "\x80\xe9");
}

TEST_F(ReferralValuesTest, OnlyPlainStringsCount) {
  const std::uint8_t dword[4] = {'4', '8', '2', '1'};
  ASSERT_EQ(key_.SetValue("ReferalId", REG_DWORD, dword, sizeof(dword)), ERROR_SUCCESS);
  Store("ReferalSubDomain", "bob", REG_BINARY);
  ReferralValues values = ReadReferralValues();
  EXPECT_EQ(values.referalId, std::nullopt);
  EXPECT_EQ(values.referalSubDomain, std::nullopt);
  Store("ReferalId", "48213", REG_EXPAND_SZ);
  EXPECT_EQ(ReadReferralValues().referalId, std::nullopt) << "not expanded, so not read either";
}

}  // namespace
}  // namespace session
