#pragma once
// Reference counting for the display and immediate-mode objects, which are not retained-mode
// objects (no names, not in the registry): derive from ComObject<Interfaces...> and answer
// QueryInterface.

#include "platform/rm/unknown.h"

namespace rm {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

    // Hands out this object as interface T with a new reference.
    template <class T>
    HRESULT HandOutAs(void** object)
    {
        *object = static_cast<T*>(this);
        AddRef();
        return S_OK;
    }

private:
    ULONG refs_ = 1;
};

}  // namespace rm
