// Beam element: a straight bar between two nodes with one cross-section. Slot 0 holds its
// section, slots 1 and 2 its end nodes.
#pragma once

#include "VelmorObject.h"
#include "numeric/MfxTMatrix.h"

namespace velmor {

class VelmorViga : public VelmorObject
{
public:
    VelmorViga();
    VelmorViga(const VelmorVigaData& data, VelmorObject* section, VelmorObject* node1,
               VelmorObject* node2);
    explicit VelmorViga(const VelmorVigaData& data) : VelmorViga(data, nullptr, nullptr, nullptr) {}
    const char* GetRuntimeClass() const override { return "VelmorViga"; }
    int ParentKind(int slot) const override;
    // Distance between its two end nodes.
    double GetLength() const override;
    // Refuses a beam between the same two nodes, in either order.
    bool AcceptsNew(const ElementTemplate& candidate, const ElementContainer& container) const override;
    // Makes the beam run from its lower- to its higher-numbered node (1) or back to its own
    // order (0) by exchanging its end slots; returns 0 when the flag already has that value,
    // else 1 (also when nothing had to change).
    int SetIJOrientation(int value);
    int EndsSwapped() const { return m_nSwapped; }
    // The section in slot 0 has a density above 0.
    bool HasSelfWeight() const;
    // The beam's local axes as the columns x, y, z of a rotation: the frame the stiffness uses,
    // taken from its two nodes and its orientation point. x runs from node 1 to node 2; y is
    // the orientation point's direction crossed with x, or, when the two are parallel, the
    // axis that follows the orientation's axis (z -> x, x -> y, y -> z). An orientation that
    // gives no y (zero, or parallel to a beam off the global axes) is taken as (0, 0, 1).
    MfxTMatrix LocalAxes() const;

    VelmorVigaData& Data() { return static_cast<VelmorVigaData&>(*m_pData); }
    const VelmorVigaData& Data() const { return static_cast<const VelmorVigaData&>(*m_pData); }

private:
    int m_nSwapped = 0;
};

} // namespace velmor
