#pragma once
// The common implementation of every library object: the reference count, the name, the
// application data, destroy callbacks and the process-wide registry (oldest first) that name
// look-up and enumeration walk. A class implements interface I by deriving from Object<I>
// and overriding ClassName, FindInterface and (when it can be copied) CloneObject.
//
// Single-threaded, like the whole library: objects are made and released on one thread.

#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/object.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace rm {

class ObjectBase;

// Lets a holder find out whether an object still lives without keeping it alive.
struct WeakAnchor {
    ObjectBase* target = nullptr;  // null once the object is destroyed
};

class ObjectBase {
public:
    ObjectBase(const ObjectBase&) = delete;
    ObjectBase& operator=(const ObjectBase&) = delete;

    // The object's main interface (what the registry hands out).
    virtual IDirect3DRMObject* AsObject() = 0;
    // The interface for iid, without a new reference, or null.
    virtual void* FindInterface(REFIID iid) = 0;
    virtual const char* ClassName() const = 0;
    // A copy as interface iid (one reference) or D3DRMERR_NOTDONEYET where copying makes no sense.
    virtual HRESULT CloneObject(REFIID iid, void** object);

    const std::string& Name() const { return name_; }
    void SetNameText(std::string name) { name_ = std::move(name); }
    DWORD_PTR AppData() const { return appData_; }
    ULONG RefCount() const { return refs_; }
    std::shared_ptr<WeakAnchor> Anchor();

    // The library object behind an interface pointer, or null for a foreign implementation.
    static ObjectBase* From(IUnknown* object);

    // Registry walks, oldest first.
    static ObjectBase* FirstLiving();
    ObjectBase* NextLiving() const { return next_; }

protected:
    ObjectBase();
    virtual ~ObjectBase();

    ULONG DoAddRef();
    ULONG DoRelease();
    HRESULT DoQueryInterface(REFIID iid, void** object);
    HRESULT DoClone(IUnknown* outer, REFIID iid, void** object);
    HRESULT DoAddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg);
    HRESULT DoDeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg);
    HRESULT DoSetAppData(DWORD_PTR data);
    HRESULT DoSetName(LPCSTR name);
    HRESULT DoGetName(LPDWORD size, LPSTR buffer);
    HRESULT DoGetClassName(LPDWORD size, LPSTR buffer);
    // Copies the name into a clone (application data and callbacks belong to the original).
    void CopyBasicsTo(ObjectBase& clone) const;

private:
    void Unregister();

    ULONG refs_ = 1;
    bool destroying_ = false;
    std::string name_;
    DWORD_PTR appData_ = 0;
    std::vector<std::pair<D3DRMOBJECTCALLBACK, void*>> destroyCallbacks_;
    std::shared_ptr<WeakAnchor> anchor_;  // made on first use
    ObjectBase* prev_ = nullptr;          // registry links
    ObjectBase* next_ = nullptr;
    bool registered_ = false;
};

// Implements IUnknown and IDirect3DRMObject of interface I on ObjectBase.
template <class I>
class Object : public I, public ObjectBase {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override { return DoQueryInterface(iid, object); }
    ULONG AddRef() override { return DoAddRef(); }
    ULONG Release() override { return DoRelease(); }
    HRESULT Clone(IUnknown* outer, REFIID iid, void** object) override { return DoClone(outer, iid, object); }
    HRESULT AddDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) override
    {
        return DoAddDestroyCallback(callback, arg);
    }
    HRESULT DeleteDestroyCallback(D3DRMOBJECTCALLBACK callback, void* arg) override
    {
        return DoDeleteDestroyCallback(callback, arg);
    }
    HRESULT SetAppData(DWORD_PTR data) override { return DoSetAppData(data); }
    DWORD_PTR GetAppData() override { return AppData(); }
    HRESULT SetName(LPCSTR name) override { return DoSetName(name); }
    HRESULT GetName(LPDWORD size, LPSTR buffer) override { return DoGetName(size, buffer); }
    HRESULT GetClassName(LPDWORD size, LPSTR buffer) override { return DoGetClassName(size, buffer); }

    IDirect3DRMObject* AsObject() override { return this; }

protected:
    Object() = default;
    // Answers IUnknown, IDirect3DRMObject and I itself; classes add their further interfaces.
    void* FindInterface(REFIID iid) override
    {
        if (iid == IID_IUnknown || iid == IID_IDirect3DRMObject)
            return static_cast<IDirect3DRMObject*>(this);
        if (iid == InterfaceId())
            return static_cast<I*>(this);
        return nullptr;
    }
    virtual const IID& InterfaceId() const = 0;
};

// A frame, light or other object held without a reference; Get() is null once it is gone.
template <class T>
class WeakRef {
public:
    WeakRef() = default;
    explicit WeakRef(T* object) { Reset(object); }
    void Reset(T* object)
    {
        ptr_ = object;
        anchor_ = object ? static_cast<ObjectBase*>(object)->Anchor() : nullptr;
    }
    T* Get() const { return anchor_ && anchor_->target ? ptr_ : nullptr; }

private:
    T* ptr_ = nullptr;
    std::shared_ptr<WeakAnchor> anchor_;
};

// The library's own class behind an interface pointer, or null (null pointer, or an object
// of another kind or implementation).
template <class T, class I>
T* As(I* object)
{
    return object ? dynamic_cast<T*>(object) : nullptr;
}

}  // namespace rm
