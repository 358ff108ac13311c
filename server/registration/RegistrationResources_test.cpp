// What the registration entries point into the module for: the two scripts
// and the Extensions button's icons ("<module>,223" and "<module>,224").
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "platform/resources/ModuleResources.h"
#include "server/registration/ScriptRegistration.h"

namespace server {
namespace {

std::uint16_t Word(std::string_view bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                    static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

TEST(RegistrationResources, TheModuleCarriesBothScripts) {
  for (const int id : {kToolbarScript, kSidebarScript}) {
    const auto script = platform::FindModuleResource("REGISTRY", id);
    ASSERT_TRUE(script) << id;
    EXPECT_TRUE(script->starts_with("HKCR")) << id;
  }
}

TEST(RegistrationResources, TheButtonIconsAreSixteenPixelIcons) {
  for (const int id : {223, 224}) {
    const auto icon = platform::FindModuleResource("ICON", id);
    ASSERT_TRUE(icon) << id;
    ASSERT_GE(icon->size(), 6u + 16u + 40u) << id;
    EXPECT_EQ(Word(*icon, 0), 0) << id;
    EXPECT_EQ(Word(*icon, 2), 1) << id;  // an icon, not a cursor
    EXPECT_EQ(Word(*icon, 4), 1) << id;  // one image
    EXPECT_EQ(static_cast<unsigned char>((*icon)[6]), 16) << id;
    EXPECT_EQ(static_cast<unsigned char>((*icon)[7]), 16) << id;
  }
  EXPECT_NE(platform::FindModuleResource("ICON", 223), platform::FindModuleResource("ICON", 224));
}

}  // namespace
}  // namespace server
