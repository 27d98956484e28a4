#pragma once
// RefPtr: one counted reference to a library object, released when the handle goes.

#include <cstddef>
#include <utility>

namespace rm {

template <class T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}
    // Takes a new reference to p.
    RefPtr(T* p) : ptr_(p)
    {
        if (ptr_)
            ptr_->AddRef();
    }
    RefPtr(const RefPtr& other) : RefPtr(other.ptr_) {}
    RefPtr(RefPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    template <class U>
    RefPtr(const RefPtr<U>& other) : RefPtr(other.get())
    {
    }
    ~RefPtr() { reset(); }

    RefPtr& operator=(const RefPtr& other)
    {
        RefPtr(other).swap(*this);
        return *this;
    }
    RefPtr& operator=(RefPtr&& other) noexcept
    {
        RefPtr(std::move(other)).swap(*this);
        return *this;
    }

    // Takes over a reference the caller already holds (as an out-parameter hands it over).
    static RefPtr Adopt(T* p)
    {
        RefPtr r;
        r.ptr_ = p;
        return r;
    }

    void reset()
    {
        if (T* p = std::exchange(ptr_, nullptr))
            p->Release();
    }
    // Releases what is held and gives the address for an out-parameter.
    T** put()
    {
        reset();
        return &ptr_;
    }
    // Gives up the reference to the caller.
    T* detach() { return std::exchange(ptr_, nullptr); }
    void swap(RefPtr& other) noexcept { std::swap(ptr_, other.ptr_); }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    T& operator*() const { return *ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    friend bool operator==(const RefPtr& a, const RefPtr& b) { return a.ptr_ == b.ptr_; }
    friend bool operator==(const RefPtr& a, const T* b) { return a.ptr_ == b; }

private:
    T* ptr_ = nullptr;
};

// Hands a new reference to p out through an out-parameter.
template <class T, class U>
void HandOut(T* p, U** out)
{
    if (p)
        p->AddRef();
    *out = p;
}

}  // namespace rm
