#pragma once

#include "framework/AfxString.h"

// The full path of the running executable, however long; empty when the
// system cannot tell.
CString AfxGetModuleFileName();
