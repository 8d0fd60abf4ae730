// A string object of another implementation than ours (its GetKind is not 9), as a host could
// hand one over: it answers through its slots only. Its text is UTF-16 (unit size 2) or narrow
// bytes (unit size 1).
#pragma once

#include <cstring>
#include <string>

#include "host/api/tev_string_interface.h"
#include "platform/com/com_object.h"

class ForeignString final : public ComObject<ITevString> {
public:
    explicit ForeignString(std::u16string text) : wide_(std::move(text)), unitSize_(2) {}
    explicit ForeignString(std::string narrow) : narrow_(std::move(narrow)), unitSize_(1) {}

    int destroyed = 0;
    bool failGetSize = false;

    HRESULT AssignBSTR(BSTR) override { return E_NOTIMPL; }
    HRESULT GetBSTR(BSTR* text) override {
        SysFreeString(*text);
        *text = wide_.empty() ? nullptr
                              : SysAllocStringLen(wide_.data(), static_cast<UINT>(wide_.size()));
        return S_OK;
    }
    HRESULT IsEmpty(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT GetLength(LONG*) override { return E_NOTIMPL; }
    HRESULT IsEqual(ITevString*, VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT IsShared(VARIANT_BOOL*) override { return E_NOTIMPL; }
    LONG GetKind() override { return 3; }
    HRESULT CopyTo(LONG bytes, void* destination) override {
        const std::size_t needed = (Units() + 1) * static_cast<std::size_t>(unitSize_);
        if (bytes < static_cast<LONG>(needed))
            return E_FAIL;
        if (unitSize_ == 2) {
            std::memcpy(destination, wide_.c_str(), needed);
        } else {
            std::memcpy(destination, narrow_.c_str(), needed);
        }
        return S_OK;
    }
    HRESULT GetSize(LONG* length, LONG* unitSize) override {
        if (failGetSize)
            return E_FAIL;
        *length = static_cast<LONG>(Units());
        *unitSize = unitSize_;
        return S_OK;
    }
    HRESULT GetCapacity(LONG*) override { return E_NOTIMPL; }
    HRESULT CreateNew(LONG, ITevString**) override { return E_NOTIMPL; }
    HRESULT GetVariant(VARIANT*) override { return E_NOTIMPL; }
    LONG LengthValue() override { return static_cast<LONG>(Units()); }
    HRESULT Delete() override { return E_NOTIMPL; }
    HRESULT Reserved17() override { return S_OK; }
    OLECHAR* GetBuffer() override { return nullptr; }
    void Destruct(UINT) override {}

private:
    std::size_t Units() const { return unitSize_ == 2 ? wide_.size() : narrow_.size(); }

    std::u16string wide_;
    std::string narrow_;
    LONG unitSize_;
};
