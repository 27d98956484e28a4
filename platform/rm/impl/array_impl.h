#pragma once
// Snapshot arrays (frames, visuals, lights, faces, devices, viewports): the elements as they
// were when the array was made, each held with one reference.

#include "platform/rm/d3d_com.h"
#include "platform/rm/impl/ref_ptr.h"
#include "platform/rm/unknown.h"

#include <utility>
#include <vector>

namespace rm {

template <class ArrayInterface, class Element>
class SnapshotArray final : public ComObject<ArrayInterface> {
public:
    // iid: the array interface's id (answered by QueryInterface with IID_IUnknown).
    SnapshotArray(const IID& iid, std::vector<RefPtr<Element>> elements)
        : iid_(iid), elements_(std::move(elements))
    {
    }

    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == iid_)
            return this->template HandOutAs<ArrayInterface>(object);
        *object = nullptr;
        return E_NOINTERFACE;
    }
    DWORD GetSize() override { return static_cast<DWORD>(elements_.size()); }
    HRESULT GetElement(DWORD index, Element** element) override
    {
        if (!element)
            return D3DRMERR_BADVALUE;
        if (index >= elements_.size()) {
            *element = nullptr;
            return D3DRMERR_BADVALUE;
        }
        HandOut(elements_[index].get(), element);
        return S_OK;
    }

private:
    ~SnapshotArray() override = default;

    IID iid_;
    std::vector<RefPtr<Element>> elements_;
};

// Makes a snapshot array and hands it out with one reference.
template <class ArrayInterface, class Element>
HRESULT HandOutArray(const IID& iid, std::vector<RefPtr<Element>> elements, ArrayInterface** out)
{
    if (!out)
        return D3DRMERR_BADVALUE;
    *out = new SnapshotArray<ArrayInterface, Element>(iid, std::move(elements));
    return S_OK;
}

}  // namespace rm
