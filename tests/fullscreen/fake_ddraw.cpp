// A DirectDraw library for the display tests: built as ddraw.dll and put
// beside a copy of the program under test (run with WINEDLLOVERRIDES=ddraw=n,b).
// It implements the first-version IDirectDraw and IDirectDrawSurface
// methods the framework uses, records every call with its arguments, and
// misbehaves on request. Besides the DirectDraw calls it records the
// program's calls of DestroyWindow, FreeLibrary, SystemParametersInfoA,
// SetCursor, Sleep and ExitProcess, by patching the program's import table.
//
// Environment (all optional):
//   FAKE_DDRAW_LOG=FILE         append one line per call to FILE
//   FAKE_DDRAW_FAIL=STEP        fail: create, coop, surface, attach, format
//   FAKE_DDRAW_MODES=32,24,16   bit depths SetDisplayMode accepts
//   FAKE_DDRAW_CHAINS=2,1,0     back buffer counts CreateSurface grants
//                               (0: the plain primary of the third form)
//   FAKE_DDRAW_FORMAT=F:N:R:G:B pixel format: flags, bit count, masks (hex)
//   FAKE_DDRAW_LOCK_FAIL=2,5    Lock calls (counted from 1) that fail
//   FAKE_DDRAW_POST=N:WHAT,...  after Lock call N post escape, close, key
//                               (the A key), inactive or active
//   FAKE_DDRAW_INACTIVE=1       never send WM_ACTIVATEAPP
//   FAKE_DDRAW_FORWARD=1        pass everything to the system's DirectDraw,
//                               only SetDisplayMode filtered by MODES
// At every Unlock the locked surface is compared with the test pattern in
// the reported format, and the pitch margin with its fill byte.
#define CINTERFACE
#include <windows.h>
#include <ddraw.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "test_pattern.h"

namespace {

// ---- configuration and log ---------------------------------------------

std::string env(const char* name, const char* fallback = "") {
    const char* v = std::getenv(name);
    return v ? v : fallback;
}

std::vector<long> numbers(const std::string& list) {
    std::vector<long> out;
    for (const char* p = list.c_str(); *p;) {
        char* end = nullptr;
        out.push_back(std::strtol(p, &end, 0));
        p = *end ? end + 1 : end;
    }
    return out;
}

bool listed(const std::string& list, long value) {
    for (long n : numbers(list))
        if (n == value) return true;
    return false;
}

void log(const char* format, ...) {
    static std::FILE* file = nullptr;
    if (!file) {
        const std::string path = env("FAKE_DDRAW_LOG");
        if (path.empty()) return;
        file = std::fopen(path.c_str(), "ab");  // binary: plain \n line ends
        if (!file) return;
    }
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fflush(file);
}

bool failing(const char* step) { return env("FAKE_DDRAW_FAIL") == step; }

constexpr HRESULT fake_failure = static_cast<HRESULT>(0x88760000 | 540);  // any negative result

// ---- the program's imports, recorded ------------------------------------

HWND window = nullptr;

BOOL WINAPI logged_DestroyWindow(HWND w) {
    log("DestroyWindow %s", w == window && w ? "framework-window" : "other");
    return DestroyWindow(w);
}
BOOL WINAPI logged_FreeLibrary(HMODULE m) {
    log("FreeLibrary %s", m == GetModuleHandleA("ddraw.dll") ? "ddraw" : "other");
    return TRUE;  // stays loaded: the program still calls through this table
}
BOOL WINAPI logged_SystemParametersInfoA(UINT action, UINT param, PVOID pointer, UINT flags) {
    log("SystemParametersInfoA %u %u %s %u", action, param, pointer ? "pointer" : "null", flags);
    return SystemParametersInfoA(action, param, pointer, flags);
}
HCURSOR WINAPI logged_SetCursor(HCURSOR c) {
    log("SetCursor %s", c ? "cursor" : "null");
    return SetCursor(c);
}
void WINAPI logged_Sleep(DWORD ms) {
    log("Sleep %lu", ms);
    Sleep(ms);
}
void WINAPI logged_ExitProcess(UINT code) {
    log("ExitProcess %u", code);
    ExitProcess(code);
}

void patch_imports() {
    struct Hook {
        const char* module;
        const char* name;
        void* replacement;
    } hooks[] = {
        {"user32.dll", "DestroyWindow", reinterpret_cast<void*>(logged_DestroyWindow)},
        {"kernel32.dll", "FreeLibrary", reinterpret_cast<void*>(logged_FreeLibrary)},
        {"user32.dll", "SystemParametersInfoA", reinterpret_cast<void*>(logged_SystemParametersInfoA)},
        {"user32.dll", "SetCursor", reinterpret_cast<void*>(logged_SetCursor)},
        {"kernel32.dll", "Sleep", reinterpret_cast<void*>(logged_Sleep)},
        {"kernel32.dll", "ExitProcess", reinterpret_cast<void*>(logged_ExitProcess)},
    };
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; thunk->u1.Function; ++thunk)
            for (const Hook& h : hooks) {
                void* real = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(h.module), h.name));
                if (real && reinterpret_cast<void*>(thunk->u1.Function) == real) {
                    DWORD old;
                    VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, PAGE_READWRITE, &old);
                    thunk->u1.Function = reinterpret_cast<DWORD_PTR>(h.replacement);
                    VirtualProtect(&thunk->u1.Function, sizeof thunk->u1.Function, old, &old);
                }
            }
    }
}

