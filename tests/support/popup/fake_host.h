// A host application whose settings answer "tev\application\visible" as a test says, and
// which can lack its settings or fail to read them.
#pragma once

#include <string>

#include "host/api/host_application.h"
#include "platform/com/com_object.h"

namespace popup_test {

class FakeSettings final : public ComObject<IHostSettings> {
public:
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

class FakeHost final : public ComObject<IHostApplication> {
public:
    FakeHost() : settings(new FakeSettings) { settings->AddRef(); }
    ~FakeHost() override { settings->Release(); }

    HRESULT GetMainWindow(HWND* window) override {
        *window = nullptr;
        return S_OK;
    }
    HRESULT ShowHelp(ITevString*, ITevString*) override { return S_OK; }
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

}  // namespace popup_test
