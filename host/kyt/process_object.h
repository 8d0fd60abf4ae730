// ProcessObject<Object>: the one object of a class that the process has at a time, as the
// framework library hands out its class objects. It is made when there is none and lives while
// anyone holds it; its destructor calls Forget, so that the next Acquire makes a new one.
// Object derives from ProcessObject<Object> and befriends it (Acquire makes it).
#pragma once

#include <mutex>

template <class Object>
class ProcessObject {
public:
    // The process's object, made when there is none, with a reference for the caller.
    static Object* Acquire() {
        std::lock_guard lock(mutex_);
        // A count that was 0 belongs to an object already on its way out: make a new one.
        if (instance_ != nullptr && instance_->AddRef() > 1)
            return instance_;
        instance_ = new Object;
        instance_->AddRef();
        return instance_;
    }

protected:
    ProcessObject() = default;
    ~ProcessObject() = default;

    // For the object's destructor: it is no longer the process's object.
    static void Forget(Object* object) {
        std::lock_guard lock(mutex_);
        if (instance_ == object)
            instance_ = nullptr;
    }

private:
    static inline std::mutex mutex_;
    static inline Object* instance_ = nullptr;  // not counted
};
