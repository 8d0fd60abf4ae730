// Information about the master device's channels, and its stimulator. Obtained from
// IMasterDevice by interface query.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

// The device's stimulator, which takes precedence over automatic analog outputs when enabled.
struct IStimulator : IUnknown {
    static constexpr IID kIid = MakeGuid("{005B707B-EC91-4529-8398-5099D8104F61}");

    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    virtual HRESULT Unused12() = 0;
    virtual HRESULT Unused13() = 0;
    virtual HRESULT Unused14() = 0;
    virtual HRESULT Unused15() = 0;
    virtual HRESULT Unused16() = 0;
    virtual HRESULT Unused17() = 0;
    virtual HRESULT Unused18() = 0;
    virtual HRESULT IsEnabled(VARIANT_BOOL* enabled) = 0;

protected:
    ~IStimulator() = default;
};

struct IChannelInfo : IUnknown {
    static constexpr IID kIid = MakeGuid("{30157541-08C5-11D3-B86D-008048C36FE8}");

    // Channel kinds of GetChannelDescription.
    static constexpr LONG kInputChannel = 0;

    virtual HRESULT Unused3() = 0;
    virtual HRESULT Unused4() = 0;
    virtual HRESULT Unused5() = 0;
    virtual HRESULT Unused6() = 0;
    virtual HRESULT Unused7() = 0;
    virtual HRESULT Unused8() = 0;
    virtual HRESULT Unused9() = 0;
    virtual HRESULT Unused10() = 0;
    virtual HRESULT Unused11() = 0;
    virtual HRESULT Unused12() = 0;
    virtual HRESULT Unused13() = 0;
    virtual HRESULT Unused14() = 0;
    virtual HRESULT Unused15() = 0;
    virtual HRESULT Unused16() = 0;
    virtual HRESULT Unused17() = 0;
    virtual HRESULT Unused18() = 0;
    virtual HRESULT Unused19() = 0;
    // An XML text describing channel `index` (zero-based) of the given kind, with a reference
    // for the caller. For an input it has a child element "PhysicalGainIndex" whose text is the
    // full-scale range, a blank and the unit ("10 V").
    virtual HRESULT GetChannelDescription(LONG kind, LONG index, ITevString** description) = 0;
    // The stimulator, with a reference for the caller.
    virtual HRESULT GetStimulator(IStimulator** stimulator) = 0;

protected:
    ~IChannelInfo() = default;
};
