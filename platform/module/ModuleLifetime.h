// Counts what keeps a COM module loaded: live objects, server locks
// (IClassFactory::LockServer) and the worker threads the module started.
// The server's DllCanUnloadNow answers from here. The counters are per
// module because every module links its own copy of this part (see
// ThisModule.h), as every Windows DLL has its own ATL module object.
#pragma once

#include "platform/com/HResult.h"
#include "platform/module/ModuleLocal.h"

namespace platform {

class VIMARU_MODULE_LOCAL ModuleLifetime {
 public:
  static void AddObject() noexcept;
  static void RemoveObject() noexcept;
  static void Lock() noexcept;
  // An unlock without a matching lock is ignored rather than letting the
  // count go negative and the module unload under a live lock.
  static void Unlock() noexcept;
  static LONG ObjectCount() noexcept;
  static LONG LockCount() noexcept;
  // True when no counted object, no lock and no worker thread of this module
  // is outstanding.
  static bool CanUnload() noexcept;
};

// Base for classes whose live instances keep the module loaded: construction
// adds one to the module's object count, destruction removes it. Derive from
// it next to ComObject (`class HookC : public ComObject<...>, ModuleObject`).
// Its members are each binary's own too, so no binary counts into another's
// module.
class ModuleObject {
 protected:
  VIMARU_MODULE_LOCAL ModuleObject() noexcept { ModuleLifetime::AddObject(); }
  VIMARU_MODULE_LOCAL ModuleObject(const ModuleObject&) noexcept { ModuleLifetime::AddObject(); }
  ModuleObject& operator=(const ModuleObject&) noexcept = default;
  VIMARU_MODULE_LOCAL ~ModuleObject() { ModuleLifetime::RemoveObject(); }
};

}  // namespace platform
