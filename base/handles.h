#pragma once
// Scoped owners for the handles the program creates. Each type closes its
// handle exactly once and can be moved but not copied.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace base {

template <typename T, typename Traits>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(T h) : h_(h) {}
    ~Scoped() { reset(); }
    Scoped(Scoped&& o) noexcept : h_(o.release()) {}
    Scoped& operator=(Scoped&& o) noexcept { reset(o.release()); return *this; }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

    T get() const { return h_; }
    explicit operator bool() const { return Traits::valid(h_); }
    T release() { T h = h_; h_ = Traits::empty(); return h; }
    void reset(T h = Traits::empty()) {
        if (Traits::valid(h_)) Traits::close(h_);
        h_ = h;
    }

private:
    T h_ = Traits::empty();
};

template <typename T, BOOL(WINAPI* Close)(T)>
struct NullTraits {
    static T empty() { return nullptr; }
    static bool valid(T h) { return h != nullptr; }
    static void close(T h) { Close(h); }
};

// Handles that the calls making them give as INVALID_HANDLE_VALUE on failure.
template <BOOL(WINAPI* Close)(HANDLE)>
struct InvalidTraits {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void close(HANDLE h) { Close(h); }
};

struct GdiTraits {
    static HGDIOBJ empty() { return nullptr; }
    static bool valid(HGDIOBJ h) { return h != nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};

template <typename T>
class GdiObject : public Scoped<HGDIOBJ, GdiTraits> {
public:
    GdiObject() = default;
    explicit GdiObject(T h) : Scoped<HGDIOBJ, GdiTraits>(h) {}
    T get() const { return static_cast<T>(Scoped<HGDIOBJ, GdiTraits>::get()); }
};

using ScopedHandle = Scoped<HANDLE, NullTraits<HANDLE, CloseHandle>>;
using ScopedFile = Scoped<HANDLE, InvalidTraits<CloseHandle>>;
// A directory listing from FindFirstFile, closed with FindClose.
using ScopedFind = Scoped<HANDLE, InvalidTraits<FindClose>>;
using ScopedModule = Scoped<HMODULE, NullTraits<HMODULE, FreeLibrary>>;
using ScopedHook = Scoped<HHOOK, NullTraits<HHOOK, UnhookWindowsHookEx>>;
using ScopedFont = GdiObject<HFONT>;
using ScopedBitmap = GdiObject<HBITMAP>;
using ScopedBrush = GdiObject<HBRUSH>;

inline BOOL WINAPI DeleteDcAdapter(HDC dc) { return DeleteDC(dc); }
using ScopedDC = Scoped<HDC, NullTraits<HDC, DeleteDcAdapter>>;

inline BOOL WINAPI DeleteEmfAdapter(HENHMETAFILE m) { return DeleteEnhMetaFile(m); }
using ScopedEmf = Scoped<HENHMETAFILE, NullTraits<HENHMETAFILE, DeleteEmfAdapter>>;

// A DC obtained with GetDC: of a window, or of the whole screen for null.
class WindowDC {
public:
    explicit WindowDC(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDC() { if (dc_) ReleaseDC(w_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// Selects an object into a DC for the lifetime of the scope.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectIn() { SelectObject(dc_, old_); }
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The calling thread's COM apartment, single-threaded, while the scope lasts:
// the shell's link objects and the folder picker need one. A thread that has
// one already counts the call too; only a call that failed is not undone.
class ComApartment {
public:
    ComApartment() : opened_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() { if (opened_) CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool opened_;
};

// A COM interface pointer that releases what it holds.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put() { reset(); return &p_; }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() { if (p_) { p_->Release(); p_ = nullptr; } }

private:
    T* p_ = nullptr;
};

}  // namespace base
