// Counts what keeps a COM module loaded: live objects and server locks
// (IClassFactory::LockServer). The server's DllCanUnloadNow answers from
// here. The counters are per module because every module links its own copy
// of this library, as every Windows DLL has its own ATL module object.
#pragma once

#include "platform/com/HResult.h"

namespace platform {

class ModuleLifetime {
 public:
  static void AddObject() noexcept;
  static void RemoveObject() noexcept;
  static void Lock() noexcept;
  // An unlock without a matching lock is ignored rather than letting the
  // count go negative and the module unload under a live lock.
  static void Unlock() noexcept;
  static LONG ObjectCount() noexcept;
  static LONG LockCount() noexcept;
  // True when no counted object and no lock is outstanding.
  static bool CanUnload() noexcept;
};

// Base for classes whose live instances keep the module loaded: construction
// adds one to the module's object count, destruction removes it. Derive from
// it next to ComObject (`class HookC : public ComObject<...>, ModuleObject`).
class ModuleObject {
 protected:
  ModuleObject() noexcept { ModuleLifetime::AddObject(); }
  ModuleObject(const ModuleObject&) noexcept { ModuleLifetime::AddObject(); }
  ModuleObject& operator=(const ModuleObject&) noexcept = default;
  ~ModuleObject() { ModuleLifetime::RemoveObject(); }
};

}  // namespace platform
