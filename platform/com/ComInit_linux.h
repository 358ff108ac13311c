// The Linux side of platform/com/ComInit.h: COM initialisation of a thread.
#pragma once

#include "platform/com/HResult.h"

constexpr DWORD COINIT_MULTITHREADED = 0x0;
constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

HRESULT WINAPI CoInitializeEx(void* reserved, DWORD concurrencyModel);
HRESULT WINAPI CoInitialize(void* reserved);  // apartment-threaded
void WINAPI CoUninitialize();
