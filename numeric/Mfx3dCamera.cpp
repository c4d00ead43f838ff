// Camera of a 3D view: viewing direction, world-to-view and world-to-device matrices, fit,
// rotation, zoom, projection and unprojection.
#include "Mfx3dCamera.h"

#include <algorithm>
#include <cmath>

namespace velmor {

namespace {

const Mfx3dPoint kZero(0, 0, 0);
// Direction of the default oblique view: from the front right, somewhat above.
const Mfx3dPoint kObliqueDirection(1, -1, 0.5);

Mfx3dPoint Direction3(const Mfx3dPoint& p)
{
    return {p.x, p.y, p.z, 0};
}

// Unit vector to the right of the picture for the unit direction d; (1, 0, 0) when d is
// vertical.
Mfx3dPoint RightVector(const Mfx3dPoint& d)
{
    Mfx3dPoint right = cross(Mfx3dPoint(0, 0, 1), d);
    if (right == kZero)
        right = Mfx3dPoint(1, 0, 0);
    right.normalize();
    return right;
}

Mfx3dPoint UpVectorOf(const Mfx3dPoint& d)
{
    Mfx3dPoint up = cross(d, RightVector(d));
    up.normalize();
    return up;
}

} // namespace

Mfx3dCamera::Mfx3dCamera(const ViewportSource* owner) : m_owner(owner), m_deviceDirty(true) {}

MfxRect Mfx3dCamera::ClientRect() const
{
    return m_owner ? m_owner->ClientRect() : MfxRect();
}

int Mfx3dCamera::SetView(const Mfx3dBox& box, double percentage, int viewCode,
                         const Mfx3dPoint& direction, const ViewportSource* owner)
{
    m_rotatable = false;
    m_viewCode = viewCode;
    Mfx3dPoint chosen = m_direction;
    switch (viewCode & ~kViewIgnoredBit) {
    case kViewXY:
        chosen = Mfx3dPoint(0, 0, 1);
        break;
    case kViewYZ:
        chosen = Mfx3dPoint(1, 0, 0);
        break;
    case kViewXZ:
        chosen = Mfx3dPoint(0, -1, 0);
        break;
    case kViewOblique:
        chosen = direction == kZero ? kObliqueDirection : direction;
        m_rotatable = true;
        break;
    case kViewGiven:
        chosen = direction;
        break;
    default:
        break;
    }

    if (owner)
        m_owner = owner;

    static_cast<Mfx3dBox&>(*this) = box;
    m_target = box.Centre();
    m_eyeOffset = box.Size() * percentage / 100.0;
    if (chosen != kZero) {
        chosen.normalize();
        m_direction = Mfx3dPoint(chosen.x, chosen.y, chosen.z);
    }

    RebuildView();
    m_mapping.Fit(m_viewExtents, ClientRect());
    m_deviceDirty = true;
    return 1;
}

Mfx3dPoint Mfx3dCamera::UpVector() const
{
    Mfx3dPoint d = m_direction;
    d.normalize();
    return UpVectorOf(d);
}

void Mfx3dCamera::RebuildView() const
{
    Mfx3dPoint d = m_direction;
    d.normalize();
    const Mfx3dPoint right = RightVector(d);
    const Mfx3dPoint up = UpVectorOf(d);

    // Rows right, up and d: view x to the right, y up, z towards the viewer.
    const MfxTMatrix rotation = MfxTMatrix(right, up, d).Transpose();
    // Device y grows downwards.
    MfxTMatrix flip;
    flip(2, 2) = -1;
    m_worldToView = flip * rotation * MfxTMatrix::Translation(-m_target);
    m_viewToWorld = MfxTMatrix::Translation(m_target) * rotation.Transpose() * flip;

    // The box enlarged by the margin on every side but the top; the bounding rectangle of its
    // corners in the picture.
    double margin = m_eyeOffset.length();
    if (margin == 0.0)
        margin = 1.0;
    const Mfx3dBox enlarged(BaseCentre() + Orientation() * Mfx3dPoint(0, 0, -margin, 0),
                            HalfExtentX() + margin, HalfExtentY() + margin, Height() + margin,
                            Orientation(), Kind());
    bool first = true;
    for (const Mfx3dPoint& corner : enlarged.Corners()) {
        const Mfx3dPoint v = m_worldToView * corner;
        if (first) {
            m_viewExtents = MfxRect(v.x, v.y, v.x, v.y);
            first = false;
            continue;
        }
        m_viewExtents.left = std::min(m_viewExtents.left, v.x);
        m_viewExtents.right = std::max(m_viewExtents.right, v.x);
        m_viewExtents.bottom = std::min(m_viewExtents.bottom, v.y);
        m_viewExtents.top = std::max(m_viewExtents.top, v.y);
    }
    m_viewDirty = false;
    m_deviceDirty = true;
}

void Mfx3dCamera::RebuildDevice() const
{
    if (m_viewDirty)
        RebuildView();
    m_worldToDevice = m_mapping.Forward() * m_worldToView;
    m_deviceToWorld = m_viewToWorld * m_mapping.Inverse();
    m_baseImage = m_worldToDevice * MinCorner();
    m_axisImages[0] = m_worldToDevice * Mfx3dPoint(1, 0, 0, 0);
    m_axisImages[1] = m_worldToDevice * Mfx3dPoint(0, 1, 0, 0);
    m_axisImages[2] = m_worldToDevice * Mfx3dPoint(0, 0, 1, 0);
    m_deviceDirty = false;
}

void Mfx3dCamera::Rotate(int code, double angle)
{
    if (!m_rotatable)
        return;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Mfx3dPoint d = m_direction;
    Mfx3dPoint turned;
    switch (code) {
    case kTurnLeft:
        turned = Mfx3dPoint(c * d.x - s * d.y, s * d.x + c * d.y, d.z);
        break;
    case kTurnRight:
        turned = Mfx3dPoint(c * d.x + s * d.y, -s * d.x + c * d.y, d.z);
        break;
    case kTurnUp:
        turned = d * c + UpVector() * s;
        break;
    case kTurnDown:
        turned = d * c - UpVector() * s;
        break;
    default:
        return;
    }
    turned.normalize();
    m_direction = Mfx3dPoint(turned.x, turned.y, turned.z);
    m_viewDirty = true;
    m_deviceDirty = true;
}

int Mfx3dCamera::Zoom(int mode, const MfxRect& rect)
{
    if (mode == kZoomReset) {
        if (m_viewDirty)
            RebuildView();
        m_mapping.Fit(m_viewExtents, ClientRect());
        m_scrollOrigin = MfxPoint(0, 0);
        m_zoomFactor = 1.0;
        m_zoomed = true;
        m_deviceDirty = true;
        return 1;
    }
    if (mode != kZoomToRect || rect.IsEmpty())
        return 0;

    MfxRect band = rect;
    band.Normalize();
    MfxRect client = ClientRect();
    client.Normalize();
    const double f = std::min(client.Width() / band.Width(), client.Height() / band.Height());

    // The whole drawing scaled by f moves every device point p to f p. The band's corner
    // nearest the device origin (smallest x and y) goes to the top-left of the client area.
    const MfxPoint drawing = DrawingSize();
    const MfxPoint corner(band.left * f, band.bottom * f);
    const MfxRect viewport(-corner.x, -corner.y, drawing.x * f - corner.x,
                           drawing.y * f - corner.y);
    // The window of the current fit, not a rebuilt one: after a rotation the picture keeps the
    // scale it is shown at, and f applies to that.
    m_mapping.Fit(m_mapping.Window(), viewport);
    m_scrollOrigin = corner;
    m_zoomFactor = f;
    m_deviceDirty = true;
    return 1;
}

MfxPoint Mfx3dCamera::DrawingSize() const
{
    const MfxRect& drawing = m_mapping.ScaledWindow();
    return {drawing.Width(), drawing.Height()};
}

DevicePoint Mfx3dCamera::ScrollOrigin() const
{
    return {static_cast<int>(std::lround(m_scrollOrigin.x)),
            static_cast<int>(std::lround(m_scrollOrigin.y))};
}

MfxPoint Mfx3dCamera::Project(const Mfx3dPoint& p) const
{
    if (m_deviceDirty || m_viewDirty)
        RebuildDevice();
    return MfxPoint(m_worldToDevice * p);
}

Mfx3dPoint Mfx3dCamera::ProjectDirection(const Mfx3dPoint& d) const
{
    if (m_viewDirty)
        RebuildView();
    return Direction3(m_worldToView * Direction3(d));
}

Mfx3dPoint Mfx3dCamera::Unproject(double px, double py, double dz) const
{
    if (m_deviceDirty || m_viewDirty)
        RebuildDevice();
    const Mfx3dPoint& o = m_baseImage;
    const Mfx3dPoint& ex = m_axisImages[0];
    const Mfx3dPoint& ey = m_axisImages[1];
    const Mfx3dPoint& ez = m_axisImages[2];

    // Solve (px, py) = o + a ex + b ey on the screen for the steps a along X and b along Y;
    // they give the depth of the bottom-plane point under the device point. A zero
    // determinant means the plane is seen edge-on: the depth of the minimum corner is used.
    double a = 0.0;
    double b = 0.0;
    const double det = ex.x * ey.y - ex.y * ey.x;
    if (det != 0.0) {
        const double rx = px - o.x;
        const double ry = py - o.y;
        a = (rx * ey.y - ry * ey.x) / det;
        b = (ex.x * ry - ex.y * rx) / det;
    }
    // The step along Z that moves the point dz device units down the screen.
    const double c = dz != 0.0 && ez.y != 0.0 ? dz / ez.y : 0.0;
    const double depth = a * ex.z + o.z + b * ey.z + c * ez.z;
    return m_deviceToWorld * Mfx3dPoint(px, py + dz, depth);
}

} // namespace velmor
