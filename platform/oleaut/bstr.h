// BSTR: a length-prefixed, NUL-terminated UTF-16 string allocated by the platform runtime, so
// that any module may free what another allocated. The 32-bit byte length sits right in front
// of the characters; the pointer handed out points at the characters. A null BSTR is a valid
// empty string for every function here.
#pragma once

#include "platform/win_types.h"

using BSTR = OLECHAR*;

// A copy of the NUL-terminated `text`; null for a null `text` or when memory runs out.
BSTR SysAllocString(const OLECHAR* text);

// A string of `length` units copied from `text`, or zeroed when `text` is null; null when
// memory runs out or the byte length would not fit 32 bits.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);

// A string of `bytes` bytes copied from `source`, or zeroed when it is null, followed by a NUL
// unit. SysStringLen of the result is bytes / 2.
BSTR SysAllocStringByteLen(const char* source, UINT bytes);

// Length in UTF-16 units (byte length / 2); 0 for null.
UINT SysStringLen(BSTR text);
// Length in bytes; 0 for null.
UINT SysStringByteLen(BSTR text);

// Frees a string from any of the allocators above; null is ignored.
void SysFreeString(BSTR text);
