// The host's state service (CreateObject HostStateServiceObjectId).
#pragma once

#include "platform/com/unknown.h"

struct IHostStateService : IUnknown {
    static constexpr IID kIid = MakeGuid("{EDC12300-CF78-4DBA-B500-D5122F8F18C0}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    // Non-zero while the host's state forbids extension commands (they are then disabled).
    virtual HRESULT GetCommandsBlocked(VARIANT_BOOL* blocked) = 0;

protected:
    ~IHostStateService() = default;
};