// The program's "IDI_MAIN" icon group: one "WxH/colours" entry per image.
void log_icon_group() {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bit_count;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
    };
#pragma pack(pop)
    HMODULE program = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(program, "IDI_MAIN", reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    const void* data = found ? LockResource(LoadResource(program, found)) : nullptr;
    if (!data) {
        log("icon group IDI_MAIN missing");
        return;
    }
    const auto* header = static_cast<const GroupHeader*>(data);
    const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    std::string text = "icon group IDI_MAIN:";
    for (int i = 0; i < header->count; ++i) {
        const GroupEntry& e = entries[i];
        const unsigned colours = e.colours ? e.colours : 1u << (e.bit_count * e.planes);
        text += " " + std::to_string(e.width ? e.width : 256) + "x" + std::to_string(e.height ? e.height : 256) + "/" +
                std::to_string(colours);
    }
    log("%s", text.c_str());
}

// ---- the surfaces -------------------------------------------------------

struct PixelFormat {
    DWORD flags = DDPF_RGB, bits = 32, red = 0xFF0000, green = 0xFF00, blue = 0xFF;
};

PixelFormat screen_format() {
    PixelFormat f;
    const std::vector<long> v = numbers(env("FAKE_DDRAW_FORMAT"));
    if (v.size() == 5) {
        f.flags = v[0];
        f.bits = v[1];
        f.red = v[2];
        f.green = v[3];
        f.blue = v[4];
    }
    return f;
}

constexpr BYTE margin_fill = 0xA5;
constexpr int margin_bytes = 24;

struct Surface {
    IDirectDrawSurface iface;
    bool primary;
};

Surface primary_surface, back_surface;
int mode_width = test_pattern::width, mode_height = test_pattern::height;
std::vector<BYTE> back_memory;
LONG back_pitch = 0;
int locks = 0;
bool locked = false;

const char* which(IDirectDrawSurface* s) { return s == &primary_surface.iface ? "primary" : "back"; }

DWORD channel(std::uint32_t value8, DWORD mask) {
    if (!mask) return 0;
    int shift = 0, bits = 0;
    while (!(mask >> shift & 1)) ++shift;
    while (mask >> (shift + bits) & 1) ++bits;
    return bits >= 8 ? value8 << (shift + bits - 8) : (value8 >> (8 - bits)) << shift;
}

// Compares the locked surface with the test pattern in the screen format.
void check_surface() {
    const PixelFormat f = screen_format();
    const int bpp = static_cast<int>(f.bits / 8);
    for (int y = 0; y < mode_height; ++y) {
        const BYTE* row = back_memory.data() + y * back_pitch;
        for (int x = 0; x < mode_width; ++x) {
            const std::uint32_t p = test_pattern::pixel(x, y);
            const DWORD v = channel(p >> 16 & 0xFF, f.red) | channel(p >> 8 & 0xFF, f.green) | channel(p & 0xFF, f.blue);
            for (int b = 0; b < bpp; ++b)
                if (row[x * bpp + b] != static_cast<BYTE>(v >> (8 * b))) {
                    log("surface differs at row %d pixel %d byte %d: %02x, expected %02x", y, x, b, row[x * bpp + b],
                        static_cast<BYTE>(v >> (8 * b)));
                    return;
                }
        }
        for (int m = mode_width * bpp; m < back_pitch; ++m)
            if (row[m] != margin_fill) {
                log("surface margin written at row %d byte %d", y, m);
                return;
            }
    }
    log("surface shows the pattern, margin intact");
}

