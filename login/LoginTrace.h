#pragma once
// The trace file "log.txt" in the current working directory: one line per
// call, appended in text mode; a file that cannot be opened is skipped.

#include "framework/AfxString.h"

void AppendTraceLine(const CStringA& line);
