// The type library the build compiles from server/VimaruIEToolbar.idl and
// embeds as the module's TYPELIB resource 1, read back as the browser and
// script hosts read it.
#include <gtest/gtest.h>

#include <string>

#include "platform/com/ComPtr.h"
#include "platform/files/FileSystem.h"
#include "platform/typelib/TypeLib.h"

namespace server {
namespace {

constexpr GUID kLibid = platform::MakeGuid("736FA7B5-0557-11DB-95BA-00C09F713765");

struct ExpectedType {
  std::u16string_view name;
  GUID guid;
  TYPEKIND kind;
  WORD flags;
  std::u16string_view help;
};

constexpr WORD kDualFlags = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

const ExpectedType kInterfaces[] = {
    {u"IIEHook", platform::MakeGuid("736FA7B6-0557-11DB-95BA-00C09F713765"), TKIND_DISPATCH,
     kDualFlags, u"IIEHook Interface"},
    {u"ImyIESideBar", platform::MakeGuid("13591E65-E92F-4FBD-8426-FC56787F7A46"), TKIND_DISPATCH,
     kDualFlags, u"ImyIESideBar Interface"},
};
const ExpectedType kClasses[] = {
    {u"IEHook", platform::MakeGuid("736FA7B4-0557-11DB-95BA-00C09F713765"), TKIND_COCLASS,
     TYPEFLAG_FCANCREATE, u"IEHook Class"},
    {u"myIESideBar", platform::MakeGuid("21B3866C-DD0C-4675-A87C-A62BF21366AF"), TKIND_COCLASS,
     TYPEFLAG_FCANCREATE, u"Vimaru Sidebar"},
};

std::u16string Owned(BSTR text) {
  std::u16string copy(platform::Bstr::Borrowed(text));
  SysFreeString(text);
  return copy;
}

class ModuleTypeLibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = platform::ModuleFilePath();
    const std::u16string widePath(path.begin(), path.end());
    ASSERT_EQ(LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, library_.ReleaseAndGetAddressOf()),
              S_OK);
  }

  platform::ComPtr<ITypeInfo> Type(const ExpectedType& expected) {
    platform::ComPtr<ITypeInfo> info;
    EXPECT_EQ(library_->GetTypeInfoOfGuid(expected.guid, info.ReleaseAndGetAddressOf()), S_OK)
        << platform::FormatGuid(expected.guid);
    return info;
  }

  void ExpectType(const ExpectedType& expected) {
    const platform::ComPtr<ITypeInfo> info = Type(expected);
    ASSERT_TRUE(info);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, expected.kind);
    EXPECT_EQ(attributes->wTypeFlags, expected.flags);
    EXPECT_EQ(attributes->wMajorVerNum, 0);
    info->ReleaseTypeAttr(attributes);
    BSTR name = nullptr;
    BSTR help = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(Owned(name), expected.name);
    EXPECT_EQ(Owned(help), expected.help);
  }

  platform::ScopedFileSystemRoot files_;
  platform::ComPtr<ITypeLib> library_;
};

TEST_F(ModuleTypeLibTest, DescribesTheLibrary) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
  EXPECT_EQ(attributes->guid, kLibid);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 0u);
  EXPECT_EQ(attributes->syskind, SYS_WIN32);
  EXPECT_EQ(attributes->wLibFlags, 0);
  library_->ReleaseTLibAttr(attributes);

  BSTR name = nullptr;
  BSTR help = nullptr;
  BSTR helpFile = nullptr;
  ASSERT_EQ(library_->GetDocumentation(-1, &name, &help, nullptr, &helpFile), S_OK);
  EXPECT_EQ(Owned(name), u"VIMARUIETOOLBARLib");
  EXPECT_EQ(Owned(help), u"VimaruIEToolbar 1.0 Type Library");
  EXPECT_EQ(helpFile, nullptr);
  EXPECT_EQ(library_->GetTypeInfoCount(), 4u);
}

TEST_F(ModuleTypeLibTest, HoldsTheTwoDualInterfaces) {
  for (const ExpectedType& expected : kInterfaces) ExpectType(expected);
}

TEST_F(ModuleTypeLibTest, HoldsTheTwoClassesEachWithItsInterface) {
  for (std::size_t i = 0; i < 2; ++i) {
    ExpectType(kClasses[i]);
    const platform::ComPtr<ITypeInfo> coclass = Type(kClasses[i]);
    ASSERT_TRUE(coclass);
    HREFTYPE reference = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    platform::ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(coclass->GetRefTypeInfo(reference, implemented.ReleaseAndGetAddressOf()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(implemented->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, kInterfaces[i].guid);
    implemented->ReleaseTypeAttr(attributes);
    EXPECT_EQ(coclass->GetRefTypeOfImplType(1, &reference), TYPE_E_ELEMENTNOTFOUND);
  }
}

}  // namespace
}  // namespace server