HRESULT STDMETHODCALLTYPE s_QueryInterface(IDirectDrawSurface*, REFIID, void**) { return E_NOINTERFACE; }
ULONG STDMETHODCALLTYPE s_AddRef(IDirectDrawSurface*) { return 1; }
ULONG STDMETHODCALLTYPE s_Release(IDirectDrawSurface* s) {
    log("Release %s", which(s));
    return 0;
}
HRESULT STDMETHODCALLTYPE s_GetAttachedSurface(IDirectDrawSurface* s, LPDDSCAPS caps, LPDIRECTDRAWSURFACE* out) {
    log("GetAttachedSurface %s caps=0x%lx", which(s), caps->dwCaps);
    if (failing("attach") || back_memory.empty()) return fake_failure;  // a plain primary has no back buffer
    *out = &back_surface.iface;
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE s_GetPixelFormat(IDirectDrawSurface* s, LPDDPIXELFORMAT pf) {
    log("GetPixelFormat %s size=%lu", which(s), pf->dwSize);
    if (failing("format")) return fake_failure;
    const PixelFormat f = screen_format();
    pf->dwFlags = f.flags;
    pf->dwRGBBitCount = f.bits;
    pf->dwRBitMask = f.red;
    pf->dwGBitMask = f.green;
    pf->dwBBitMask = f.blue;
    pf->dwRGBAlphaBitMask = 0xFF000000;  // never looked at
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE s_Restore(IDirectDrawSurface* s) {
    log("Restore %s", which(s));
    return DD_OK;
}
void post_actions(int lock_number) {
    for (const char* p = std::getenv("FAKE_DDRAW_POST"); p && *p;) {
        char* end = nullptr;
        const long n = std::strtol(p, &end, 10);
        std::string what(end + 1, std::strcspn(end + 1, ","));
        p = end + 1 + what.size();
        if (*p == ',') ++p;
        if (n != lock_number) continue;
        log("post %s", what.c_str());
        if (what == "escape") PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        if (what == "key") PostMessageA(window, WM_KEYDOWN, 'A', 0x001E0001);
        if (what == "close") PostMessageA(window, WM_CLOSE, 0, 0);
        if (what == "inactive") PostMessageA(window, WM_ACTIVATEAPP, 0, 0);
        if (what == "active") PostMessageA(window, WM_ACTIVATEAPP, 1, 0);
        if (what == "setcursor") PostMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), HTCLIENT);
    }
}
HRESULT STDMETHODCALLTYPE s_Lock(IDirectDrawSurface* s, LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, HANDLE event) {
    ++locks;
    log("Lock %s rect=%s size=%lu flags=0x%lx event=%s", which(s), rect ? "given" : "null", desc->dwSize, flags,
        event ? "given" : "null");
    post_actions(locks);
    if (listed(env("FAKE_DDRAW_LOCK_FAIL"), locks)) return DDERR_SURFACELOST;
    std::memset(back_memory.data(), margin_fill, back_memory.size());
    desc->dwFlags = DDSD_PITCH | DDSD_WIDTH | DDSD_HEIGHT | DDSD_LPSURFACE;
    desc->dwWidth = mode_width;
    desc->dwHeight = mode_height;
    desc->lPitch = back_pitch;
    desc->lpSurface = back_memory.data();
    locked = true;
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE s_Unlock(IDirectDrawSurface* s, LPVOID pointer) {
    log("Unlock %s pointer=%s", which(s), pointer == back_memory.data() ? "locked" : "other");
    if (locked) check_surface();
    locked = false;
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE s_Flip(IDirectDrawSurface* s, LPDIRECTDRAWSURFACE target, DWORD flags) {
    log("Flip %s target=%s flags=0x%lx", which(s), target ? "given" : "null", flags);
    return DD_OK;
}

IDirectDrawSurfaceVtbl surface_vtbl;

// ---- the DirectDraw object ----------------------------------------------

IDirectDraw fake_ddraw;
IDirectDrawVtbl ddraw_vtbl;

HRESULT STDMETHODCALLTYPE d_QueryInterface(IDirectDraw*, REFIID, void**) { return E_NOINTERFACE; }
ULONG STDMETHODCALLTYPE d_AddRef(IDirectDraw*) { return 1; }
ULONG STDMETHODCALLTYPE d_Release(IDirectDraw*) {
    log("Release ddraw");
    return 0;
}
HRESULT STDMETHODCALLTYPE d_SetCooperativeLevel(IDirectDraw*, HWND w, DWORD flags) {
    log("SetCooperativeLevel window=%s flags=0x%lx", w ? (w == window || !window ? "framework-window" : "other") : "null",
        flags);
    if (failing("coop") || !w) return fake_failure;
    if (!window) log("window class icon %s", GetClassLongPtrA(w, GCLP_HICON) ? "set" : "missing");
    window = w;
    // As a real display does on taking exclusive control: activate the app.
    if (flags & DDSCL_EXCLUSIVE && env("FAKE_DDRAW_INACTIVE").empty()) SendMessageA(w, WM_ACTIVATEAPP, TRUE, 0);
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE d_SetDisplayMode(IDirectDraw*, DWORD width, DWORD height, DWORD bits) {
    log("SetDisplayMode %lu %lu %lu", width, height, bits);
    if (!listed(env("FAKE_DDRAW_MODES", "32,24,16"), bits)) return DDERR_INVALIDMODE;
    mode_width = width;
    mode_height = height;
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE d_CreateSurface(IDirectDraw*, LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* out, IUnknown* outer) {
    const bool counted = desc->dwFlags & DDSD_BACKBUFFERCOUNT;
    log("CreateSurface size=%lu flags=0x%lx backbuffers=%s%lu caps=0x%lx outer=%s", desc->dwSize, desc->dwFlags,
        counted ? "" : "unset:", counted ? desc->dwBackBufferCount : 0ul, desc->ddsCaps.dwCaps,
        outer ? "given" : "null");
    const long chain = counted ? static_cast<long>(desc->dwBackBufferCount) : 0;
    if (failing("surface") || !listed(env("FAKE_DDRAW_CHAINS", "2,1,0"), chain)) return DDERR_OUTOFVIDEOMEMORY;
    if (chain > 0) {
        const int bpp = static_cast<int>(screen_format().bits / 8);
        back_pitch = mode_width * (bpp ? bpp : 1) + margin_bytes;
        back_memory.assign(static_cast<std::size_t>(back_pitch) * mode_height, margin_fill);
    }
    *out = &primary_surface.iface;
    return DD_OK;
}
HRESULT STDMETHODCALLTYPE d_RestoreDisplayMode(IDirectDraw*) {
    log("RestoreDisplayMode");
    return DD_OK;
}

// ---- forwarding to the system's DirectDraw ------------------------------

IDirectDrawVtbl forwarded_vtbl;
HRESULT(STDMETHODCALLTYPE* real_SetDisplayMode)(IDirectDraw*, DWORD, DWORD, DWORD);

HRESULT STDMETHODCALLTYPE f_SetDisplayMode(IDirectDraw* dd, DWORD width, DWORD height, DWORD bits) {
    log("SetDisplayMode %lu %lu %lu", width, height, bits);
    if (!listed(env("FAKE_DDRAW_MODES", "32,24,16"), bits)) return DDERR_INVALIDMODE;
    return real_SetDisplayMode(dd, width, height, bits);
}

HRESULT create_forwarded(GUID* guid, LPDIRECTDRAW* out, IUnknown* outer) {
    char path[MAX_PATH];
    GetSystemDirectoryA(path, MAX_PATH);
    std::strcat(path, "\\ddraw.dll");
    HMODULE real = LoadLibraryA(path);
    auto create = real ? reinterpret_cast<HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*)>(
                             reinterpret_cast<void*>(GetProcAddress(real, "DirectDrawCreate")))
                       : nullptr;
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&create_forwarded), &self);
    if (!create || real == self) {
        log("no system DirectDraw to forward to");
        return fake_failure;
    }
    const HRESULT hr = create(guid, out, outer);
    if (FAILED(hr)) return hr;
    forwarded_vtbl = *(*out)->lpVtbl;
    real_SetDisplayMode = forwarded_vtbl.SetDisplayMode;
    forwarded_vtbl.SetDisplayMode = f_SetDisplayMode;
    (*out)->lpVtbl = &forwarded_vtbl;
    return hr;
}

}  // namespace

