#include "platform/ui/Rebar.h"

#include <gtest/gtest.h>

#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

TEST(Rebar, BandsKeepTheirChildTextStyleAndOwner) {
  HWND throwAway = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, 0x46800648, 0, 0, 400, 275, nullptr,
                                   nullptr, nullptr, nullptr);
  ASSERT_NE(throwAway, nullptr);
  EXPECT_NE(GetWindowLongPtrW(throwAway, GWLP_WNDPROC),
            0);  // the class's own procedure, for subclassing hosts
  DestroyWindow(throwAway);

  MessageLog log;
  UniqueWindow frame(CreateRecordingWindow(log));
  HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT,
                               0, 0, 800, 60, frame.Get(), nullptr, nullptr, nullptr);
  HWND menuBand = CreateRecordingWindow(log, frame.Get());
  HWND ourBand = CreateRecordingWindow(log, frame.Get());
  REBARBANDINFOW band{};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD | RBBIM_TEXT | RBBIM_STYLE | RBBIM_ID;
  band.hwndChild = menuBand;
  band.lpText = const_cast<LPWSTR>(u"Menu");
  band.wID = 1;
  ASSERT_TRUE(SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&band)));
  band.hwndChild = ourBand;
  band.lpText = const_cast<LPWSTR>(u"Vimaru");
  band.wID = 2;
  ASSERT_TRUE(SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(GetParent(ourBand), rebar);
  EXPECT_EQ(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 1);
  ASSERT_TRUE(SetRebarBandClassId(rebar, 1, u"{01E04581-4EEE-11D0-BFE9-00AA005B4383}"));
  const int index = FindRebarBandByClassId(rebar, u"{01e04581-4eee-11d0-bfe9-00aa005b4383}");
  ASSERT_EQ(index, 1);
  EXPECT_EQ(FindRebarBandByClassId(rebar, u"{00000000-0000-0000-0000-000000000000}"), -1);

  REBARBANDINFOW read{};
  read.cbSize = sizeof(read);
  read.fMask = RBBIM_STYLE;
  ASSERT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&read)));
  read.fStyle |= RBBS_BREAK;
  ASSERT_TRUE(SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&read)));
  EXPECT_EQ(SendMessageW(rebar, RB_GETROWCOUNT, 0, 0), 2);
  WCHAR text[4];
  read.fMask = RBBIM_TEXT | RBBIM_CHILD | RBBIM_ID;
  read.lpText = text;
  read.cch = 4;
  SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&read));
  EXPECT_EQ(std::u16string(text), u"Vim");
  EXPECT_EQ(read.hwndChild, ourBand);
  EXPECT_EQ(SendMessageW(rebar, RB_IDTOINDEX, 2, 0), 1);
  EXPECT_FALSE(SendMessageW(rebar, RB_GETBANDINFOW, 5, reinterpret_cast<LPARAM>(&read)));
  EXPECT_TRUE(SendMessageW(rebar, RB_DELETEBAND, 0, 0));
  EXPECT_EQ(FindRebarBandByClassId(rebar, u"{01E04581-4EEE-11D0-BFE9-00AA005B4383}"), 0);
}

}  // namespace
TEST(Rebar, BandInfoWithoutItsSizeFieldIsRefusedAndChangesNothing) {
  MessageLog log;
  UniqueWindow frame(CreateRecordingWindow(log));
  HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT,
                               0, 0, 800, 60, frame.Get(), nullptr, nullptr, nullptr);
  HWND child = CreateRecordingWindow(log, frame.Get());
  REBARBANDINFOW band{};
  band.fMask = RBBIM_CHILD | RBBIM_STYLE;
  band.hwndChild = child;
  EXPECT_FALSE(SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0), 0);
  EXPECT_NE(GetParent(child), rebar);

  band.cbSize = sizeof(band);
  ASSERT_TRUE(SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(&band)));
  band.cbSize = sizeof(band) - 4;
  band.fMask = RBBIM_STYLE;
  band.fStyle = RBBS_HIDDEN;
  EXPECT_FALSE(SendMessageW(rebar, RB_SETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_FALSE(SendMessageW(rebar, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
  band.cbSize = sizeof(band);
  ASSERT_TRUE(SendMessageW(rebar, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.fStyle & RBBS_HIDDEN, 0u);
  EXPECT_EQ(band.cbSize, sizeof(band));  // a read keeps the caller's size field
}

}  // namespace platform::ui
