#pragma once
// GDI+ images from resources of type "PNG". GDI+ must be started first.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

class CGdiPlusPng {
public:
    CGdiPlusPng() = default;
    CGdiPlusPng(const CGdiPlusPng&) = delete;
    CGdiPlusPng& operator=(const CGdiPlusPng&) = delete;
    virtual ~CGdiPlusPng();

    Gdiplus::Image* m_pImage = nullptr;
};

// Owns the image and the memory block it decodes from; the block stays
// locked while the image lives, and the image always goes first.
class CGdiPlusPngResource : public CGdiPlusPng {
public:
    ~CGdiPlusPngResource() override;

    // True when m_pImage holds a usable picture; the holder is emptied
    // first either way.
    bool Load(UINT id, HMODULE module);
    void Empty();

    HGLOBAL m_hBuffer = nullptr;
};

// A new image the caller owns (null for a missing resource). Its memory
// block belongs to the image's stream and goes with the image. An
// undecodable picture comes back as an image of size 0 x 0.
Gdiplus::Image* LoadPngFromResource(HMODULE module, UINT id);
