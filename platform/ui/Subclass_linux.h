// The Linux side of platform/ui/Subclass.h: window subclassing.
#pragma once

#include "platform/ui/WindowMessages.h"

// Only the window's own thread may subclass it.
BOOL WINAPI SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass, DWORD_PTR refData);
BOOL WINAPI GetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass,
                              DWORD_PTR* refData);
// When the last subclass goes, the window procedure is put back.
BOOL WINAPI RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR idSubclass);
LRESULT WINAPI DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
