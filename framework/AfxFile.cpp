#include "framework/AfxFile.h"

#include "framework/SystemError.h"

CString CFileException::GetErrorMessage() const
{
    return SystemErrorText(m_lOsError);
}

CFile::CFile(const CString& fileName, UINT openFlags) : m_strFileName(fileName)
{
    DWORD access = 0;
    switch (openFlags & 0x3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    const DWORD disposition = (openFlags & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING;
    m_hFile.Reset(CreateFileW(fileName.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_hFile)
        ThrowLastError();
}

void CFile::Write(const void* data, UINT count)
{
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        DWORD written = 0;
        if (!WriteFile(m_hFile.Get(), bytes, count, &written, nullptr))
            ThrowLastError();
        if (written == 0)
            throw CFileException(ERROR_DISK_FULL, m_strFileName);
        bytes += written;
        count -= written;
    }
}

void CFile::Close()
{
    HANDLE handle = m_hFile.Detach();
    if (handle != INVALID_HANDLE_VALUE && !CloseHandle(handle))
        ThrowLastError();
}

void CFile::ThrowLastError() const
{
    const DWORD error = GetLastError();
    throw CFileException(error ? error : ERROR_GEN_FAILURE, m_strFileName);
}