extern "C" __attribute__((dllexport)) HRESULT WINAPI DirectDrawCreate(GUID* guid, LPDIRECTDRAW* out, IUnknown* outer) {
    patch_imports();
    log_icon_group();
    log("DirectDrawCreate guid=%s outer=%s", guid ? "given" : "null", outer ? "given" : "null");
    if (failing("create")) return fake_failure;
    if (!env("FAKE_DDRAW_FORWARD").empty()) return create_forwarded(guid, out, outer);
    ddraw_vtbl.QueryInterface = d_QueryInterface;
    ddraw_vtbl.AddRef = d_AddRef;
    ddraw_vtbl.Release = d_Release;
    ddraw_vtbl.SetCooperativeLevel = d_SetCooperativeLevel;
    ddraw_vtbl.SetDisplayMode = d_SetDisplayMode;
    ddraw_vtbl.CreateSurface = d_CreateSurface;
    ddraw_vtbl.RestoreDisplayMode = d_RestoreDisplayMode;
    fake_ddraw.lpVtbl = &ddraw_vtbl;
    surface_vtbl.QueryInterface = s_QueryInterface;
    surface_vtbl.AddRef = s_AddRef;
    surface_vtbl.Release = s_Release;
    surface_vtbl.GetAttachedSurface = s_GetAttachedSurface;
    surface_vtbl.GetPixelFormat = s_GetPixelFormat;
    surface_vtbl.Restore = s_Restore;
    surface_vtbl.Lock = s_Lock;
    surface_vtbl.Unlock = s_Unlock;
    surface_vtbl.Flip = s_Flip;
    primary_surface = {{&surface_vtbl}, true};
    back_surface = {{&surface_vtbl}, false};
    *out = &fake_ddraw;
    return DD_OK;
}
