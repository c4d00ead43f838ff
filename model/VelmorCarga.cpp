#include "VelmorCarga.h"

#include "ElementTemplate.h"
#include "VelmorViga.h"

namespace velmor {

VelmorCarga::VelmorCarga() : VelmorObject(1, std::make_unique<VelmorCargaData>()) {}

VelmorCarga::VelmorCarga(const VelmorCargaData& data, VelmorObject* parent)
    : VelmorObject(1, std::make_unique<VelmorCargaData>(data))
{
    m_pParents[0] = parent;
}

int VelmorCarga::ParentKind(int) const
{
    return Kind() == KIND_BEAM_LOAD ? KIND_BEAM : KIND_NODE;
}

bool VelmorCarga::AcceptsNew(const ElementTemplate& candidate, const ElementContainer&) const
{
    return candidate.m_pParents[0] != GetParent(0);
}

int VelmorCarga::SetIJOrientation(int value)
{
    if (value == m_nSwapped)
        return 0;
    const auto* beam = dynamic_cast<const VelmorViga*>(GetParent(0));
    const bool beamSwapped = beam && beam->EndsSwapped() == 1;
    if (!(value == 0 || (value == 1 && beamSwapped)))
        return 1;
    m_nSwapped = value;
    VelmorCargaData& d = Data();
    // Local axes x and y reverse with the beam: a half turn about local z.
    auto turn = [local = d.m_nLocal != 0](const Mfx3dPoint& p) {
        return local ? Mfx3dPoint(-p.x, -p.y, p.z) : Mfx3dPoint(p.x, p.y, p.z);
    };
    const Mfx3dPoint p1 = d.m_point[0], p2 = d.m_point[1], p3 = d.m_point[2], p4 = d.m_point[3];
    d.m_point[2] = turn(p1);
    d.m_point[0] = turn(p3);
    d.m_point[3] = turn(p2);
    d.m_point[1] = turn(p4);
    return 1;
}

Vector VelmorCarga::GetNodalLoadVector() const
{
    const VelmorCargaData& d = Data();
    Vector v(6);
    const double values[6] = {d.m_point[0].x, d.m_point[0].y, d.m_point[0].z,
                              d.m_point[1].x, d.m_point[1].y, d.m_point[1].z};
    for (long i = 1; i <= 6; ++i)
        v.At(i) = values[i - 1];
    return v;
}

} // namespace velmor
