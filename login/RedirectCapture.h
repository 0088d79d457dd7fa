#pragma once
// Turns the address of a login redirect into the same JSON text that the
// page's script call would hand over.

#include "framework/AfxString.h"

#include <vector>

// Appends the non-empty pieces of source between delimiters to pieces (which
// is not cleared first).
void SplitString(const CStringA& source, const CStringA& delimiter, std::vector<CStringA>& pieces);

// Whether url is a login redirect; if so, json receives the login JSON text
// built from its query pairs (in the thread's ANSI code page).
bool BuildLoginJsonFromUrl(const CString& url, CStringA& json);
