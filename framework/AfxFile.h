#pragma once
// A file written through the system's file handle, raising CFileException on
// failure.

#include "framework/AfxString.h"
#include "framework/ScopedHandle.h"

#include <windows.h>

class CFileException {
public:
    CFileException(DWORD osError, CString fileName) : m_lOsError(osError), m_strFileName(std::move(fileName)) {}

    // The system's description of the error.
    CString GetErrorMessage() const;

    DWORD m_lOsError;
    CString m_strFileName;
};

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
    };

    CFile() = default;
    // Opens or throws CFileException.
    CFile(const CString& fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes without reporting: an exception is already on its way, or the
    // owner did not care.
    ~CFile() = default;

    void Write(const void* data, UINT count);
    // Closes and reports a failure to do so (throws).
    void Close();
    // Closes and ignores any failure.
    void Abort() { m_hFile.Reset(); }
    bool IsOpen() const { return m_hFile.IsValid(); }

private:
    [[noreturn]] void ThrowLastError() const;

    ScopedFileHandle m_hFile;
    CString m_strFileName;
};
