#pragma once
// Whether a downloaded file is a complete Windows program, judged from its
// headers and its size alone, so checking costs nothing next to the
// download. The file comes from the network: every offset and count read
// from it is checked against what was really received before it is used.

#include "framework/AfxString.h"

#include <windows.h>

#include <cstddef>

struct ExecutableCheck {
    bool complete = false;
    // When not complete: what the file is, in the user's words (Chinese).
    CString problem;
};

// How much of a file's beginning CheckExecutableImage looks at, at most.
const size_t kExecutableHeadBytes = 64 * 1024;

// head: the file's first headSize bytes (all of it when shorter than
// kExecutableHeadBytes); fileSize: its whole size.
ExecutableCheck CheckExecutableImage(const unsigned char* head, size_t headSize, ULONGLONG fileSize);

// The same for a file on disk; a file that cannot be read is not complete.
ExecutableCheck CheckExecutableFile(const CString& path);
