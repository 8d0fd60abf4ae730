// PersistStreamSettings<Doc>: a document's IPersistStream. It lives inside the document (its
// AddRef and Release do nothing) and stores the document's configuration as its text, in the
// binary stream format:
//
//   stream header  0x5514AAAA (written by StorageBinOStreamLite)
//   version        32-bit little-endian, 1
//   configuration  one string record, UTF-16: the configuration text
//
// Doc provides Configuration() (an EventConfig&), IsModified(), SetModified(bool) and
// MasterDevice() (an IMasterDevice*, possibly null).
#pragma once

#include "config/event_config.h"
#include "extension/document/identities.h"
#include "extension/framework/simple_unknown.h"
#include "host/api/persist_stream.h"

#include <exception>
#include <new>
#include <string>
#include <utility>

struct IMasterDevice;

namespace VavazaZavidi {

// What the document's stream operations do, apart from the document they work on.
namespace persistence {

inline constexpr LONG kStreamVersion = 1;

// Writes the header, the version and `text`; S_OK, or STG_E_CANTSAVE when the stream is not
// in a good state once everything is written and flushed.
HRESULT SaveText(IStream* stream, const std::string& text);

enum class LoadOutcome {
    kLoaded,     // `text` holds the stored configuration text
    kRefused,    // a short stream, a version other than 1 or a string cut short: E_FAIL, quietly
    kMalformed,  // a malformed string record: E_FAIL after telling the user
};
LoadOutcome LoadText(IStream* stream, std::string& text);

// "Failed to load Tarvel setup." (210, wrapped at 70) with caption 209 and the error icon.
void ShowLoadFailure();

}  // namespace persistence

template <class Doc>
class PersistStreamSettings final : public NoDeleteUnknownImp1<IPersistStream> {
public:
    explicit PersistStreamSettings(Doc* document) : document_(document) {}
    PersistStreamSettings(const PersistStreamSettings&) = delete;
    PersistStreamSettings& operator=(const PersistStreamSettings&) = delete;

    HRESULT GetClassID(CLSID* classId) override {
        if (classId == nullptr)
            return E_POINTER;
        *classId = kDocumentClassId;
        return S_OK;
    }

    HRESULT IsDirty() override { return document_->IsModified() ? S_OK : S_FALSE; }

    HRESULT Load(IStream* stream) override {
        try {
            std::string text;
            switch (persistence::LoadText(stream, text)) {
                case persistence::LoadOutcome::kRefused:
                    return E_FAIL;
                case persistence::LoadOutcome::kMalformed:
                    persistence::ShowLoadFailure();
                    return E_FAIL;
                case persistence::LoadOutcome::kLoaded:
                    break;
            }
            // The text is read beside the configuration and takes its place only when it reads
            // (a newer version reads as empty): a damaged text must not replace the document's
            // outputs and rules with what was read up to the damage, and an exhausted heap on the
            // way leaves the document as it was.
            EventConfig loaded = document_->Configuration();
            if (!loaded.Deserialize(text)) {
                persistence::ShowLoadFailure();
                return E_FAIL;
            }
            document_->Configuration() = std::move(loaded);
            document_->SetModified(false);
            if (IMasterDevice* device = document_->MasterDevice()) {
                ProgramQuietly(device);
            }
            return S_OK;
        } catch (const std::exception&) {
            persistence::ShowLoadFailure();
            return E_FAIL;
        }
    }

    HRESULT Save(IStream* stream, BOOL clearDirty) override {
        try {
            std::string text;
            document_->Configuration().Serialize(text);
            const HRESULT result = persistence::SaveText(stream, text);
            if (result == S_OK && clearDirty)
                document_->SetModified(false);
            return result;
        } catch (const std::exception&) {
            return STG_E_CANTSAVE;
        }
    }

    HRESULT GetSizeMax(ULARGE_INTEGER* /*size*/) override { return E_NOTIMPL; }

private:
    // Programs the device with the loaded configuration. Its result is not examined, and an
    // exhausted heap while programming does not undo the load: the device is programmed again
    // with the next change.
    void ProgramQuietly(IMasterDevice* device) {
        try {
            document_->Configuration().SendToDevice(device);
        } catch (const std::bad_alloc&) {
        }
    }

    Doc* document_;
};

}  // namespace VavazaZavidi
