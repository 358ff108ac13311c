#include "platform/plugin/LoadedModule.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/files/FileSystem.h"

namespace platform {
namespace {

std::string HostFileBytes(const char* hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh file system with the two test libraries beside the module.
class LoadedModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteWholeFile(exporting_, HostFileBytes(VIMARU_TEST_EXPORTING_PLUGIN)));
    ASSERT_TRUE(WriteWholeFile(silent_, HostFileBytes(VIMARU_TEST_SILENT_PLUGIN)));
  }

  ScopedFileSystemRoot root_;
  const std::string exporting_ = GetModuleDirectory() + "\\TestPlugin.dll";
  const std::string silent_ = GetModuleDirectory() + "\\Silent.dll";
};

TEST_F(LoadedModuleTest, FindsExportsByName) {
  auto module = LoadedModule::Load(exporting_);
  ASSERT_TRUE(module.has_value());
  EXPECT_EQ(module->Path(), exporting_);
  auto* answer = module->GetProc<int()>("TestPluginAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(module->GetProcAddress("CreateCommandSet"), nullptr);
  EXPECT_EQ(module->GetProcAddress(""), nullptr);
  EXPECT_EQ(module->GetProcAddress(std::string_view("TestPluginAnswer\0x", 18)), nullptr);
}

TEST_F(LoadedModuleTest, SeesOnlyTheModulesOwnExports) {
  auto module = LoadedModule::Load(silent_);
  ASSERT_TRUE(module.has_value());
  EXPECT_EQ(module->GetProcAddress("malloc"), nullptr);
  EXPECT_EQ(module->GetProcAddress("TestPluginAnswer"), nullptr);
  EXPECT_EQ(module->GetProcAddress("CreateCommandSet"), nullptr);
}

TEST_F(LoadedModuleTest, RefusesWhatIsNotALibrary) {
  ASSERT_TRUE(WriteWholeFile(GetModuleDirectory() + "\\Fake.dll", "MZ this is not a library"));
  ASSERT_TRUE(MakeDirectory(GetModuleDirectory() + "\\Folder.dll"));
  EXPECT_FALSE(LoadedModule::Load(GetModuleDirectory() + "\\Fake.dll").has_value());
  EXPECT_FALSE(LoadedModule::Load(GetModuleDirectory() + "\\Folder.dll").has_value());
  EXPECT_FALSE(LoadedModule::Load(GetModuleDirectory() + "\\Missing.dll").has_value());
  EXPECT_FALSE(LoadedModule::Load("TestPlugin.dll").has_value());
  EXPECT_FALSE(LoadedModule::Load("C:\\..\\TestPlugin.dll").has_value());
}

TEST_F(LoadedModuleTest, UnloadsWhenTheLastHolderGoes) {
  {
    auto first = LoadedModule::Load(exporting_);
    ASSERT_TRUE(first.has_value());
    auto* calls = first->GetProc<int()>("TestPluginCalls");
    EXPECT_EQ(calls(), 1);
    EXPECT_EQ(calls(), 2);
    {
      auto second =
          LoadedModule::Load("c:/program files/vimaru group inc/vimaruietoolbar/testplugin.dll");
      ASSERT_TRUE(second.has_value());
    }
    EXPECT_TRUE(IsModuleLoaded(exporting_));
    EXPECT_EQ(calls(), 3);
  }
  EXPECT_FALSE(IsModuleLoaded(exporting_));

  // Loaded afresh, the module's state starts over.
  auto again = LoadedModule::Load(exporting_);
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->GetProc<int()>("TestPluginCalls")(), 1);
  again->Free();
  EXPECT_FALSE(IsModuleLoaded(exporting_));
  EXPECT_EQ(again->GetProcAddress("TestPluginCalls"), nullptr);
}

TEST_F(LoadedModuleTest, MovingTransfersOwnership) {
  auto module = LoadedModule::Load(exporting_);
  ASSERT_TRUE(module.has_value());
  LoadedModule moved = std::move(*module);
  module.reset();
  EXPECT_TRUE(IsModuleLoaded(exporting_));
  EXPECT_NE(moved.GetProcAddress("TestPluginAnswer"), nullptr);

  auto other = LoadedModule::Load(silent_);
  ASSERT_TRUE(other.has_value());
  moved = std::move(*other);
  EXPECT_FALSE(IsModuleLoaded(exporting_));
  EXPECT_TRUE(IsModuleLoaded(silent_));
}

TEST_F(LoadedModuleTest, FindModuleFilesListsLibrariesBesideTheModule) {
  ASSERT_TRUE(MakeDirectory(GetModuleDirectory() + "\\Folder.dll"));
  ASSERT_TRUE(WriteWholeFile(GetModuleDirectory() + "\\readme.txt", ""));
  const std::vector<std::string> expected = {silent_, exporting_};
  EXPECT_EQ(FindModuleFiles("*.dll"), expected);
  EXPECT_TRUE(FindModuleFiles("*.exe").empty());
}

}  // namespace
}  // namespace platform
