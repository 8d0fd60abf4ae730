// How a host document stores the extensions' state in its file: each document (host and
// extension) has a storage identity, and the storage service takes the persistence objects
// that extension documents offer.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

struct IPersistStream;

// A document's identity for storage.
struct IHostStorage : IUnknown {
    static constexpr IID kIid = MakeGuid("{CD8A64F4-48D2-11D1-8D03-00C0D1570D74}");

protected:
    ~IHostStorage() = default;
};

// The commands interface of a document class.
struct IClassCommands : IUnknown {
    static constexpr IID kIid = MakeGuid("{CD8A64F3-48D2-11D1-8D03-00C0D1570D74}");

protected:
    ~IClassCommands() = default;
};

struct IStorageService : IUnknown {
    static constexpr IID kIid = MakeGuid("{CD8A64F0-48D2-11D1-8D03-00C0D1570D74}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    // The document `storage` offers `persist` for the host's file; the host saves and loads it
    // with the file from now on. `*text` receives the name of the stream the host keeps it in.
    virtual HRESULT OfferPersistence(IHostStorage* storage, LONG reserved1, IPersistStream* persist,
                                     LONG reserved2, LONG reserved3, ITevString** text) = 0;

protected:
    ~IStorageService() = default;
};

// The host's data object of a document.
struct IHostDocumentData : IUnknown {
    static constexpr IID kIid = MakeGuid("{376B4751-F226-11D2-B84E-008048C36FE8}");

protected:
    ~IHostDocumentData() = default;
};
