// A host application whose settings answer "tev\application\visible" as a test says, and
// which can lack its settings or fail to read them.
#pragma once

#include <string>

#include "host/api/host_application.h"
#include "platform/com/com_object.h"

namespace popup_test {

#define TARVEL_UNUSED_SLOT(n)      \
    HRESULT Unused##n() override { \
        return E_NOTIMPL;          \
    }

class FakeSettings final : public ComObject<FakeSettings, IHostSettings> {
public:
    TARVEL_UNUSED_SLOT(3)
    TARVEL_UNUSED_SLOT(4)
    TARVEL_UNUSED_SLOT(5)
    TARVEL_UNUSED_SLOT(6)
    TARVEL_UNUSED_SLOT(7)
    TARVEL_UNUSED_SLOT(8)
    TARVEL_UNUSED_SLOT(9)
    TARVEL_UNUSED_SLOT(10)
    TARVEL_UNUSED_SLOT(11)
    TARVEL_UNUSED_SLOT(12)
    TARVEL_UNUSED_SLOT(13)
    TARVEL_UNUSED_SLOT(14)
    TARVEL_UNUSED_SLOT(15)
    HRESULT GetBool(LPCOLESTR key, BYTE* value) override {
        lastKey = key;
        if (fail)
            return E_FAIL;
        if (known)
            *value = visible;
        return S_OK;
    }

    std::u16string lastKey;
    BYTE visible = 1;
    bool known = true;
    bool fail = false;
};

class FakeHost final : public ComObject<FakeHost, IHostApplication> {
public:
    FakeHost() : settings(new FakeSettings) { settings->AddRef(); }
    ~FakeHost() override { settings->Release(); }

    TARVEL_UNUSED_SLOT(3)
    TARVEL_UNUSED_SLOT(4)
    TARVEL_UNUSED_SLOT(5)
    TARVEL_UNUSED_SLOT(6)
    TARVEL_UNUSED_SLOT(7)
    TARVEL_UNUSED_SLOT(8)
    TARVEL_UNUSED_SLOT(9)
    HRESULT GetMainWindow(HWND* window) override {
        *window = nullptr;
        return S_OK;
    }
    TARVEL_UNUSED_SLOT(11)
    TARVEL_UNUSED_SLOT(12)
    TARVEL_UNUSED_SLOT(13)
    TARVEL_UNUSED_SLOT(14)
    TARVEL_UNUSED_SLOT(15)
    TARVEL_UNUSED_SLOT(16)
    TARVEL_UNUSED_SLOT(17)
    TARVEL_UNUSED_SLOT(18)
    TARVEL_UNUSED_SLOT(19)
    TARVEL_UNUSED_SLOT(20)
    HRESULT ShowHelp(ITevString*, ITevString*) override { return S_OK; }
    TARVEL_UNUSED_SLOT(22)
    TARVEL_UNUSED_SLOT(23)
    TARVEL_UNUSED_SLOT(24)
    TARVEL_UNUSED_SLOT(25)
    TARVEL_UNUSED_SLOT(26)
    TARVEL_UNUSED_SLOT(27)
    TARVEL_UNUSED_SLOT(28)
    TARVEL_UNUSED_SLOT(29)
    TARVEL_UNUSED_SLOT(30)
    TARVEL_UNUSED_SLOT(31)
    TARVEL_UNUSED_SLOT(32)
    HRESULT GetUserInterfaceLanguage(LANGID* language) override {
        *language = 0x0409;
        return S_OK;
    }
    HRESULT GetSettings(IHostSettings** out) override {
        if (!hasSettings) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        settings->AddRef();
        *out = settings;
        return S_OK;
    }

    FakeSettings* settings;
    bool hasSettings = true;
};

#undef TARVEL_UNUSED_SLOT

}  // namespace popup_test
