// Cross-section element: the section and material that beams refer to (their parent slot 0).
#pragma once

#include "VelmorObject.h"
#include "platform/core/Region.h"

namespace velmor {

class VelmorSeccion : public VelmorObject
{
public:
    VelmorSeccion();
    explicit VelmorSeccion(const VelmorSeccionData& data);
    const char* GetRuntimeClass() const override { return "VelmorSeccion"; }
    // Refuses a section with the same E, Iy, Iz, G, A and J.
    int AcceptsNew(const ElementTemplate& candidate) const override;
    // The section's icon in device units, fixed in the window's top-left corner: section n
    // takes the square x = e(n - 1) + 10 .. e n + 10, y = 10 .. e + 10 (e = 20), filled in the
    // section's colour as a rectangle, an I or an ellipse by shape, with a self-weight arrow
    // below its centre when the density is not 0. The region is the square extended e / 2
    // downwards. The canvas is taken in window coordinates (no scroll offset is applied).
    void Draw(Mfx3dDC& dc, Region* region, const ProgramOptions& options) override;
    // The icon square of section `number` (see Draw).
    static PixelRect IconRect(int number);

    VelmorSeccionData& Data() { return static_cast<VelmorSeccionData&>(*m_pData); }
    const VelmorSeccionData& Data() const { return static_cast<const VelmorSeccionData&>(*m_pData); }
};

} // namespace velmor
