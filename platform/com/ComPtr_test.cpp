#include "platform/com/ComPtr.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct IOther : IUnknown {
  static constexpr IID kIid = MakeGuid("{B0000000-0000-0000-0000-000000000001}");

 protected:
  ~IOther() = default;
};

// A hand-written object that records every AddRef and Release, so the tests
// see exactly what the smart pointer does. It lives on the stack and is
// never deleted by Release.
class Recorder final : public IOther {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IOther::kIid) {
      *object = static_cast<IOther*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

  int references = 1;
};

TEST(ComPtr, ConstructionFromRawPointerShares) {
  Recorder object;
  {
    ComPtr<IUnknown> pointer(&object);
    EXPECT_EQ(object.references, 2);
  }
  EXPECT_EQ(object.references, 1);
}

TEST(ComPtr, CopyAddRefsMoveSteals) {
  Recorder object;
  ComPtr<IOther> first(&object);
  ComPtr<IOther> copy = first;
  EXPECT_EQ(object.references, 3);
  ComPtr<IOther> moved = std::move(copy);
  EXPECT_EQ(object.references, 3);
  EXPECT_FALSE(copy);  // NOLINT(bugprone-use-after-move): moving must empty the source
  ComPtr<IUnknown> widened = std::move(moved);
  EXPECT_EQ(object.references, 3);
  EXPECT_EQ(widened.Get(), static_cast<IUnknown*>(&object));
}

TEST(ComPtr, AssignmentReleasesThePreviousObject) {
  Recorder a;
  Recorder b;
  ComPtr<IOther> pointer(&a);
  pointer = &b;
  EXPECT_EQ(a.references, 1);
  EXPECT_EQ(b.references, 2);
  ComPtr<IOther>& alias = pointer;
  pointer = alias;
  EXPECT_EQ(b.references, 2) << "self-assignment must neither leak nor release";
  pointer = nullptr;
  EXPECT_EQ(b.references, 1);
  EXPECT_EQ(pointer, nullptr);
}

TEST(ComPtr, AttachAdoptsAndDetachHandsOver) {
  Recorder object;
  object.AddRef();  // the reference Attach adopts
  ComPtr<IOther> pointer;
  pointer.Attach(&object);
  EXPECT_EQ(object.references, 2);
  IOther* raw = pointer.Detach();
  EXPECT_EQ(raw, &object);
  EXPECT_FALSE(pointer);
  EXPECT_EQ(object.references, 2);
  raw->Release();
}

TEST(ComPtr, OutParameterSlotReleasesWhatWasHeld) {
  Recorder held;
  Recorder fresh;
  ComPtr<IUnknown> pointer(&held);
  EXPECT_EQ(fresh.QueryInterface(IID_PPV_ARGS(pointer.ReleaseAndGetAddressOf())), S_OK);
  EXPECT_EQ(held.references, 1);
  EXPECT_EQ(fresh.references, 2);
  EXPECT_EQ(pointer.Get(), static_cast<IUnknown*>(&fresh));
}

TEST(ComPtr, AsQueriesAndEmptiesTheTargetOnFailure) {
  Recorder object;
  Recorder stale;
  ComPtr<IUnknown> unknown(&object);
  ComPtr<IOther> other(&stale);
  EXPECT_EQ(unknown.As(&other), S_OK);
  EXPECT_EQ(stale.references, 1);
  EXPECT_EQ(object.references, 3);

  ComPtr<IClassFactory> factory;
  EXPECT_EQ(unknown.As(&factory), E_NOINTERFACE);
  EXPECT_FALSE(factory);

  ComPtr<IUnknown> empty;
  EXPECT_EQ(empty.As(&other), E_POINTER);
  EXPECT_FALSE(other);
  EXPECT_EQ(object.references, 2);
  EXPECT_EQ(unknown.As<IOther>(nullptr), E_POINTER);
}

TEST(ComPtr, CopyToGivesTheCallerItsOwnReference) {
  Recorder object;
  ComPtr<IOther> pointer(&object);
  IOther* out = nullptr;
  EXPECT_EQ(pointer.CopyTo(&out), S_OK);
  EXPECT_EQ(out, &object);
  EXPECT_EQ(object.references, 3);
  out->Release();
  EXPECT_EQ(pointer.CopyTo(nullptr), E_POINTER);
  ComPtr<IOther> empty;
  EXPECT_EQ(empty.CopyTo(&out), S_OK);
  EXPECT_EQ(out, nullptr);
}

}  // namespace
}  // namespace platform
