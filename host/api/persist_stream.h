// Objects that save themselves into a stream and load themselves from one.
#pragma once

#include "platform/com/unknown.h"
#include "platform/stream/stream.h"

struct IPersist : IUnknown {
    static constexpr IID kIid = MakeGuid("{0000010C-0000-0000-C000-000000000046}");

    virtual HRESULT GetClassID(CLSID* classId) = 0;

protected:
    ~IPersist() = default;
};

struct IPersistStream : IPersist {
    static constexpr IID kIid = MakeGuid("{00000109-0000-0000-C000-000000000046}");

    // S_OK when changed since the last load or save, S_FALSE otherwise.
    virtual HRESULT IsDirty() = 0;
    virtual HRESULT Load(IStream* stream) = 0;
    virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
    virtual HRESULT GetSizeMax(ULARGE_INTEGER* size) = 0;

protected:
    ~IPersistStream() = default;
};
