#include <gtest/gtest.h>

#include <regex>

#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/files/FileSystem.h"
#include "platform/resources/Bitmap.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/SvgRender.h"

namespace framework {
namespace {

class LeadingImageMenuTest : public testing::ToolBandTest {
 protected:
  void SetUp() override {
    ToolBandTest::SetUp();
    ASSERT_NE(
        BuildToolbar(
            "<menu image='logo.bmp' tooltip='Logo'><button command='Item' caption='I'/></menu>"
            "<button command='Item' caption='After' show-caption='yes'/>",
            {"Item"}),
        nullptr);
  }

  // The small toolbar the menu draws its image on.
  HWND SmallToolbar() {
    for (HWND child = GetWindow(Toolbar(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (platform::ui::WindowClassName(child) == TOOLBARCLASSNAMEW) return child;
    }
    return nullptr;
  }
};

TEST_F(LeadingImageMenuTest, BuildsItsOwnToolbarAndTakesItsWidthFromIt) {
  const auto& menu = *Band().Controls()[0];
  ASSERT_EQ(menu.StyleWord() & style::kLeadingImageMenu, style::kLeadingImageMenu);
  HWND small = SmallToolbar();
  ASSERT_NE(small, nullptr);
  const auto view = platform::ui::InspectToolbar(small).value();
  ASSERT_EQ(view.buttons.size(), 1u);
  EXPECT_EQ(view.buttons[0].id, menu.ControlId());
  EXPECT_EQ(view.buttons[0].style, BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE);
  // Image (40) + padding (8) + the whole drop-down's arrow (11).
  EXPECT_EQ(view.buttons[0].width, 40 + 8 + 11);
  const auto main = Buttons();
  EXPECT_EQ(main[0].width, view.buttons[0].width);
  EXPECT_EQ(main[0].image, I_IMAGENONE);
  // Not in the toolbar's image list: only the second button put an image there, if any.
  const auto mainView = platform::ui::InspectToolbar(Toolbar()).value();
  EXPECT_TRUE(mainView.normalImages == nullptr ||
              ImageList_GetImageCount(mainView.normalImages) == 0);
  RECT smallRect{};
  GetWindowRect(small, &smallRect);
  RECT toolbarRect{};
  GetWindowRect(Toolbar(), &toolbarRect);
  EXPECT_EQ(smallRect.left - toolbarRect.left, main[0].rect.left);
  EXPECT_EQ(smallRect.right - smallRect.left, main[0].rect.right - main[0].rect.left);
}

TEST_F(LeadingImageMenuTest, PictureShowsTheLogoOverItsButton) {
  HWND small = SmallToolbar();
  ASSERT_NE(small, nullptr);
  const auto view = platform::ui::InspectToolbar(small).value();
  const auto image = platform::ui::GetImageListImage(view.normalImages, view.buttons[0].image);
  ASSERT_TRUE(image.has_value());
  const auto logo = platform::DecodeBitmap(*platform::ReadWholeFile("C:\\Layouts\\logo.bmp"));
  ASSERT_TRUE(logo.has_value());
  EXPECT_EQ(image->bitmap.pixels, logo->pixels);
  const std::string data =
      platform::ui::Base64Encode(platform::ui::EncodePng(image->bitmap, &image->transparent));

  const std::string svg = platform::ui::RenderToolbarSvg(Toolbar());
  const std::regex placed(
      "<g class=\"toolbar\" transform=\"translate\\((\\d+),(\\d+)\\)\">\\n<rect "
      "width=\"(\\d+)\"[\\s\\S]*?"
      "<image x=\"(\\d+)\" y=\"(\\d+)\" width=\"40\" height=\"16\" "
      "href=\"data:image/png;base64,([^\"]+)\"");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(svg, match, placed)) << svg;
  EXPECT_EQ(match[6].str(), data);
  const RECT button = Buttons()[0].rect;
  const int left = std::stoi(match[1].str()) + std::stoi(match[4].str());
  const int top = std::stoi(match[2].str()) + std::stoi(match[5].str());
  EXPECT_EQ(std::stoi(match[1].str()), button.left);
  EXPECT_EQ(std::stoi(match[3].str()), button.right - button.left);
  EXPECT_EQ(left, button.left + platform::ui::kToolbarButtonPadding / 2);
  EXPECT_GE(top, button.top);
  EXPECT_LE(top + 16, button.bottom);
  // Drawn once: the main toolbar's own button has no image.
  EXPECT_EQ(svg.find(data, static_cast<std::size_t>(match.position(6)) + data.size()),
            std::string::npos);
}

}  // namespace
}  // namespace framework
