#include "support/string/string_rep.h"

#include <cstring>
#include <new>
#include <typeinfo>

#include "platform/com/refused_interface.h"

namespace TevString {
namespace {

// Keeps the shared empty representation's own reference until the module unloads.
class SharedEmpty {
public:
    SharedEmpty() : rep_(StringRep::Create(9)) {}
    ~SharedEmpty() { rep_->Release(); }
    SharedEmpty(const SharedEmpty&) = delete;
    SharedEmpty& operator=(const SharedEmpty&) = delete;

    StringRep* Rep() const { return rep_; }

private:
    StringRep* rep_;
};

bool TextsEqual(const char16_t* a, LONG aLength, const char16_t* b, LONG bLength) {
    if (aLength != bLength)
        return false;
    return aLength == 0 ||  // an empty text may come as a null BSTR
           std::memcmp(a, b, static_cast<std::size_t>(aLength) * sizeof(char16_t)) == 0;
}

}  // namespace

StringRepBase* SharedEmptyRep() {
    static SharedEmpty shared;
    return shared.Rep();
}

StringRep* StringRep::Create(LONG capacity) {
    const std::size_t units = static_cast<std::size_t>(capacity);
    void* block = ::operator new(sizeof(StringRep) + units * sizeof(char16_t));
    auto* rep = new (block) StringRep;
    rep->narrowText = nullptr;
    rep->narrowValid = 0;
    rep->referenceCount = 1;
    rep->capacity = capacity;
    rep->length = 1;
    std::memset(rep->Characters(), 0, units * sizeof(char16_t));
    return rep;
}

HRESULT StringRep::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IAutoTevString::kIid || iid == ITevString::kIid) {
        *object = static_cast<ITevString*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    NoteRefusedInterface(typeid(*this), iid);
    return E_NOINTERFACE;
}

ULONG StringRep::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&referenceCount));
}

ULONG StringRep::Release() {
    const LONG count = InterlockedDecrement(&referenceCount);
    if (count == 0)
        Destruct(kTevStringFreeMemory);
    return static_cast<ULONG>(count);
}

HRESULT StringRep::AssignBSTR(BSTR text) {
    // Writing in place is only for an unshared object; the shared empty one is never written.
    if (referenceCount >= 2 || this == SharedEmptyRep())
        return E_FAIL;
    const UINT units = SysStringLen(text);
    if (units >= static_cast<UINT>(capacity))
        return E_FAIL;
    if (units != 0)
        std::memcpy(Characters(), text, units * sizeof(char16_t));
    Characters()[units] = u'\0';
    length = static_cast<LONG>(units) + 1;
    narrowValid = 0;
    return S_OK;
}

HRESULT StringRep::GetBSTR(BSTR* text) {
    if (text == nullptr)
        return E_FAIL;
    SysFreeString(*text);
    *text = nullptr;
    if (length < 2)
        return S_OK;
    *text = SysAllocStringByteLen(reinterpret_cast<const char*>(Characters()),
                                  static_cast<UINT>(length - 1) * sizeof(char16_t));
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT StringRep::IsEmpty(VARIANT_BOOL* empty) {
    if (empty == nullptr)
        return E_POINTER;
    *empty = length < 2 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT StringRep::GetLength(LONG* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = length - 1;
    return S_OK;
}

HRESULT StringRep::IsEqual(ITevString* other, VARIANT_BOOL* equal) {
    if (equal == nullptr || other == nullptr)
        return E_POINTER;
    if (other == static_cast<ITevString*>(this)) {
        *equal = VARIANT_TRUE;
        return S_OK;
    }
    bool same = false;
    if (other->GetKind() == kTevStringKind) {
        auto* rep = static_cast<StringRepBase*>(other);
        same = TextsEqual(Characters(), length - 1, rep->Characters(), rep->length - 1);
    } else {
        BSTR text = nullptr;
        const HRESULT fetched = other->GetBSTR(&text);
        if (FAILED(fetched)) {
            SysFreeString(text);
            *equal = VARIANT_FALSE;
            return fetched;
        }
        // An empty text equals a null BSTR.
        same = TextsEqual(Characters(), length - 1, text, static_cast<LONG>(SysStringLen(text)));
        SysFreeString(text);
    }
    *equal = same ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT StringRep::IsShared(VARIANT_BOOL* shared) {
    if (shared == nullptr)
        return E_POINTER;
    *shared = referenceCount > 1 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

LONG StringRep::GetKind() {
    return kTevStringKind;
}

HRESULT StringRep::CopyTo(LONG bytes, void* destination) {
    if (destination == nullptr)
        return E_POINTER;
    const long long needed = static_cast<long long>(length) * 2;  // UTF-16 units
    if (bytes < needed)
        return E_FAIL;
    std::memcpy(destination, Characters(), static_cast<std::size_t>(needed));
    return S_OK;
}

HRESULT StringRep::GetSize(LONG* result, LONG* unitSize) {
    if (result == nullptr || unitSize == nullptr)
        return E_POINTER;
    *result = length - 1;
    *unitSize = sizeof(char16_t);
    return S_OK;
}

HRESULT StringRep::GetCapacity(LONG* result) {
    if (result == nullptr)
        return E_POINTER;
    *result = capacity - 1;
    return S_OK;
}

HRESULT StringRep::CreateNew(LONG units, ITevString** created) {
    if (created == nullptr)
        return E_POINTER;
    *created = nullptr;
    if (units >= kMaxCapacity)
        return E_OUTOFMEMORY;  // units + 1 would not fit the header
    const LONG wanted = units + 1 > kMinCapacity ? units + 1 : kMinCapacity;
    try {
        *created = Create(wanted);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT StringRep::GetVariant(VARIANT* value) {
    if (value == nullptr)
        return E_POINTER;
    VariantInit(value);
    value->vt = VT_BSTR;
    value->bstrVal = nullptr;
    if (length < 2)
        return S_OK;
    value->bstrVal = SysAllocStringLen(Characters(), static_cast<UINT>(length - 1));
    if (value->bstrVal == nullptr) {
        VariantInit(value);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

LONG StringRep::LengthValue() {
    return length - 1;
}

HRESULT StringRep::Delete() {
    Destruct(kTevStringFreeMemory);
    return S_OK;
}

HRESULT StringRep::Reserved17() {
    return S_OK;
}

OLECHAR* StringRep::GetBuffer() {
    return Characters();
}

void StringRep::Destruct(UINT flags) {
    delete[] narrowText;
    narrowText = nullptr;
    this->~StringRep();
    if ((flags & kTevStringFreeMemory) != 0)
        ::operator delete(static_cast<void*>(this));
}

}  // namespace TevString
