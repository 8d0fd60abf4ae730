#include "support/popup/host_visibility.h"

#include "platform/com/com_ptr.h"

namespace Tev {
namespace {

HostApplicationSource& Source() {
    static HostApplicationSource source;
    return source;
}

}  // namespace

void SetHostApplicationSource(HostApplicationSource source) {
    Source() = std::move(source);
}

IHostApplication* CurrentHostApplication() {
    return Source() ? Source()() : nullptr;
}

bool IsApplicationVisible() {
    return ReadApplicationVisible(CurrentHostApplication());
}

bool ReadApplicationVisible(IHostApplication* host) {
    if (host == nullptr)
        return true;
    IHostSettings* settings = nullptr;
    if (FAILED(host->GetSettings(&settings)) || settings == nullptr)
        return true;
    BYTE visible = 1;  // the preset answer
    const HRESULT result = settings->GetBool(kApplicationVisibleKey, &visible);
    settings->Release();
    return FAILED(result) || visible != 0;
}

}  // namespace Tev
