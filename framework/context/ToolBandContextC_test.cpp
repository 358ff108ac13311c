#include "framework/context/ToolBandContextC.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/context/testplugin/PlugInEvents.h"
#include "framework/layout/LayoutTestSupport.h"
#include "platform/module/ThisModule.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/threading/ThreadChecker.h"

namespace framework {
namespace {

using testing::kLayoutPath;
using testing::Layout;
using testing::LayoutTest;
using testing::PlugInEvents;

// Puts one of the test plug-ins beside the toolbar's module; returns its
// Windows path.
std::string InstallPlugIn(const std::string& name) {
  std::ifstream file(std::string(VIMARU_TEST_PLUGIN_DIR) + "/" + name + ".dll", std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << name;
  const std::string path = platform::GetModuleDirectory() + "\\" + name + ".dll";
  EXPECT_TRUE(platform::WriteWholeFile(path, bytes.str()));
  return path;
}

// A product-like context: registers its own commands first and counts the
// after-load call.
class ProductContext : public StandaloneTabContextC {
 public:
  using StandaloneTabContextC::StandaloneTabContextC;
  void RegisterProductCommands() override {
    OwnCommands().Add(std::make_unique<CommandC>("Product.Command"));
    OwnCommands().Add(std::make_unique<CommandC>("Dialog"));
  }
  void LayoutLoaded() override { ++layoutLoadedCalls; }
  int layoutLoadedCalls = 0;
};

class ToolBandContextTest : public LayoutTest {
 protected:
  void WriteLayout(const std::string& items) {
    ASSERT_TRUE(platform::WriteWholeFile(kLayoutPath, Layout(items)));
  }
  PlugInEvents events_;
};

TEST_F(ToolBandContextTest, BuiltinsAreRegisteredInOrderEnabledAndInitialised) {
  ASSERT_NE(Build(Layout("<button/>")), nullptr);
  const std::vector<std::string> expected = {"ToolBand.ToolbarLayout",
                                             "ToolBand.Nop",
                                             "Navigate",
                                             "JavaScript",
                                             "VBScript",
                                             "Dialog",
                                             "FindNext",
                                             "FindPrevious",
                                             "Highlight",
                                             "ShellExecute"};
  EXPECT_EQ(context_->OwnCommands().Names(), expected);
  for (const std::string& name : expected) {
    auto* command = static_cast<CommandC*>(context_->FindCommand(name));
    ASSERT_NE(command, nullptr) << name;
    EXPECT_TRUE(command->IsEnabled()) << name;
    const bool initialised = name != "ToolBand.ToolbarLayout" && name != "ToolBand.Nop";
    EXPECT_EQ(command->Context() == context_.get(), initialised) << name;
  }
  EXPECT_NE(dynamic_cast<FindPreviousCmdC*>(context_->FindCommand("FindPrevious")), nullptr);
  EXPECT_TRUE(
      dynamic_cast<FindPreviousCmdC*>(context_->FindCommand("FindPrevious"))->SearchesBackwards());
  EXPECT_EQ(dynamic_cast<VBScriptCmdC*>(context_->FindCommand("VBScript"))->LanguageName(),
            "VBScript");
}

TEST_F(ToolBandContextTest, InstancesOnlyForInstantiableBuiltins) {
  ASSERT_NE(Build(Layout("<button/>")), nullptr);
  for (const char* name : {"Navigate", "JavaScript", "VBScript", "Dialog", "FindNext",
                           "FindPrevious", "Highlight", "ShellExecute", "ToolBand.Nop"}) {
    CommandC* instance = context_->CreateCommandInstance(name, std::string("id-") + name);
    ASSERT_NE(instance, nullptr) << name;
    EXPECT_EQ(instance->Name(), std::string("id-") + name);
    EXPECT_EQ(instance->Context(), context_.get());
    EXPECT_EQ(context_->FindCommand(instance->Name()), instance);
  }
  for (const char* name : {"ToolBand.ToolbarLayout", "navigate", "Product.Command", ""}) {
    EXPECT_EQ(context_->CreateCommandInstance(name, "x"), nullptr) << name;
  }
}

TEST_F(ToolBandContextTest, ProductCommandsComeFirstAndLayoutLoadedIsCalled) {
  WriteLayout("<button command='Product.Command'/>");
  ProductContext context(kLayoutPath);
  ASSERT_NE(context.Create(), nullptr);
  EXPECT_EQ(context.layoutLoadedCalls, 1);
  EXPECT_EQ(context.ToolBand()->Controls().size(), 1u);
  // The product's "Dialog" was registered first, so the built-in was not added.
  EXPECT_EQ(dynamic_cast<DialogCmdC*>(context.FindCommand("Dialog")), nullptr);
}

TEST_F(ToolBandContextTest, NoToolbarWithoutAModuleDirectory) {
  WriteLayout("<button/>");
  platform::ScopedModuleFilePath noPath("");
  StandaloneTabContextC context(kLayoutPath);
  EXPECT_EQ(context.Create(), nullptr);
}

TEST_F(ToolBandContextTest, PlugInCommandsAreFoundBeforeTheContextsOwn) {
  InstallPlugIn("CommandSetPlugIn");
  WriteLayout("<button command='Navigate'/><button command='PlugIn.Hello'/>");
  StandaloneTabContextC context(kLayoutPath, {}, &events_);
  ASSERT_NE(context.Create(), nullptr);
  ASSERT_EQ(context.PlugIns().size(), 1u);
  EXPECT_EQ(events_.created, 1);
  CommandSetI* plugInSet = context.PlugIns().front()->CommandSet();
  ASSERT_NE(plugInSet->Find("Navigate"), nullptr);
  EXPECT_EQ(context.FindCommand("Navigate"), plugInSet->Find("Navigate"));
  EXPECT_NE(context.FindCommand("Navigate"), context.OwnCommands().Find("Navigate"));
  ASSERT_EQ(context.ToolBand()->Controls().size(), 2u);
  EXPECT_EQ(context.ToolBand()->Controls()[0]->Command(), plugInSet->Find("Navigate"));
  EXPECT_EQ(context.ToolBand()->Controls()[1]->Command(), plugInSet->Find("PlugIn.Hello"));

  context.ShutDown();
  EXPECT_EQ(events_.shutdownNotices, 1);
  EXPECT_EQ(events_.deleted, 1);
  EXPECT_TRUE(context.PlugIns().empty());
  EXPECT_EQ(context.ToolBand(), nullptr);
}

TEST_F(ToolBandContextTest, PlugInsWithoutACommandSetAreUnloadedAndIgnored) {
  const std::string noExports = InstallPlugIn("NoExportsPlugIn");
  const std::string noSet = InstallPlugIn("NoCommandSetPlugIn");
  ASSERT_TRUE(platform::WriteWholeFile(platform::GetModuleDirectory() + "\\NotALibrary.dll",
                                       "MZ this is no library"));
  WriteLayout("<button command='Navigate'/>");
  StandaloneTabContextC context(kLayoutPath, {}, &events_);
  ASSERT_NE(context.Create(), nullptr);
  EXPECT_TRUE(context.PlugIns().empty());
  EXPECT_EQ(events_.created, 1);
  EXPECT_FALSE(platform::IsModuleLoaded(noExports));
  EXPECT_FALSE(platform::IsModuleLoaded(noSet));
  EXPECT_EQ(context.FindCommand("Navigate"), context.OwnCommands().Find("Navigate"));
}

TEST_F(ToolBandContextTest, ShutDownUnbindsControlsBeforeCommandsChange) {
  ASSERT_NE(Build(Layout("<button command='Navigate'/><menu><button command='Navigate'/></menu>")),
            nullptr);
  auto* navigate = static_cast<CommandC*>(context_->FindCommand("Navigate"));
  context_->ShutDown();
  EXPECT_EQ(context_->ToolBand(), nullptr);
  // The controls are gone; a notice must not reach them.
  navigate->SetText("after shut-down");
  navigate->SetEnabled(false);
}

TEST_F(ToolBandContextTest, FailedLayoutGivesUpTheToolbandButKeepsPlugIns) {
  InstallPlugIn("CommandSetPlugIn");
  ASSERT_TRUE(platform::WriteWholeFile(kLayoutPath, "<toolband><button/></toolband>"));
  StandaloneTabContextC context(kLayoutPath, {}, &events_);
  EXPECT_EQ(context.Create(), nullptr);
  EXPECT_EQ(context.ToolBand(), nullptr);
  EXPECT_EQ(context.PlugIns().size(), 1u);
}

using ToolBandContextDeathTest = ToolBandContextTest;

TEST_F(ToolBandContextDeathTest, ACommandLookupFromAnotherThreadAborts) {
  if (!platform::kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ASSERT_NE(Build(Layout("<button/>")), nullptr);
  ToolBandContextC& context = *context_;
  EXPECT_DEATH(std::thread([&] { context.FindCommand("Navigate"); }).join(),
               "ToolBandContextC::FindCommand.*called on a thread other than");
}

}  // namespace
}  // namespace framework
