#include "VelmorApoyo.h"

#include "ElementTemplate.h"
#include "numeric/Mfx3dDC.h"
#include "views/core/ProgramOptions.h"

#include <vector>

namespace velmor {
namespace {


bool IsZero(const Mfx3dPoint& p)
{
    return p.x == 0.0 && p.y == 0.0 && p.z == 0.0;
}

// Width in device units of the spring's line.
constexpr int kSpringWidth = 5;

} // namespace

VelmorApoyo::VelmorApoyo() : VelmorObject(1, std::make_unique<VelmorApoyoData>()) {}

VelmorApoyo::VelmorApoyo(const VelmorApoyoData& data, VelmorObject* node)
    : VelmorObject(1, std::make_unique<VelmorApoyoData>(data))
{
    m_pData->m_kind = KIND_SUPPORT;
    m_pParents[0] = node;
}

int VelmorApoyo::AcceptsNew(const ElementTemplate& candidate) const
{
    return candidate.m_pParents[0] == GetParent(0) ? 0 : 1;
}

void VelmorApoyo::Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options)
{
    if (!options.IsOn(OPT_SHOW_SUPPORTS) || !GetParent(0))
        return;
    const VelmorApoyoData& d = Data();
    // The rotation of the symbol only: any translation the matrix holds is left out.
    const Mfx3dPoint ex = d.m_orientation.Column(1);
    const Mfx3dPoint ey = d.m_orientation.Column(2);
    const Mfx3dPoint up = d.m_orientation.Column(3);
    const MfxTMatrix frame(ex, ey, up);
    // The same frame turned a quarter about `up`: the upper prism of type 9 crosses the lower.
    const MfxTMatrix crossed(ey, -ex, up);

    const double s = Sizes().supportSize;
    const double half = 0.5 * s;
    Mfx3dPoint node;
    GetPosition(node, 0, 0);
    const Mfx3dPoint a = node - s * up;
    const Mfx3dPoint b = node - 0.7 * s * up;
    const double low = 0.3 * s;   // from A to B
    const double high = 0.7 * s;  // from B to the node

    const Mfx3dBox block(a, half, half, s, frame, Mfx3dBox::kBox);
    const Mfx3dBox slab(a, half, half, low, frame, Mfx3dBox::kBox);
    const Mfx3dBox pyramid(b, half, half, high, frame, Mfx3dBox::kPyramid);
    const Mfx3dBox prism(b, half, half, high, frame, Mfx3dBox::kBox);
    const Mfx3dBox lowPrism(a, half, half, low, frame, Mfx3dBox::kBox);
    const Mfx3dBox crossPrism(b, half, half, high, crossed, Mfx3dBox::kBox);

    // Boxes, then five-face solids (pyramids and prisms).
    std::vector<Mfx3dBox> boxes;
    std::vector<Mfx3dBox> solids;
    switch (d.m_nType) {
    case 0:                   // restraints without a picture
    case 1:                   // fixed
    case SUPPORT_SETTLEMENT:  // prescribed displacement
        boxes = {block};
        break;
    case 2:  // pinned
        boxes = {slab};
        solids = {pyramid};
        break;
    case 3:
    case 4:
    case 5:  // a hinge about the prism's ridge
        boxes = {slab};
        solids = {prism};
        break;
    case 6:
    case 7:
    case 8:  // one translation held
        solids = {lowPrism, pyramid};
        break;
    case 9:  // user-defined
        solids = {lowPrism, crossPrism};
        break;
    case SUPPORT_ELASTIC:
        boxes = {slab};
        break;
    default:
        return;
    }

    if (region) {
        for (const Mfx3dBox& box : boxes)
            region->Union(dc.BoxRegion(box));
        for (const Mfx3dBox& solid : solids)
            region->Union(dc.PyramidRegion(solid));
        return;
    }

    int fill = PAL_SUPPORT;
    if (m_state & STATE_HIGHLIGHT)
        fill = PAL_SELECTED;
    else if (d.m_nType == SUPPORT_ELASTIC)
        fill = PAL_SUPPORT_DETAIL;
    else if (!IsZero(d.m_translation) || !IsZero(d.m_rotation))
        fill = PAL_SUPPORT_DISPLACED;
    const MfxColor colour = PaletteColor(fill);
    if (d.m_nType == SUPPORT_ELASTIC)
        dc.Line(node, b, PaletteColor(PAL_SUPPORT_DETAIL), kSpringWidth);
    dc.SetPen(PaletteColor(PAL_PEN), 1);
    const int mode = Mfx3dDC::kShade | Mfx3dDC::kFilled;
    for (const Mfx3dBox& box : boxes)
        dc.DrawBox(box, mode, colour);
    for (const Mfx3dBox& solid : solids)
        dc.DrawPyramid(solid, mode, colour);
}

} // namespace velmor
