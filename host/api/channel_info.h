// Information about the master device's channels, and its stimulator. Obtained from
// IMasterDevice by interface query.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

// The device's stimulator, which takes precedence over automatic analog outputs when enabled.
struct IStimulator : IUnknown {
    static constexpr IID kIid = MakeGuid("{005B707B-EC91-4529-8398-5099D8104F61}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    virtual HRESULT Unused18() { return E_NOTIMPL; }
    virtual HRESULT IsEnabled(VARIANT_BOOL* enabled) = 0;

protected:
    ~IStimulator() = default;
};

struct IChannelInfo : IUnknown {
    static constexpr IID kIid = MakeGuid("{30157541-08C5-11D3-B86D-008048C36FE8}");

    // Channel kinds of GetChannelDescription.
    static constexpr LONG kInputChannel = 0;

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    virtual HRESULT Unused7() { return E_NOTIMPL; }
    virtual HRESULT Unused8() { return E_NOTIMPL; }
    virtual HRESULT Unused9() { return E_NOTIMPL; }
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    virtual HRESULT Unused11() { return E_NOTIMPL; }
    virtual HRESULT Unused12() { return E_NOTIMPL; }
    virtual HRESULT Unused13() { return E_NOTIMPL; }
    virtual HRESULT Unused14() { return E_NOTIMPL; }
    virtual HRESULT Unused15() { return E_NOTIMPL; }
    virtual HRESULT Unused16() { return E_NOTIMPL; }
    virtual HRESULT Unused17() { return E_NOTIMPL; }
    virtual HRESULT Unused18() { return E_NOTIMPL; }
    virtual HRESULT Unused19() { return E_NOTIMPL; }
    // An XML text describing channel `index` (zero-based) of the given kind, with a reference
    // for the caller. For an input it has a child element "PhysicalGainIndex" whose text is the
    // full-scale range, a blank and the unit ("10 V").
    virtual HRESULT GetChannelDescription(LONG kind, LONG index, ITevString** description) = 0;
    // The stimulator, with a reference for the caller.
    virtual HRESULT GetStimulator(IStimulator** stimulator) = 0;

protected:
    ~IChannelInfo() = default;
};
