#include "platform/automation/ConnectionPoint.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/automation/SinkConnection.h"
#include "platform/automation/WebBrowserEventIds.h"

namespace platform {
namespace {

struct ITestEvents : IDispatch {
  static constexpr IID kIid = MakeGuid("6C1E33A0-0F5B-4C55-9D1E-2A3B4C5D6E7F");
  using BaseInterface = IDispatch;

 protected:
  ~ITestEvents() = default;
};

// A source with one event interface, shaped as the browser is.
class EventSource final : public ComObject<IConnectionPointContainer> {
 public:
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    if (point == nullptr) return E_POINTER;
    *point = nullptr;
    if (iid != ITestEvents::kIid) return CONNECT_E_NOCONNECTION;
    *point = &point_;
    point_.AddRef();
    return S_OK;
  }
  ConnectionPoint point_{IdentityUnknown(), this, ITestEvents::kIid};
};

class Sink final : public DispatchObject<ITestEvents> {
 public:
  Sink(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    log_->push_back(name_ + ":" + std::to_string(id));
    if (onEvent) onEvent(params);
    return S_OK;
  }
  std::function<void(DISPPARAMS*)> onEvent;

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

class PlainObject final : public ComObject<IUnknown> {};

class ConnectionPointTest : public ::testing::Test {
 protected:
  DWORD Connect(const ComPtr<Sink>& sink) {
    DWORD cookie = 0;
    EXPECT_EQ(AtlAdvise(source_.Get(), sink.Get(), ITestEvents::kIid, &cookie), S_OK);
    return cookie;
  }
  void Fire(DISPID id) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    source_->point_.Fire(id, none);
  }

