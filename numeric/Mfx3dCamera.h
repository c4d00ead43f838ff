// Camera of a 3D view: parallel projection of model coordinates (metres, Z up) onto the view's
// device coordinates, standard and oblique viewing directions, rotation, fit and zoom, and the
// mapping of a device point back onto the model.
#pragma once

#include "Mfx3dBox.h"
#include "Mfx3dPoint.h"
#include "MfxPoint.h"
#include "MfxRect.h"
#include "MfxTMatrix.h"
#include "MfxViewMapping.h"

namespace velmor {

// What the camera needs from the view that owns it: the device rectangle to fill.
class ViewportSource
{
public:
    virtual ~ViewportSource() = default;
    // The client area in device units as (0, 0, width, height), top 0 and bottom the height,
    // right and bottom exclusive. The camera normalises it.
    virtual MfxRect ClientRect() const = 0;

protected:
    ViewportSource() = default;
    ViewportSource(const ViewportSource&) = default;
    ViewportSource& operator=(const ViewportSource&) = default;
};

// A position in whole device units, as a scroll view takes it.
struct DevicePoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// The box part holds the box last fitted. Device coordinates have x to the right and y
// downwards, with the origin at the top-left corner of the whole drawing (the scroll view
// shows part of it); device z is the depth, growing towards the viewer. The projection is
// parallel: the weight w of a point is never divided by. World-to-view and world-to-device
// matrices are rebuilt on demand, which is why the projections are const.
//
// The owner is not owned; it must outlive the camera or be replaced through SetView. Without
// an owner the client rectangle is empty and the picture collapses to the device origin.
class Mfx3dCamera : public Mfx3dBox
{
public:
    // View codes of SetView. kViewIgnoredBit may be or-ed into any of them and changes nothing.
    static constexpr int kViewXY = 1;      // looks down Z: X to the right, Y up
    static constexpr int kViewYZ = 2;      // looks along -X: Y to the right, Z up
    static constexpr int kViewXZ = 4;      // looks along +Y: X to the right, Z up
    static constexpr int kViewOblique = 8; // the given direction or (1, -1, 0.5); rotatable
    static constexpr int kViewGiven = 32;  // the given direction
    static constexpr int kViewIgnoredBit = 0x10;

    // Rotation codes: about Z anticlockwise and clockwise seen from above, viewer up and down.
    static constexpr int kTurnLeft = 1;
    static constexpr int kTurnRight = 2;
    static constexpr int kTurnUp = 4;
    static constexpr int kTurnDown = 8;
    // The rotation step of the view commands: 15 degrees in radians.
    static constexpr double kRotationStep = 0.26179938779916667;

    static constexpr int kZoomReset = 1;
    static constexpr int kZoomToRect = 2;

    // Identity matrices, zero direction and target, a zero-size box, not rotatable.
    explicit Mfx3dCamera(const ViewportSource* owner = nullptr);

    // Chooses the direction by the view code and fits the box into the owner's client area:
    // the box centre becomes the target, the margin around the box is the length of
    // box size * percentage / 100 (1.0 when that is 0). Direction by code, bit 0x10 ignored:
    // kViewXY (0, 0, 1), kViewYZ (1, 0, 0), kViewXZ (0, -1, 0), kViewOblique `direction` or
    // (1, -1, 0.5) when it is zero, kViewGiven `direction`; any other code keeps the current
    // direction. A zero direction is not taken. The camera is rotatable after kViewOblique only.
    // A null owner keeps the current one. Scroll origin and zoom factor are left alone (the
    // views reset the zoom next). Returns 1.
    int SetView(const Mfx3dBox& box, double percentage, int viewCode, const Mfx3dPoint& direction,
                const ViewportSource* owner = nullptr);

    // Turns the direction by `angle` radians: kTurnLeft about Z anticlockwise, kTurnRight
    // clockwise, kTurnUp towards the picture's up vector, kTurnDown away from it. Does nothing
    // unless rotatable, or for another code. The fit is kept: the target stays at the centre
    // of the drawing at the same scale until the next zoom reset.
    void Rotate(int code, double angle);

    // kZoomReset fits the current picture into the client area again, scroll origin (0, 0),
    // zoom factor 1; returns 1. kZoomToRect enlarges the drawing so that `rect`, in device
    // units and in any corner order, fits the client area with its top-left corner at the
    // scroll origin and fills it in its binding direction; returns 0 and changes nothing when
    // `rect` has zero width or height. Any other mode does nothing and returns 0.
    int Zoom(int mode, const MfxRect& rect = {});

    // Width and height of the whole drawing in device units (the scroll sizes).
    MfxPoint DrawingSize() const;
    // Device position to scroll to after a zoom, rounded to the nearest integers.
    DevicePoint ScrollOrigin() const;
    double ZoomFactor() const { return m_zoomFactor; }
    // Set by the first zoom reset.
    bool IsZoomed() const { return m_zoomed; }

    // Device position of a model point (callers truncate it to whole pixels).
    MfxPoint Project(const Mfx3dPoint& p) const;
    // A direction turned into view coordinates (x right, y down, z towards the viewer): no
    // translation whatever the argument's w; the result has w = 0. A zero vector stays zero.
    Mfx3dPoint ProjectDirection(const Mfx3dPoint& d) const;
    // The model point under the device point (px, py) on the box's bottom plane, lifted along
    // Z by as much as moves it dz device units down the screen (dz = 0 for none). Where the
    // bottom plane is seen edge-on (the XZ and YZ views) the point lies instead on the plane
    // through the box's minimum corner that faces the viewer. In the XY view, where Z points
    // at the viewer, dz moves the point down the picture instead of lifting it. Works for a
    // box of zero size in any direction.
    Mfx3dPoint Unproject(double px, double py, double dz) const;

    // Unit vector from the target towards the viewer.
    const Mfx3dPoint& Direction() const { return m_direction; }
    const Mfx3dPoint& Target() const { return m_target; }
    bool IsRotatable() const { return m_rotatable; }
    // The last code passed to SetView, bit 0x10 included.
    int ViewCode() const { return m_viewCode; }
    const MfxViewMapping& Mapping() const { return m_mapping; }
    const ViewportSource* Owner() const { return m_owner; }
    // The owner's client rectangle, or an empty one without an owner.
    MfxRect ClientRect() const;

private:
    void RebuildView() const;
    void RebuildDevice() const;
    // The up vector of the picture (not flipped) for the current direction.
    Mfx3dPoint UpVector() const;

    Mfx3dPoint m_target;
    Mfx3dPoint m_direction{0, 0, 0};
    Mfx3dPoint m_eyeOffset;
    MfxViewMapping m_mapping;
    const ViewportSource* m_owner = nullptr;
    MfxPoint m_scrollOrigin;
    double m_zoomFactor = 1.0;
    bool m_zoomed = false;
    bool m_rotatable = false;
    int m_viewCode = 0;

    // Rebuilt on demand.
    mutable bool m_viewDirty = false;
    mutable MfxTMatrix m_worldToView;
    mutable MfxTMatrix m_viewToWorld;
    mutable MfxRect m_viewExtents;
    mutable bool m_deviceDirty = false;
    mutable MfxTMatrix m_worldToDevice;
    mutable MfxTMatrix m_deviceToWorld;
    // Device images of the box's minimum corner and of the unit vectors along X, Y and Z.
    mutable Mfx3dPoint m_baseImage;
    mutable Mfx3dPoint m_axisImages[3];
};

} // namespace velmor
