#include "platform/automation/Variant.h"

#include <gtest/gtest.h>

#include "platform/automation/SafeArray.h"
#include "platform/com/ComObject.h"

namespace platform {
namespace {

struct CountedThing final : ComObject<IUnknown> {
  ~CountedThing() override { ++*destroyed; }
  int* destroyed = nullptr;
};

TEST(Bstr, KeepsEmbeddedNulsAndTreatsNullAsEmpty) {
  const Bstr text(std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(text.Length(), 3u);
  EXPECT_EQ(text.View(), std::u16string_view(u"a\0b", 3));
  EXPECT_EQ(text.Get()[3], u'\0');
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(Bstr::Borrowed(nullptr), u"");
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  BSTR zeroed = SysAllocStringLen(nullptr, 2);
  EXPECT_EQ(std::u16string_view(zeroed, 2), std::u16string_view(u"\0\0", 2));
  SysFreeString(zeroed);
}

TEST(Bstr, ReceiveFreesWhatWasHeld) {
  Bstr text(u"old");
  *text.Receive() = SysAllocString(u"new");
  EXPECT_EQ(text.View(), u"new");
  EXPECT_EQ(CopyToBstr(u"x", nullptr), E_POINTER);
}

TEST(Variant, CopiesStringsDeeplyAndCountsInterfaceReferences) {
  int destroyed = 0;
  auto thing = Make<CountedThing>();
  thing->destroyed = &destroyed;
  {
    Variant held(static_cast<IUnknown*>(thing.Get()));
    Variant copy(held);
    thing.Reset();
    EXPECT_EQ(destroyed, 0);
    held.Clear();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);

  Variant text(u"page");
  Variant copy = text;
  EXPECT_NE(copy.bstrVal, text.bstrVal);
  EXPECT_EQ(VariantText(copy), u"page");
}

TEST(Variant, ReadsThroughOneReferenceLevel) {
  Variant url(u"http://127.0.0.1/");
  VARIANT byReference = VariantReference(&url);
  EXPECT_EQ(VariantText(byReference), u"http://127.0.0.1/");
  EXPECT_EQ(VariantInteger(byReference), std::nullopt);

  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT cancelArgument = BoolReference(&cancel);
  EXPECT_EQ(VariantBool(cancelArgument), false);
  *cancelArgument.pboolVal = VARIANT_TRUE;
  EXPECT_EQ(cancel, VARIANT_TRUE);
  // Clearing a reference leaves its target alone.
  EXPECT_EQ(VariantClear(&byReference), S_OK);
  EXPECT_EQ(VariantText(url), u"http://127.0.0.1/");

  Variant empty;
  EXPECT_TRUE(VariantIsMissing(&empty));
  EXPECT_TRUE(VariantIsMissing(nullptr));
  VARIANT missingByReference = VariantReference(&empty);
  EXPECT_TRUE(VariantIsMissing(&missingByReference));
  Variant flags(LONG{1});
  EXPECT_FALSE(VariantIsMissing(&flags));
  EXPECT_EQ(VariantInteger(flags), 1);
}

TEST(Variant, RefusesKindsItDoesNotKnow) {
  VARIANT strange{};
  VariantInit(&strange);
  strange.vt = 7;  // VT_DATE
  EXPECT_EQ(VariantClear(&strange), DISP_E_BADVARTYPE);
  Variant target(u"kept");
  EXPECT_EQ(VariantCopy(&target, &strange), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantText(target), u"kept");
}

TEST(SafeArray, OwnsItsVariantsAndRefusesDestructionWhileAccessed) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 2);
  ASSERT_NE(array, nullptr);
  const Variant text(u"<p>written</p>");
  const LONG index = 1;
  ASSERT_EQ(SafeArrayPutElement(array, &index, &text), S_OK);
  const LONG outside = 2;
  EXPECT_EQ(SafeArrayPutElement(array, &outside, &text), DISP_E_BADINDEX);

  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
  EXPECT_EQ(static_cast<VARIANT*>(data)[0].vt, VT_EMPTY);
  EXPECT_EQ(VariantText(static_cast<VARIANT*>(data)[1]), u"<p>written</p>");
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(array), S_OK);

  Variant holder;
  holder.vt = VT_ARRAY | VT_VARIANT;
  holder.parray = array;
  Variant copy(holder);
  EXPECT_NE(copy.parray, array);
  EXPECT_EQ(SafeArrayCreateVector(VT_BSTR, 0, 1), nullptr);
}

}  // namespace
}  // namespace platform
