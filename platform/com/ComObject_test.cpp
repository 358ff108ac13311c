#include "platform/com/ComObject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace platform {
namespace {

struct IAnimal : IUnknown {
  static constexpr IID kIid = MakeGuid("{A0000000-0000-0000-0000-000000000001}");
  virtual int Legs() = 0;

 protected:
  ~IAnimal() = default;
};

struct IDog : IAnimal {
  using BaseInterface = IAnimal;
  static constexpr IID kIid = MakeGuid("{A0000000-0000-0000-0000-000000000002}");
  virtual int Bark() = 0;

 protected:
  ~IDog() = default;
};

struct IOwner : IUnknown {
  static constexpr IID kIid = MakeGuid("{A0000000-0000-0000-0000-000000000003}");
  virtual int Owners() = 0;

 protected:
  ~IOwner() = default;
};

struct ITearOff : IUnknown {
  static constexpr IID kIid = MakeGuid("{A0000000-0000-0000-0000-000000000004}");

 protected:
  ~ITearOff() = default;
};

constexpr IID kUnknownToEveryone = MakeGuid("{A0000000-0000-0000-0000-0000000000FF}");

class Dog final : public ComObject<IDog, IOwner> {
 public:
  explicit Dog(int* destroyed) : destroyed_(destroyed) {}
  ~Dog() override { ++*destroyed_; }
  int Legs() override { return 4; }
  int Bark() override { return 1; }
  int Owners() override { return 2; }

 protected:
  // Answers ITearOff with the IOwner interface, standing in for a tear-off.
  HRESULT QueryOtherInterface(REFIID iid, void** object) override {
    if (iid != ITearOff::kIid) return E_NOINTERFACE;
    *object = static_cast<IOwner*>(this);
    AddRef();
    return S_OK;
  }

 private:
  int* destroyed_;
};

IUnknown* IdentityOf(IUnknown* unknown) {
  void* identity = nullptr;
  EXPECT_EQ(unknown->QueryInterface(IID_IUnknown, &identity), S_OK);
  unknown->Release();  // the QI reference; the caller still holds its own
  return static_cast<IUnknown*>(identity);
}

TEST(ComObject, StartsWithOneReferenceAndDeletesAtZero) {
  int destroyed = 0;
  ComPtr<Dog> dog = Make<Dog>(&destroyed);
  EXPECT_EQ(dog->AddRef(), 2u);
  EXPECT_EQ(dog->Release(), 1u);
  EXPECT_EQ(destroyed, 0);
  dog.Reset();
  EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, AnswersListedInterfacesBaseChainsAndTheHook) {
  int destroyed = 0;
  ComPtr<Dog> dog = Make<Dog>(&destroyed);
  const IID answered[] = {IID_IUnknown, IAnimal::kIid, IDog::kIid, IOwner::kIid, ITearOff::kIid};
  for (const IID& iid : answered) {
    SCOPED_TRACE(FormatGuid(iid));
    void* object = nullptr;
    ASSERT_EQ(dog->QueryInterface(iid, &object), S_OK);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(dog->AddRef(), 3u) << "QueryInterface must AddRef what it returns";
    dog->Release();
    static_cast<IUnknown*>(object)->Release();
  }
  EXPECT_EQ(dog->AddRef(), 2u);
  dog->Release();
}

TEST(ComObject, IdentityAndSymmetryHoldAcrossEveryPair) {
  int destroyed = 0;
  ComPtr<Dog> dog = Make<Dog>(&destroyed);
  const IID iids[] = {IID_IUnknown, IAnimal::kIid, IDog::kIid, IOwner::kIid};
  IUnknown* identity = nullptr;
  ASSERT_EQ(dog->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID& from : iids) {
    IUnknown* source = nullptr;
    ASSERT_EQ(dog->QueryInterface(from, reinterpret_cast<void**>(&source)), S_OK);
    EXPECT_EQ(IdentityOf(source), identity);
    for (const IID& to : iids) {
      void* target = nullptr;
      ASSERT_EQ(source->QueryInterface(to, &target), S_OK);
      IUnknown* back = nullptr;
      EXPECT_EQ(
          static_cast<IUnknown*>(target)->QueryInterface(from, reinterpret_cast<void**>(&back)),
          S_OK);
      EXPECT_EQ(back, source) << "the same interface must come back as the same pointer";
      back->Release();
      static_cast<IUnknown*>(target)->Release();
    }
    source->Release();
  }
  identity->Release();
  dog.Reset();
  EXPECT_EQ(destroyed, 1) << "every reference taken above was given back";
}

TEST(ComObject, FailedQueryLeavesNullAndNoReference) {
  int destroyed = 0;
  ComPtr<Dog> dog = Make<Dog>(&destroyed);
  void* object = &destroyed;  // garbage the failure must overwrite
  EXPECT_EQ(dog->QueryInterface(kUnknownToEveryone, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(dog->QueryInterface(IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(dog->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(dog->AddRef(), 2u);
  dog->Release();
}

TEST(ComObject, ConcurrentReferencesDeleteExactlyOnce) {
  int destroyed = 0;
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  {
    ComPtr<Dog> dog = Make<Dog>(&destroyed);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([shared = dog] {
        for (int i = 0; i < kRounds; ++i) {
          ComPtr<IAnimal> copy = shared;
          ComPtr<IAnimal> moved = std::move(copy);
          EXPECT_EQ(moved->Legs(), 4);
        }
      });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(dog->AddRef(), 2u);
    dog->Release();
  }
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace platform
