#include "platform/com/ole_init.h"

#include <atomic>

namespace {

thread_local int t_initialisations = 0;     // successful OleInitialize calls on this thread
std::atomic<int> g_initialised_threads{0};  // threads with t_initialisations > 0

}  // namespace

HRESULT OleInitialize(void* reserved) {
    if (reserved != nullptr)
        return E_INVALIDARG;
    if (t_initialisations++ > 0)
        return S_FALSE;
    g_initialised_threads.fetch_add(1);
    return S_OK;
}

void OleUninitialize() {
    if (t_initialisations == 0)
        return;
    if (--t_initialisations == 0)
        g_initialised_threads.fetch_sub(1);
}

bool IsOleInitializedInProcess() {
    return g_initialised_threads.load() > 0;
}
