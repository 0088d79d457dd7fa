#pragma once
// The text of an automation argument: a string, possibly behind one or more
// references (events pass variants by reference; scripts may pass strings
// by reference).

#include "framework/AfxString.h"

#include <oaidl.h>

// False when value holds no string; a null string reads as empty text.
bool VariantString(const VARIANT* value, CString& text);
