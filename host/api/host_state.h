// The host's state service (CreateObject HostStateServiceObjectId).
#pragma once

#include "platform/com/unknown.h"

struct IHostStateService : IUnknown {
    static constexpr IID kIid = MakeGuid("{EDC12300-CF78-4DBA-B500-D5122F8F18C0}");

    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    // Non-zero while the host's state forbids extension commands (they are then disabled).
    virtual HRESULT GetCommandsBlocked(VARIANT_BOOL* blocked) = 0;

protected:
    ~IHostStateService() = default;
};
