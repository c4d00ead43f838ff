#include "VelmorNudo.h"

#include "ElementContainer.h"
#include "ElementTemplate.h"
#include "numeric/Mfx3dDC.h"
#include "views/core/ProgramOptions.h"

#include <cmath>

namespace velmor {
namespace {


// Room of the node's number label beside the disc, in device units.
constexpr int kLabelWidth = 40;
constexpr int kLabelHeight = 30;

} // namespace

VelmorNudo::VelmorNudo() : VelmorObject(0, std::make_unique<VelmorNudoData>()) {}

VelmorNudo::VelmorNudo(const Mfx3dPoint& point) : VelmorNudo()
{
    Data().m_coord = Mfx3dPoint(point.x, point.y, point.z);
}

VelmorNudo::VelmorNudo(double x, double y, double z) : VelmorNudo(Mfx3dPoint(x, y, z)) {}

VelmorNudo::VelmorNudo(const VelmorNudoData& data)
    : VelmorObject(0, std::make_unique<VelmorNudoData>(data))
{
    m_pData->m_kind = KIND_NODE;
}

int VelmorNudo::GetNumber(int) const
{
    return Data().m_nAnalysisNumber;
}

Mfx3dPoint& VelmorNudo::GetPosition(Mfx3dPoint& point, int, int) const
{
    point = Data().m_coord;
    return point;
}

int VelmorNudo::AcceptsNew(const ElementTemplate& candidate) const
{
    const ElementContainer* problem = CurrentProblem();
    const Mfx3dPoint step = problem ? problem->GridStep() : Mfx3dPoint(0.0, 0.0, 0.0);
    const Mfx3dPoint d = candidate.m_node.m_coord - Data().m_coord;
    return std::fabs(d.x) >= step.x || std::fabs(d.y) >= step.y || std::fabs(d.z) >= step.z;
}

bool VelmorNudo::IsHinged(int problemType) const
{
    return Data().m_nJoint != 0 || problemType == PROBLEM_SPACE_TRUSS;
}

void VelmorNudo::Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options)
{
    if (!options.IsOn(OPT_SHOW_NODES))
        return;
    const Mfx3dPoint& centre = Data().m_coord;
    const double radius = Sizes().nodeRadius;
    const bool hinged = IsHinged(CurrentProblemType());
    if (region) {
        const Region disc = dc.DiscRegion(centre, hinged ? 2.0 * radius : radius);
        if (disc.IsEmpty())
            return;
        region->Union(disc);
        // The label's room widens the bounding rectangle through a one-pixel square at its
        // far corner, so that picking still needs a point on the disc.
        const PixelRect r = disc.BoundingRect();
        region->AddRect({r.right + kLabelWidth - 1, r.top - kLabelHeight, r.right + kLabelWidth,
                         r.top - kLabelHeight + 1});
        return;
    }
    if (hinged)
        dc.DrawDisc(centre, 2.0 * radius, Mfx3dDC::kOutline, PaletteColor(PAL_HINGE));
    const MfxColor fill = PaletteColor((m_state & STATE_HIGHLIGHT) ? PAL_SELECTED : PAL_HINGE);
    dc.SetPen(fill, 1);
    dc.DrawDisc(centre, radius, Mfx3dDC::kFilled, fill);
}

} // namespace velmor
