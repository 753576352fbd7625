// A COM interface pointer that owns one reference and releases it once, when it goes.
#pragma once

#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds (as a creating call hands it out).
    explicit ComPtr(T* pointer) : pointer_(pointer) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // The place for a call that hands out a reference; what was held is released first.
    T** Put()
    {
        Reset();
        return &pointer_;
    }
    // For calls that take a void** out parameter (QueryInterface, BindToObject, ...).
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Gives the reference up without releasing it.
    T* Detach() { return std::exchange(pointer_, nullptr); }
    void Reset(T* pointer = nullptr)
    {
        if (pointer_)
            pointer_->Release();
        pointer_ = pointer;
    }

private:
    T* pointer_ = nullptr;
};
