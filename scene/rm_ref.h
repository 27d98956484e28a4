#pragma once
// TRmRef: one counted reference to a 3D library object, released when the holder goes, so that
// every early exit of a record releases what it looked up or created.

#include "platform/rm/rm.h"

#include <string>

template <class T>
class TRmRef {
public:
    TRmRef() = default;
    ~TRmRef() { Reset(); }
    TRmRef(const TRmRef&) = delete;
    TRmRef& operator=(const TRmRef&) = delete;

    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }
    explicit operator bool() const { return FObject != nullptr; }

    // Releases what is held and gives the address for an out-parameter.
    T** Put()
    {
        Reset();
        return &FObject;
    }
    void Reset()
    {
        if (FObject) {
            T* object = FObject;
            FObject = nullptr;
            object->Release();
        }
    }

private:
    T* FObject = nullptr;  // one counted reference, or null
};

// The process's object named name as the interface T (iid): null when no object has that name
// or the first one found is of another kind. The look-up's own result code does not matter.
template <class T>
void FindNamedObject(IDirect3DRM* rm, const std::string& name, REFIID iid, TRmRef<T>* found)
{
    found->Reset();
    TRmRef<IDirect3DRMObject> object;
    rm->GetNamedObject(name.c_str(), object.Put());
    if (object)
        object->QueryInterface(iid, reinterpret_cast<void**>(found->Put()));
}
