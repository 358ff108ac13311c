// The classes of the activation tests' server module, shared by the module
// and the tests.
#pragma once

#include "platform/com/Unknown.h"

struct ITestGreeter : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("5B0C2D7E-41A9-4E0B-8C57-0F4E3D2A1B90");
  virtual int Greet() = 0;

 protected:
  ~ITestGreeter() = default;
};

// Served by the module.
inline constexpr CLSID CLSID_TestGreeter =
    platform::MakeGuid("9D6A1F32-7C4B-4E8A-B1D0-3E5F6A7B8C91");
// Registered to the module in tests, but the module does not serve it.
inline constexpr CLSID CLSID_TestUnserved =
    platform::MakeGuid("9D6A1F32-7C4B-4E8A-B1D0-3E5F6A7B8C92");
