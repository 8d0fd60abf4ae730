// OLE initialisation, counted per thread: the first OleInitialize of a thread answers S_OK,
// every further one S_FALSE; each successful call is balanced by one OleUninitialize.
#pragma once

#include "platform/com/hresult.h"

// S_OK the first time on this thread, S_FALSE when the thread is already initialised;
// E_INVALIDARG when `reserved` is not null (it must be, as on Windows).
HRESULT OleInitialize(void* reserved);

// Undoes one successful OleInitialize of this thread; does nothing on a thread that is not
// initialised.
void OleUninitialize();

// Whether some thread of the process has OLE initialised. The class-object table serves
// every thread of the process once this is true (the platform's stand-in for Windows'
// implicit multithreaded apartment).
bool IsOleInitializedInProcess();
