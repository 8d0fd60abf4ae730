// The host state service: whether the host's state currently forbids extension commands.
#pragma once

#include "host/api/host_state.h"
#include "platform/com/com_object.h"

namespace kyt {

class HostStateService final : public ComObject<HostStateService, IHostStateService> {
public:
    HRESULT Unused3() override { return E_NOTIMPL; }
    HRESULT Unused4() override { return E_NOTIMPL; }
    HRESULT Unused5() override { return E_NOTIMPL; }
    HRESULT Unused6() override { return E_NOTIMPL; }
    HRESULT Unused7() override { return E_NOTIMPL; }
    HRESULT Unused8() override { return E_NOTIMPL; }
    HRESULT Unused9() override { return E_NOTIMPL; }
    HRESULT Unused10() override { return E_NOTIMPL; }
    HRESULT Unused11() override { return E_NOTIMPL; }
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
