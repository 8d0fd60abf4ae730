#include "platform/sync/critical_section.h"

BOOL InitializeCriticalSectionAndSpinCount(CRITICAL_SECTION* section, DWORD spinCount) {
    section->mutex = new std::recursive_mutex;
    section->spinCount = spinCount;  // kept for callers that read it; a mutex does not spin
    return TRUE;
}

void InitializeCriticalSection(CRITICAL_SECTION* section) {
    InitializeCriticalSectionAndSpinCount(section, 0);
}

void EnterCriticalSection(CRITICAL_SECTION* section) { section->mutex->lock(); }

void LeaveCriticalSection(CRITICAL_SECTION* section) { section->mutex->unlock(); }

void DeleteCriticalSection(CRITICAL_SECTION* section) {
    delete section->mutex;
    section->mutex = nullptr;
}
