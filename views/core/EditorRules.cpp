#include "EditorRules.h"

#include "model/ElementKind.h"

#include <cmath>

namespace velmor {

double SnapToGrid(double v, double g)
{
    if (g == 0.0)
        return v;
    return g * std::trunc(v / g + 0.5);
}

Mfx3dPoint SnapToGrid(const Mfx3dPoint& p, const Mfx3dPoint& step)
{
    Mfx3dPoint q = p;
    q.x = SnapToGrid(p.x, step.x);
    q.y = SnapToGrid(p.y, step.y);
    q.z = SnapToGrid(p.z, step.z);
    return q;
}

bool OrientationUnusable(const Mfx3dPoint& axis, const Mfx3dPoint& orientation)
{
    if (orientation.x == 0.0 && orientation.y == 0.0 && orientation.z == 0.0)
        return true;
    const double dot = axis.x * orientation.x + axis.y * orientation.y + axis.z * orientation.z;
    return std::fabs(1.0 - std::fabs(dot)) < 0.001;
}

Mfx3dPoint DefaultBeamOrientation(const Mfx3dPoint& a, const Mfx3dPoint& b, int problemType,
                                  bool askOrientation)
{
    Mfx3dPoint axis(b.x - a.x, b.y - a.y, b.z - a.z);
    const double length = axis.length();
    if (length > 0.0)
        axis = Mfx3dPoint(axis.x / length, axis.y / length, axis.z / length);
    Mfx3dPoint orientation = askOrientation ? Mfx3dPoint(0, 0, 0) : Mfx3dPoint(0, 0, 1);
    if (problemType != PROBLEM_SPACE_FRAME && OrientationUnusable(axis, orientation))
        orientation = Mfx3dPoint(1, 0, 0);
    return orientation;
}

int EditorPrompt(int action, int tool, bool xyStage, int endsPicked)
{
    if (action == ACTION_ADD) {
        switch (tool) {
        case TOOL_NODE: return xyStage ? 61237 : 61238;
        case TOOL_BEAM: return endsPicked == 0 ? 61227 : 61228;
        case TOOL_SUPPORT: return 61230;
        case TOOL_LOAD:
        case TOOL_BEAM_LOAD: return 61240;
        default: return 0;
        }
    }
    if (action == ACTION_DELETE || action == ACTION_MODIFY) {
        switch (tool) {
        case TOOL_NODE: return 61230;
        case TOOL_SECTION: return 61232;
        case TOOL_BEAM: return action == ACTION_MODIFY ? 61239 : 61231;
        case TOOL_SUPPORT: return 61233;
        case TOOL_LOAD:
        case TOOL_BEAM_LOAD: return 61234;
        default: return 0;
        }
    }
    return 0;
}

unsigned EditorHelpContext(int kind)
{
    switch (kind) {
    case KIND_NODE: return 98313;
    case KIND_BEAM: return 98314;
    case KIND_SECTION: return 98319;
    case KIND_SUPPORT: return 98316;
    case KIND_NODAL_LOAD:
    case KIND_BEAM_LOAD: return 98315;
    default: return 131074;
    }
}

} // namespace velmor
