// GDI guards: every object created or selected is restored and deleted on every path.
#pragma once

#include <windows.h>

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HDC dc_;
};

// Selects an object and selects back what it replaced. A null object selects nothing.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

template <class H>
class OwnedGdi {
public:
    explicit OwnedGdi(H handle) : handle_(handle) {}
    ~OwnedGdi() { if (handle_) DeleteObject(handle_); }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    operator H() const { return handle_; }
private:
    H handle_;
};

// An off-screen composition: a memory DC compatible with the target holding a bitmap
// compatible with the target, width x height; the bitmap is selected out, then deleted, then
// the DC deleted.
class Composition {
public:
    Composition(HDC target, int width, int height)
        : dc_(target), bitmap_(CreateCompatibleBitmap(target, width, height)), select_(dc_, bitmap_) {}
    operator HDC() const { return dc_; }
private:
    MemoryDC dc_;
    OwnedGdi<HBITMAP> bitmap_;
    SelectGuard select_;
};

// The window's own DC for a repaint at once, released on every path.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint; EndPaint only after a BeginPaint that gave a DC.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), ps_(), dc_(BeginPaint(window, &ps_)) {}
    ~PaintDC() { if (dc_) EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};
