#include "platform/threading/ThreadChecker.h"

#include <gtest/gtest.h>

#include <thread>

namespace platform {
namespace {

// What a thread-affine class of the product looks like.
class Affine {
 public:
  int Touch() {
    DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
    return ++touches_;
  }
  void HandOver() { DETACH_FROM_THREAD(threadChecker_); }

 private:
  int touches_ = 0;
  THREAD_CHECKER(threadChecker_);
};

template <class Call>
auto OnAnotherThread(Call call) {
  decltype(call()) result{};
  std::thread([&] { result = call(); }).join();
  return result;
}

TEST(ThreadChecker, IsBoundToTheThreadThatMadeIt) {
  const ThreadChecker checker;
  EXPECT_TRUE(checker.CalledOnValidThread());
  EXPECT_FALSE(OnAnotherThread([&] { return checker.CalledOnValidThread(); }));
  EXPECT_TRUE(checker.CalledOnValidThread()) << "asking from elsewhere must not rebind it";
}

TEST(ThreadChecker, ADetachedCheckerBindsToTheThreadThatAsksFirst) {
  ThreadChecker checker;
  checker.DetachFromThread();
  EXPECT_TRUE(OnAnotherThread([&] { return checker.CalledOnValidThread(); }));
  EXPECT_FALSE(checker.CalledOnValidThread()) << "the maker's thread is a stranger now";
  EXPECT_TRUE(OnAnotherThread([&] {
    ThreadChecker made;  // on a thread of its own
    return made.CalledOnValidThread();
  }));
}

TEST(ThreadChecker, OnlyOneOfTwoRacingThreadsWinsADetachedChecker) {
  ThreadChecker checker;
  checker.DetachFromThread();
  bool first = false;
  bool second = false;
  std::thread a([&] { first = checker.CalledOnValidThread(); });
  std::thread b([&] { second = checker.CalledOnValidThread(); });
  a.join();
  b.join();
  EXPECT_NE(first, second);
}

TEST(ThreadChecker, DisabledBuildsAddNothingToTheObject) {
  struct Bare {
    int touches = 0;
  };
  struct Checked {
    int touches = 0;
    THREAD_CHECKER(threadChecker_);
  };
  if (kThreadChecksOn) GTEST_SKIP() << "thread checks are on in this build";
  EXPECT_EQ(sizeof(Checked), sizeof(Bare));
}

TEST(ThreadCheckerDeathTest, ACheckedCallFromAnotherThreadAborts) {
  if (!kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Affine affine;
  affine.Touch();
  EXPECT_DEATH(OnAnotherThread([&] { return affine.Touch(); }),
               "Affine::Touch.*called on a thread other than the one threadChecker_ is bound to");
}

TEST(ThreadCheckerDeathTest, AnObjectHandedOverIsUsedOnItsNewThread) {
  if (!kThreadChecksOn) GTEST_SKIP() << "thread checks are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Affine affine;
  affine.HandOver();
  EXPECT_EQ(OnAnotherThread([&] {
              affine.Touch();
              return affine.Touch();
            }),
            2);
  EXPECT_DEATH(affine.Touch(), "called on a thread other than");
}

}  // namespace
}  // namespace platform
