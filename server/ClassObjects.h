// The module's class objects: each class's factory is made on its first
// request and kept for the module's life, so every DllGetClassObject for a
// class answers the same object; the module's stop lets them all go.
//
// Thread-safe: the browser asks from each of its window threads.
#pragma once

#include "platform/com/Unknown.h"

namespace server {

// The factory of `clsid` queried for `iid`; CLASS_E_CLASSNOTAVAILABLE for a
// class the module does not serve.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

void ReleaseClassObjects();

}  // namespace server
