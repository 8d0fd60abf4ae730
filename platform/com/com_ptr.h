// ComPtr<I>: holds one counted reference to a COM-style interface.
#pragma once

#include <utility>

#include "platform/com/unknown.h"

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `pointer`.
    explicit ComPtr(Interface* pointer) : pointer_(pointer) {
        if (pointer_)
            pointer_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.pointer_) {}
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other) {
        ComPtr copy(other);
        Swap(copy);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr moved(std::move(other));
        Swap(moved);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static ComPtr Adopt(Interface* pointer) {
        ComPtr result;
        result.pointer_ = pointer;
        return result;
    }

    // Queries `object` for this interface; empty when it is not offered.
    static ComPtr QueryFrom(IUnknown* object) {
        ComPtr result;
        QueryInterfaceAs<Interface>(object, &result.pointer_);
        return result;
    }

    void Reset() {
        if (Interface* old = std::exchange(pointer_, nullptr))
            old->Release();
    }
    // Gives up the reference without releasing it.
    Interface* Detach() { return std::exchange(pointer_, nullptr); }
    // Releases the held reference and returns the slot for an out-parameter.
    Interface** OutParam() {
        Reset();
        return &pointer_;
    }
    void Swap(ComPtr& other) noexcept { std::swap(pointer_, other.pointer_); }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_ = nullptr;
};
