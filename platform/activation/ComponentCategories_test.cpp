#include "platform/activation/ComponentCategories.h"

#include <gtest/gtest.h>

#include "platform/activation/Activation.h"
#include "platform/com/ComInit.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

constexpr CLSID kClass = MakeGuid("4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B");
constexpr CATID kBars = MakeGuid("00021493-0000-0000-C000-000000000046");
constexpr CATID kOther = MakeGuid("00021494-0000-0000-C000-000000000046");

constexpr std::string_view kClassKey = "CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}";

class ComponentCategoriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(categories_.ReleaseAndGetAddressOf())),
              S_OK);
  }
  bool Exists(std::string_view path) {
    RegistryKey key;
    return key.Open(HKEY_CLASSES_ROOT, path) == ERROR_SUCCESS;
  }

  ScopedRegistryReset registry_;
  ScopedComInit com_;
  ComPtr<ICatRegister> categories_;
};

TEST_F(ComponentCategoriesTest, RegistersAClasssImplementedCategoriesOnly) {
  CATID ids[] = {kBars, kOther};
  ASSERT_EQ(categories_->RegisterClassImplCategories(kClass, 2, ids), S_OK);
  EXPECT_EQ(FormatRegistryText(),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}]\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}\\"
            "Implemented Categories]\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}\\"
            "Implemented Categories\\{00021493-0000-0000-C000-000000000046}]\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}\\"
            "Implemented Categories\\{00021494-0000-0000-C000-000000000046}]\r\n"
            "\r\n");
}

TEST_F(ComponentCategoriesTest, UnregisteringRemovesTheListOnceItIsEmpty) {
  CATID both[] = {kBars, kOther};
  ASSERT_EQ(categories_->RegisterClassImplCategories(kClass, 2, both), S_OK);
  CATID bars[] = {kBars};
  ASSERT_EQ(categories_->UnRegisterClassImplCategories(kClass, 1, bars), S_OK);
  EXPECT_TRUE(Exists(std::string(kClassKey) + "\\Implemented Categories"));
  CATID other[] = {kOther};
  ASSERT_EQ(categories_->UnRegisterClassImplCategories(kClass, 1, other), S_OK);
  EXPECT_FALSE(Exists(std::string(kClassKey) + "\\Implemented Categories"));
  EXPECT_TRUE(Exists(kClassKey));
  EXPECT_EQ(categories_->UnRegisterClassImplCategories(kClass, 1, other), S_OK);
}

TEST_F(ComponentCategoriesTest, RequiredCategoriesAndDescriptions) {
  CATID ids[] = {kOther};
  ASSERT_EQ(categories_->RegisterClassReqCategories(kClass, 1, ids), S_OK);
  EXPECT_TRUE(Exists(std::string(kClassKey) + "\\Required Categories\\" + FormatGuid(kOther)));
  ASSERT_EQ(categories_->UnRegisterClassReqCategories(kClass, 1, ids), S_OK);
  EXPECT_FALSE(Exists(std::string(kClassKey) + "\\Required Categories"));

  CATEGORYINFO info{};
  info.catid = kOther;
  info.lcid = 0x409;
  for (OLECHAR& c : info.szDescription) c = u'x';  // not terminated within the buffer
  ASSERT_EQ(categories_->RegisterCategories(1, &info), S_OK);
  RegistryKey key;
  std::string description;
  ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, "Component Categories\\" + FormatGuid(kOther)),
            ERROR_SUCCESS);
  ASSERT_EQ(key.QueryStringValue("409", description), ERROR_SUCCESS);
  EXPECT_EQ(description, std::string(128, 'x'));
  key.Close();
  ASSERT_EQ(categories_->UnRegisterCategories(1, ids), S_OK);
  EXPECT_FALSE(Exists("Component Categories\\" + FormatGuid(kOther)));
}

TEST_F(ComponentCategoriesTest, FailuresAnswerTheRegistrysError) {
  DenyRegistryWrite(HKEY_CLASSES_ROOT, kClassKey);
  CATID ids[] = {kBars};
  EXPECT_EQ(categories_->RegisterClassImplCategories(kClass, 1, ids),
            HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(categories_->RegisterClassImplCategories(kClass, 1, nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace platform
