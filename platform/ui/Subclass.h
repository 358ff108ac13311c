// Window subclassing with reference data (SetWindowSubclass and friends of
// the common controls), the way C++ objects take over a window they did not
// create: the rebar of the host, the edit child of a combo box. The newest
// subclass sees a message first; DefSubclassProc hands it to the next older
// one and finally to the window procedure the window had before. Plain
// SetWindowLongPtrW(GWLP_WNDPROC) + CallWindowProcW works as well.
#pragma once

#include "platform/ui/WindowMessages.h"

// Only the window's own thread may subclass it.
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass, DWORD_PTR refData);
BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass, DWORD_PTR* refData);
// When the last subclass goes, the window procedure is put back.
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass);
LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
