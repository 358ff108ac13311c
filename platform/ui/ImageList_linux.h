// The Linux side of platform/ui/ImageList.h: image lists.
#pragma once

#include "platform/ui/WindowMessages.h"

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR32 = 0x0020;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;
constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;

HIMAGELIST WINAPI ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL WINAPI ImageList_Destroy(HIMAGELIST list);
int WINAPI ImageList_GetImageCount(HIMAGELIST list);
BOOL WINAPI ImageList_GetIconSize(HIMAGELIST list, int* width, int* height);
COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST list, COLORREF colour);
// Copies the bitmap and cuts the copy into images of the list's width (a bitmap narrower than
// one image adds nothing) and adds them; with ILC_MASK, pixels of the mask
// colour (a COLORREF; CLR_DEFAULT takes the top-left pixel) are transparent.
// Returns the index of the first image added, or -1.
int WINAPI ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
// Index -1 removes every image.
BOOL WINAPI ImageList_Remove(HIMAGELIST list, int index);
// Records the image on a device context (see Gdi.h).
BOOL WINAPI ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