  ComPtr<EventSource> source_ = Make<EventSource>();
  std::vector<std::string> log_;
};

TEST_F(ConnectionPointTest, DeliversToEverySinkInConnectionOrder) {
  auto first = Make<Sink>("first", &log_);
  auto second = Make<Sink>("second", &log_);
  const DWORD firstCookie = Connect(first);
  const DWORD secondCookie = Connect(second);
  EXPECT_NE(firstCookie, secondCookie);
  Fire(DISPID_BEFORENAVIGATE2);
  EXPECT_EQ(log_, (std::vector<std::string>{"first:250", "second:250"}));

  EXPECT_EQ(AtlUnadvise(source_.Get(), ITestEvents::kIid, firstCookie), S_OK);
  EXPECT_EQ(AtlUnadvise(source_.Get(), ITestEvents::kIid, firstCookie), CONNECT_E_NOCONNECTION);
  log_.clear();
  Fire(DISPID_DOCUMENTCOMPLETE);
  EXPECT_EQ(log_, (std::vector<std::string>{"second:259"}));
}

TEST_F(ConnectionPointTest, SinksMayUnadviseThemselvesAndOthersDuringDelivery) {
  auto first = Make<Sink>("first", &log_);
  auto second = Make<Sink>("second", &log_);
  auto third = Make<Sink>("third", &log_);
  Connect(first);
  const DWORD secondCookie = Connect(second);
  const DWORD thirdCookie = Connect(third);
  DWORD lateCookie = 0;
  auto late = Make<Sink>("late", &log_);
  second->onEvent = [&](DISPPARAMS*) {
    // Drop itself and the sink after it, and connect a new one: the new one
    // waits for the next event, the dropped one is skipped now.
    EXPECT_EQ(AtlUnadvise(source_.Get(), ITestEvents::kIid, secondCookie), S_OK);
    EXPECT_EQ(AtlUnadvise(source_.Get(), ITestEvents::kIid, thirdCookie), S_OK);
    EXPECT_EQ(AtlAdvise(source_.Get(), late.Get(), ITestEvents::kIid, &lateCookie), S_OK);
  };
  // Only the connection keeps the second sink alive while it unadvises.
  second.Reset();
  third.Reset();
  Fire(DISPID_NAVIGATECOMPLETE2);
  EXPECT_EQ(log_, (std::vector<std::string>{"first:252", "second:252"}));
  log_.clear();
  Fire(DISPID_ONQUIT);
  EXPECT_EQ(log_, (std::vector<std::string>{"first:253", "late:253"}));
}

TEST_F(ConnectionPointTest, ArgumentsChangedBySinksReachTheSource) {
  auto canceller = Make<Sink>("canceller", &log_);
  canceller->onEvent = [](DISPPARAMS* params) { *params->rgvarg[0].pboolVal = VARIANT_TRUE; };
  Connect(canceller);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT argument = BoolReference(&cancel);
  DISPPARAMS params{&argument, nullptr, 1, 0};
  source_->point_.Fire(DISPID_BEFORENAVIGATE2, params);
  EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(ConnectionPointTest, RefusesSinksWithoutTheEventInterfaceAndUnknownInterfaces) {
  auto plain = Make<PlainObject>();
  DWORD cookie = 7;
  EXPECT_EQ(AtlAdvise(source_.Get(), plain.Get(), ITestEvents::kIid, &cookie),
            CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  auto sink = Make<Sink>("sink", &log_);
  EXPECT_EQ(AtlAdvise(source_.Get(), sink.Get(), IID_IDispatch, &cookie), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(AtlAdvise(plain.Get(), sink.Get(), ITestEvents::kIid, &cookie), E_NOINTERFACE);
}

TEST_F(ConnectionPointTest, PointKeepsItsSourceAlive) {
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(source_->FindConnectionPoint(ITestEvents::kIid, point.ReleaseAndGetAddressOf()), S_OK);
  source_.Reset();
  ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(point->GetConnectionPointContainer(container.ReleaseAndGetAddressOf()), S_OK);
  IID iid{};
  EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
  EXPECT_EQ(iid, ITestEvents::kIid);
}

TEST_F(ConnectionPointTest, ConcurrentAdviseUnadviseAndFire) {
  std::vector<std::string> unusedLog;
  std::thread firing([&] {
    for (int i = 0; i < 200; ++i) {
      DISPPARAMS none{nullptr, nullptr, 0, 0};
      source_->point_.Fire(DISPID_DOWNLOADCOMPLETE, none);
    }
  });
  std::thread churning([&] {
    for (int i = 0; i < 200; ++i) {
      auto other = Make<Sink>("other", &unusedLog);
      DWORD cookie = 0;
      ASSERT_EQ(source_->point_.Advise(other.Get(), &cookie), S_OK);
      ASSERT_EQ(source_->point_.Unadvise(cookie), S_OK);
    }
  });
  firing.join();
  churning.join();
  EXPECT_EQ(source_->point_.ConnectionCount(), 0u);
}

TEST_F(ConnectionPointTest, SinkConnectionUnadvisesOnDisconnectReconnectAndDestruction) {
  auto first = Make<Sink>("first", &log_);
  auto second = Make<Sink>("second", &log_);
  {
    SinkConnection connection;
    ASSERT_EQ(connection.Connect(source_.Get(), first.Get(), ITestEvents::kIid), S_OK);
    ASSERT_EQ(connection.Connect(source_.Get(), second.Get(), ITestEvents::kIid), S_OK);
    EXPECT_EQ(source_->point_.ConnectionCount(), 1u);
    Fire(DISPID_BEFORENAVIGATE2);
    EXPECT_EQ(log_, (std::vector<std::string>{"second:250"}));

    connection.Disconnect();
    EXPECT_FALSE(connection.IsConnected());
    EXPECT_EQ(source_->point_.ConnectionCount(), 0u);
    ASSERT_EQ(connection.Connect(source_.Get(), first.Get(), ITestEvents::kIid), S_OK);
  }
  EXPECT_EQ(source_->point_.ConnectionCount(), 0u);
}

TEST_F(ConnectionPointTest, SinkConnectionKeepsNothingWhenRefused) {
  auto sink = Make<Sink>("sink", &log_);
  SinkConnection connection;
  EXPECT_EQ(connection.Connect(source_.Get(), sink.Get(), IUnknown::kIid), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(connection.Connect(nullptr, sink.Get(), ITestEvents::kIid), E_POINTER);
  EXPECT_FALSE(connection.IsConnected());
  EXPECT_EQ(source_->point_.ConnectionCount(), 0u);
}

}  // namespace
}  // namespace platform
