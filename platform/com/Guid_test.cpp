#include "platform/com/Guid.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace platform {
namespace {

constexpr GUID kBand = MakeGuid("{736FA7B4-0557-11DB-95BA-00C09F713765}");
static_assert(kBand.Data1 == 0x736FA7B4 && kBand.Data2 == 0x0557 && kBand.Data3 == 0x11DB);
static_assert(kBand.Data4[0] == 0x95 && kBand.Data4[7] == 0x65);
static_assert(MakeGuid("736fa7b4-0557-11db-95ba-00c09f713765") == kBand);

TEST(Guid, FormatWritesUpperCaseBracedText) {
  EXPECT_EQ(FormatGuid(kBand), "{736FA7B4-0557-11DB-95BA-00C09F713765}");
  EXPECT_EQ(FormatGuid(GUID_NULL), "{00000000-0000-0000-0000-000000000000}");
  EXPECT_EQ(FormatGuid(MakeGuid("ffffffff-ffff-ffff-ffff-ffffffffffff")),
            "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}");
}

TEST(Guid, ParseAcceptsEitherCaseAndRoundTrips) {
  const char* texts[] = {"{736FA7B4-0557-11DB-95BA-00C09F713765}",
                         "{736fa7b4-0557-11db-95ba-00c09f713765}",
                         "{33C6D76E-368F-4a53-86B9-CE4F4B4B386E}"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const auto parsed = ParseGuid(text);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(ParseGuid(FormatGuid(*parsed)), parsed);
  }
  EXPECT_EQ(ParseGuid("{736fa7b4-0557-11db-95ba-00c09f713765}"), kBand);
}

TEST(Guid, ParseRejectsMalformedText) {
  const char* bad[] = {
      "",
      "{}",
      "736FA7B4-0557-11DB-95BA-00C09F713765",     // no braces
      "{736FA7B4-0557-11DB-95BA-00C09F713765",    // no closing brace
      "736FA7B4-0557-11DB-95BA-00C09F713765}",    // no opening brace
      "{736FA7B4-0557-11DB-95BA-00C09F71376}",    // one digit short
      "{736FA7B4-0557-11DB-95BA-00C09F7137655}",  // one digit long
      "{736FA7B4-0557-11DB-95BA-00C09F71376G}",   // not hex
      "{736FA7B4-0557-11DB+95BA-00C09F713765}",   // wrong separator
      "{736FA7B40-557-11DB-95BA-00C09F713765}",   // dash misplaced
      "{736FA7B4-0557-11DB-95BA00-C09F713765}",   // dash misplaced
      " {736FA7B4-0557-11DB-95BA-00C09F713765}",  // leading blank
      "{736FA7B4-0557-11DB-95BA-00C09F713765} ",  // trailing blank
      "{+36FA7B4-0557-11DB-95BA-00C09F713765}",   // sign
      "(736FA7B4-0557-11DB-95BA-00C09F713765)",   // wrong brackets
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseGuid(text).has_value());
  }
}

TEST(Guid, OrderingAndHashDistinguishEveryField) {
  const GUID base = kBand;
  GUID changed[4] = {base, base, base, base};
  changed[0].Data1 ^= 1;
  changed[1].Data2 ^= 1;
  changed[2].Data3 ^= 1;
  changed[3].Data4[7] ^= 1;
  std::unordered_set<GUID> set{base};
  for (const GUID& other : changed) {
    EXPECT_NE(other, base);
    EXPECT_TRUE(other < base || base < other);
    set.insert(other);
  }
  EXPECT_EQ(set.size(), 5u);
}

TEST(Guid, WideFormsFollowTheWindowsContract) {
  char16_t buffer[39];
  EXPECT_EQ(StringFromGUID2(kBand, buffer, 38), 0);
  ASSERT_EQ(StringFromGUID2(kBand, buffer, 39), 39);
  EXPECT_EQ(std::u16string(buffer), u"{736FA7B4-0557-11DB-95BA-00C09F713765}");

  CLSID clsid{};
  EXPECT_EQ(CLSIDFromString(buffer, &clsid), S_OK);
  EXPECT_EQ(clsid, kBand);
  EXPECT_EQ(CLSIDFromString(u"VimaruIEToolbar.IEHook", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromString(u"{736FA7B4-0557-11DB-95BA-00C09F71376\u00E9}", &clsid),
            CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromString(nullptr, &clsid), E_POINTER);
  IID iid{};
  EXPECT_EQ(IIDFromString(u"{nope}", &iid), E_INVALIDARG);
  EXPECT_EQ(IIDFromString(buffer, nullptr), E_POINTER);
}

}  // namespace
}  // namespace platform
