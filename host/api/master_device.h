// The host's master acquisition device: its inputs, analog outputs, digital output groups
// and sampling state. Obtained from the host's current device object by interface query.
#pragma once

#include "host/api/digital_output_group.h"
#include "platform/com/unknown.h"

struct IMasterDevice : IUnknown {
    static constexpr IID kIid = MakeGuid("{4EC14961-9464-11D2-B7E7-008048C36FE8}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    // A status item of the device; the host's documents ask for item 1 whenever they
    // pick up a device.
    virtual HRESULT QueryStatus(LONG item, LONG* value) = 0;
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    // Group `index` (zero-based) of digital outputs, with a reference for the caller; a null
    // group when there is none.
    virtual HRESULT GetDigitalOutputGroup(UINT index, IDigitalOutputGroup** group) = 0;
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT GetInputCount(LONG* count) = 0;
    virtual HRESULT GetAnalogOutputCount(LONG* count) = 0;
    virtual HRESULT GetDigitalOutputGroupCount(UINT* count) = 0;
    virtual HRESULT Unused20() { return E_NOTIMPL; }
    virtual HRESULT Unused21() { return E_NOTIMPL; }
    virtual HRESULT Unused22() { return E_NOTIMPL; }
    virtual HRESULT Unused23() { return E_NOTIMPL; }
    virtual HRESULT IsSampling(VARIANT_BOOL* sampling) = 0;

protected:
    ~IMasterDevice() = default;
};
