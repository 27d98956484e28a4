#include "platform/rm/impl/object_impl.h"

#include <algorithm>
#include <cstring>

namespace rm {

namespace {

// The registry: a doubly linked list through the objects, oldest first.
ObjectBase* gFirst = nullptr;
ObjectBase* gLast = nullptr;

// Names and class names share GetName's buffer contract.
HRESULT CopyOut(const std::string& text, LPDWORD size, LPSTR buffer)
{
    if (!size)
        return D3DRMERR_BADVALUE;
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (!buffer) {
        *size = needed;
        return S_OK;
    }
    if (*size < needed)
        return D3DRMERR_BADVALUE;
    std::memcpy(buffer, text.c_str(), needed);
    *size = needed;
    return S_OK;
}

}  // namespace

ObjectBase::ObjectBase()
{
    prev_ = gLast;
    if (gLast)
        gLast->next_ = this;
    else
        gFirst = this;
    gLast = this;
    registered_ = true;
}

ObjectBase::~ObjectBase()
{
    Unregister();
    if (anchor_)
        anchor_->target = nullptr;
}

void ObjectBase::Unregister()
{
    if (!registered_)
        return;
    (prev_ ? prev_->next_ : gFirst) = next_;
    (next_ ? next_->prev_ : gLast) = prev_;
    prev_ = next_ = nullptr;
    registered_ = false;
}

ObjectBase* ObjectBase::FirstLiving() { return gFirst; }

ObjectBase* ObjectBase::From(IUnknown* object) { return object ? dynamic_cast<ObjectBase*>(object) : nullptr; }

std::shared_ptr<WeakAnchor> ObjectBase::Anchor()
{
    if (!anchor_)
        anchor_ = std::make_shared<WeakAnchor>(WeakAnchor{this});
    return anchor_;
}

ULONG ObjectBase::DoAddRef() { return ++refs_; }

// The last release leaves the registry, runs the destroy callbacks (the object still answers
// its data calls then; references taken and dropped inside a callback do not destroy it a
// second time) and deletes the object.
ULONG ObjectBase::DoRelease()
{
    if (refs_ == 0)
        return 0;
    ULONG left = --refs_;
    if (left > 0 || destroying_)
        return left;
    destroying_ = true;
    Unregister();
    if (anchor_)
        anchor_->target = nullptr;
    auto callbacks = std::move(destroyCallbacks_);
    for (auto& [callback, arg] : callbacks)
        callback(AsObject(), arg);
    delete this;
    return 0;
}

HRESULT ObjectBase::DoQueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    void* found = FindInterface(iid);
    if (!found) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    DoAddRef();
    *object = found;
    return S_OK;
}

HRESULT ObjectBase::CloneObject(REFIID, void** object)
{
    *object = nullptr;
    return D3DRMERR_NOTDONEYET;
}

HRESULT ObjectBase::DoClone(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return D3DRMERR_BADVALUE;
    *object = nullptr;
    if (outer)
        return D3DRMERR_BADVALUE;
    return CloneObject(iid, object);
}

HRESULT ObjectBase::DoAddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg)
{
    if (!callback)
        return D3DRMERR_BADVALUE;
    destroyCallbacks_.emplace_back(callback, arg);
    return S_OK;
}

HRESULT ObjectBase::DoDeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg)
{
    auto it = std::find(destroyCallbacks_.begin(), destroyCallbacks_.end(), std::make_pair(callback, arg));
    if (it == destroyCallbacks_.end())
        return D3DRMERR_NOTFOUND;
    destroyCallbacks_.erase(it);
    return S_OK;
}

HRESULT ObjectBase::DoSetAppData(DWORD_PTR data)
{
    appData_ = data;
    return S_OK;
}

HRESULT ObjectBase::DoSetName(LPCSTR name)
{
    name_ = name ? name : "";
    return S_OK;
}

HRESULT ObjectBase::DoGetName(LPDWORD size, LPSTR buffer) { return CopyOut(name_, size, buffer); }

HRESULT ObjectBase::DoGetClassName(LPDWORD size, LPSTR buffer) { return CopyOut(ClassName(), size, buffer); }

void ObjectBase::CopyBasicsTo(ObjectBase& clone) const
{
    clone.name_ = name_;
}

}  // namespace rm
