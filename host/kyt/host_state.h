// The host state service: whether the host's state currently forbids extension commands.
#pragma once

#include "host/api/host_state.h"
#include "platform/com/com_object.h"

namespace kyt {

class HostStateService final : public ComObject<IHostStateService> {
public:
    HRESULT GetCommandsBlocked(VARIANT_BOOL* blocked) override {
        if (blocked == nullptr)
            return E_POINTER;
        *blocked = blocked_;
        return S_OK;
    }

    void SetCommandsBlocked(VARIANT_BOOL blocked) { blocked_ = blocked ? VARIANT_TRUE : 0; }

private:
    VARIANT_BOOL blocked_ = 0;
};

}  // namespace kyt
