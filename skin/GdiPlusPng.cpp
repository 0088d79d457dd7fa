#include "skin/GdiPlusPng.h"

#include "framework/ComPtr.h"

#include <cstring>

namespace {

const wchar_t kPngType[] = L"PNG";

// The resource's bytes, or null.
const void* FindPng(HMODULE module, UINT id, DWORD& size)
{
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), kPngType);
    if (!resource)
        return nullptr;
    size = SizeofResource(module, resource);
    if (size == 0)
        return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

CGdiPlusPng::~CGdiPlusPng()
{
    delete m_pImage;
    m_pImage = nullptr;
}

CGdiPlusPngResource::~CGdiPlusPngResource()
{
    Empty();
}

void CGdiPlusPngResource::Empty()
{
    delete m_pImage;
    m_pImage = nullptr;
    if (m_hBuffer) {
        GlobalUnlock(m_hBuffer);
        GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
    }
}

bool CGdiPlusPngResource::Load(UINT id, HMODULE module)
{
    Empty();
    DWORD size = 0;
    const void* bytes = FindPng(module, id, size);
    if (!bytes)
        return false;

    m_hBuffer = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!m_hBuffer)
        return false;
    void* block = GlobalLock(m_hBuffer);
    if (!block) {
        GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    std::memcpy(block, bytes, size);

    ComPtr<IStream> stream;
    if (CreateStreamOnHGlobal(m_hBuffer, FALSE, stream.ReleaseAndGetAddressOf()) != S_OK) {
        GlobalUnlock(m_hBuffer);
        GlobalFree(m_hBuffer);
        m_hBuffer = nullptr;
        return false;
    }
    m_pImage = new Gdiplus::Image(stream.Get());
    stream.Reset();
    if (m_pImage && m_pImage->GetLastStatus() == Gdiplus::Ok)
        return true;
    Empty();
    return false;
}

Gdiplus::Image* LoadPngFromResource(HMODULE module, UINT id)
{
    DWORD size = 0;
    const void* bytes = FindPng(module, static_cast<WORD>(id), size);
    if (!bytes)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes, size);
    GlobalUnlock(block);

    // From here the block belongs to the stream, and the stream to the
    // image.
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()))) {
        GlobalFree(block);
        return nullptr;
    }
    return new Gdiplus::Image(stream.Get());
}
