// The tab context's host data: the handle of the browser-side window that
// owns the toolbar, used as the owner of dialogs. The framework only hands
// it along, so it stays opaque here.
#pragma once

namespace framework {

using HostData = void*;

}  // namespace framework
