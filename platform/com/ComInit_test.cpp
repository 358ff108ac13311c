#include "platform/com/ComInit.h"

#include <gtest/gtest.h>

#include <thread>

namespace platform {
namespace {

TEST(ComInit, NestedCallsAreCountedAndPaired) {
  ASSERT_EQ(ComInitCount(), 0u);
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
  EXPECT_EQ(ComInitCount(), 2u);
  CoUninitialize();
  EXPECT_EQ(ComInitCount(), 1u);
  CoUninitialize();
  EXPECT_EQ(ComInitCount(), 0u);
}

TEST(ComInit, UninitialiseOnAnUninitialisedThreadDoesNotUnderflow) {
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(ComInitCount(), 0u);
  EXPECT_EQ(CoInitialize(nullptr), S_OK) << "the thread must start over cleanly";
  CoUninitialize();
}

TEST(ComInit, ChangingTheModelFailsAndIsNotCounted) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), RPC_E_CHANGED_MODE);
  EXPECT_EQ(ComInitCount(), 1u);
  CoUninitialize();
  EXPECT_EQ(CoInitialize(nullptr), S_OK) << "a fully uninitialised thread may pick a new model";
  CoUninitialize();
  int reserved = 0;
  EXPECT_EQ(CoInitializeEx(&reserved, COINIT_MULTITHREADED), E_INVALIDARG);
  EXPECT_EQ(ComInitCount(), 0u);
}

TEST(ComInit, ScopedInitialisationUninitialisesOnlyWhatSucceeded) {
  {
    ScopedComInit outer;
    EXPECT_EQ(outer.Result(), S_OK);
    {
      ScopedComInit refused(COINIT_MULTITHREADED);
      EXPECT_EQ(refused.Result(), RPC_E_CHANGED_MODE);
    }
    EXPECT_EQ(ComInitCount(), 1u);
  }
  EXPECT_EQ(ComInitCount(), 0u);
}

TEST(ComInit, CountsBelongToTheirThread) {
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  ASSERT_EQ(CoInitialize(nullptr), S_FALSE);
  ULONG seenByOther = 99;
  HRESULT otherFirst = E_FAIL;
  std::thread other([&] {
    seenByOther = ComInitCount();
    otherFirst = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CoUninitialize();
    CoUninitialize();
  });
  other.join();
  EXPECT_EQ(seenByOther, 0u);
  EXPECT_EQ(otherFirst, S_OK) << "another thread's model must not matter here";
  EXPECT_EQ(ComInitCount(), 2u) << "another thread's uninitialise must not touch ours";
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(ComInitCount(), 0u);
}

}  // namespace
}  // namespace platform
