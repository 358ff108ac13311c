// Shared by the layout and context tests: a fresh file system and registry
// per test, and a way to build a toolbar from a layout text.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/context/StandaloneTabContextC.h"
#include "framework/controls/ControlC.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace framework::testing {

inline constexpr const char* kLayoutDirectory = "C:\\Layouts";
inline constexpr const char* kLayoutPath = "C:\\Layouts\\layout.xml";

// Wraps item elements into a layout root in the toolband namespace.
inline std::string Layout(const std::string& items, const std::string& rootAttributes = "") {
  return "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\n"
         "<toolband xmlns=\"http://www.vimaru.com/toolband\"" +
         rootAttributes + ">" + items + "</toolband>";
}

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(platform::MakeDirectories(kLayoutDirectory)); }

  // Writes the layout file and builds a tab's toolbar from it; the toolband
  // is null when the toolbar was given up.
  ToolBandC* Build(const std::string& layoutText, const std::string& location = kLayoutPath) {
    EXPECT_TRUE(platform::WriteWholeFile(kLayoutPath, layoutText));
    context_ = std::make_unique<StandaloneTabContextC>(location);
    return context_->Create();
  }

  ControlC& TopLevel(std::size_t index) {
    return *context_->ToolBand()->Controls().at(index)->AsControl();
  }

  void StoreCopy(const std::string& bytes) {
    platform::RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kProductLayoutKeyPath), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(kProductLayoutValueName, REG_BINARY, bytes.data(),
                           static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }

  // The stored copy's bytes, or nullopt when there is none.
  std::optional<std::string> StoredCopy() {
    platform::RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, kProductLayoutKeyPath) != ERROR_SUCCESS) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (key.QueryBinaryValue(kProductLayoutValueName, bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return std::string(bytes.begin(), bytes.end());
  }

  platform::ScopedFileSystemRoot root_;
  platform::ScopedRegistryReset registry_;
  std::unique_ptr<StandaloneTabContextC> context_;
};

}  // namespace framework::testing
