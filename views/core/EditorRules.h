// What the structure editor decides without a window: the grid snapping of the node cursor,
// the orientation given to a new beam, the prompt of each (action, tool) state and the help
// context of what lies under the mouse.
#pragma once

#include "numeric/Mfx3dPoint.h"

namespace velmor {

// The editor's actions (the view's mode) and tools.
enum EditorAction : int { ACTION_NONE = 0, ACTION_ADD = 1, ACTION_DELETE = 2, ACTION_MODIFY = 3, ACTION_ZOOM = 4 };
enum EditorTool : int {
    TOOL_NONE = -1,
    TOOL_NODE = 0,
    TOOL_SECTION = 1,
    TOOL_BEAM = 2,
    TOOL_SUPPORT = 3,
    TOOL_LOAD = 4,
    TOOL_BEAM_LOAD = 5,
};

// v snapped to the grid of step g: g times the integer part (towards zero) of v / g + 0.5; v
// itself for a step of 0. With g = 0.5, 1.26 gives 1.5 and -1.26 gives -1.0.
double SnapToGrid(double v, double g);
// Each coordinate snapped to the grid step of its axis (w kept).
Mfx3dPoint SnapToGrid(const Mfx3dPoint& p, const Mfx3dPoint& step);

// Whether a beam along the unit axis `axis` needs another orientation vector: the vector is
// zero or parallel to the axis (|1 - |axis . orientation|| < 0.001).
bool OrientationUnusable(const Mfx3dPoint& axis, const Mfx3dPoint& orientation);
// The orientation a new beam from a to b gets without asking: (0, 0, 1), or (0, 0, 0) when
// the option "Poutre avec orientation" asks for it; outside space frames an orientation
// parallel to the axis becomes (1, 0, 0). A space frame whose result is unusable asks the user.
Mfx3dPoint DefaultBeamOrientation(const Mfx3dPoint& a, const Mfx3dPoint& b, int problemType,
                                  bool askOrientation);

// String id of the prompt of a state: add, delete or modify with a tool; 0 for none. In add
// mode with the node tool, `xyStage` chooses between x, y and z entry; with the beam tool
// `endsPicked` between the first and the second end.
int EditorPrompt(int action, int tool, bool xyStage = true, int endsPicked = 0);

// Context help over the editor: node 98313, beam 98314, section 98319, support 98316, either
// load 98315, anywhere else 131074.
unsigned EditorHelpContext(int kind);

} // namespace velmor
