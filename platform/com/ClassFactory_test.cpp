#include "platform/com/ClassFactory.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

struct IWidget : IUnknown {
  static constexpr IID kIid = MakeGuid("{C0000000-0000-0000-0000-000000000001}");
  virtual int Value() = 0;

 protected:
  ~IWidget() = default;
};

// Knobs the tests turn before asking the factory for an instance; reset by
// the fixture so no test sees another's settings.
struct WidgetScript {
  static inline HRESULT finalConstructResult = S_OK;
  static inline int constructorFailure = 0;  // 1: bad_alloc, 2: runtime_error
  static inline int alive = 0;
};

class Widget final : public ComObject<IWidget>, ModuleObject {
 public:
  Widget() {
    if (WidgetScript::constructorFailure == 1) throw std::bad_alloc();
    if (WidgetScript::constructorFailure == 2) throw std::runtime_error("refused");
    ++WidgetScript::alive;
  }
  ~Widget() override { --WidgetScript::alive; }
  HRESULT FinalConstruct() { return WidgetScript::finalConstructResult; }
  int Value() override { return 7; }
};

class ClassFactoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WidgetScript::finalConstructResult = S_OK;
    WidgetScript::constructorFailure = 0;
    ASSERT_TRUE(ModuleLifetime::CanUnload());
  }
  void TearDown() override {
    EXPECT_EQ(WidgetScript::alive, 0);
    EXPECT_TRUE(ModuleLifetime::CanUnload());
  }
  ComPtr<IClassFactory> factory_ = Make<ClassFactory<Widget>>();
};

TEST_F(ClassFactoryTest, CreatesTheRequestedInterface) {
  ComPtr<IWidget> widget;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID_PPV_ARGS(widget.ReleaseAndGetAddressOf())), S_OK);
  EXPECT_EQ(widget->Value(), 7);
  EXPECT_EQ(ModuleLifetime::ObjectCount(), 1);
  EXPECT_FALSE(ModuleLifetime::CanUnload());
  EXPECT_EQ(widget->AddRef(), 2u) << "the factory keeps no reference of its own";
  widget->Release();
}

TEST_F(ClassFactoryTest, RefusedCreationsLeaveNullAndNoObject) {
  Widget* outerStandIn = nullptr;
  ComPtr<IWidget> outer;
  ASSERT_EQ(factory_->CreateInstance(nullptr, IID_PPV_ARGS(outer.ReleaseAndGetAddressOf())), S_OK);
  outerStandIn = static_cast<Widget*>(outer.Get());

  struct Case {
    const char* what;
    IUnknown* outer;
    IID iid{};
    HRESULT finalConstruct;
    int constructorFailure;
    HRESULT expected;
  };
  const Case cases[] = {
      {"aggregation", static_cast<IWidget*>(outerStandIn), IWidget::kIid, S_OK, 0,
       CLASS_E_NOAGGREGATION},
      {"unknown interface", nullptr, IID_IClassFactory, S_OK, 0, E_NOINTERFACE},
      {"FinalConstruct fails", nullptr, IWidget::kIid, E_ACCESSDENIED, 0, E_ACCESSDENIED},
      {"out of memory", nullptr, IWidget::kIid, S_OK, 1, E_OUTOFMEMORY},
      {"constructor throws", nullptr, IWidget::kIid, S_OK, 2, E_FAIL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WidgetScript::finalConstructResult = c.finalConstruct;
    WidgetScript::constructorFailure = c.constructorFailure;
    void* object = &outer;
    EXPECT_EQ(factory_->CreateInstance(c.outer, c.iid, &object), c.expected);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(WidgetScript::alive, 1) << "a refused instance must not stay alive";
    EXPECT_EQ(ModuleLifetime::ObjectCount(), 1);
  }
  EXPECT_EQ(factory_->CreateInstance(nullptr, IWidget::kIid, nullptr), E_POINTER);
}

TEST_F(ClassFactoryTest, AConstructorThatThrowsIsTracedAtTheBoundary) {
  std::vector<std::string> lines;
  ScopedTraceCapture capture([&](std::string_view line) { lines.emplace_back(line); });
  void* object = nullptr;
  WidgetScript::constructorFailure = 1;
  EXPECT_EQ(factory_->CreateInstance(nullptr, IWidget::kIid, &object), E_OUTOFMEMORY);
  WidgetScript::constructorFailure = 2;
  EXPECT_EQ(factory_->CreateInstance(nullptr, IWidget::kIid, &object), E_FAIL);
  WidgetScript::constructorFailure = 0;
  WidgetScript::finalConstructResult = E_ACCESSDENIED;
  EXPECT_EQ(factory_->CreateInstance(nullptr, IWidget::kIid, &object), E_ACCESSDENIED);
  EXPECT_EQ(lines, std::vector<std::string>(2, "ClassFactory::CreateInstance exception"))
      << "a refusal by FinalConstruct is a result, not a contained failure";
}

TEST_F(ClassFactoryTest, LockServerKeepsTheModuleAndNeverGoesNegative) {
  EXPECT_EQ(factory_->LockServer(1), S_OK);
  EXPECT_EQ(factory_->LockServer(1), S_OK);
  EXPECT_EQ(ModuleLifetime::LockCount(), 2);
  EXPECT_EQ(factory_->LockServer(0), S_OK);
  EXPECT_FALSE(ModuleLifetime::CanUnload());
  EXPECT_EQ(factory_->LockServer(0), S_OK);
  EXPECT_EQ(factory_->LockServer(0), S_OK);  // unbalanced: ignored
  EXPECT_EQ(ModuleLifetime::LockCount(), 0);
  EXPECT_EQ(factory_->LockServer(1), S_OK);
  EXPECT_FALSE(ModuleLifetime::CanUnload()) << "an earlier extra unlock must not cancel a lock";
  EXPECT_EQ(factory_->LockServer(0), S_OK);
}

}  // namespace
}  // namespace platform
