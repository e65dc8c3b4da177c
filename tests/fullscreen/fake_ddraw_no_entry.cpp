// A ddraw.dll without the "DirectDrawCreate" entry point, for the test of
// a DirectDraw library that cannot be used.
#include <windows.h>

extern "C" __attribute__((dllexport)) HRESULT WINAPI DirectDrawEnumerateA(void*, void*) { return E_FAIL; }
