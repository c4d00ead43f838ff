// The view of the structure editor: an action (add, delete, modify) and an element tool (node,
// section, beam, support, load) form its state, and each left click does one thing to the
// element under the mouse or at the node cursor. Nodes are placed with a 3D cursor in two
// stages (x and y on the base plane, then z) snapped to the grid. Element data come from the
// data-entry dialogs; every change goes through the problem and is one step of the document's
// undo history.
#pragma once

#include "VelmorBaseView.h"
#include "model/ElementTemplate.h"
#include "views/core/EditorRules.h"

#include <functional>

namespace velmor {

// The dialogs the editor opens, each returning true on OK with the record edited in place.
// The program plugs in its dialogs; tests may answer for the user.
struct EditorDialogs
{
    std::function<bool(VelmorSeccionData&, int problemType)> section;
    std::function<bool(VelmorApoyoData&, int problemType)> support;
    std::function<bool(VelmorCargaData&, int problemType)> nodalLoad;
    // With the beam's number, its two end nodes' numbers and its length.
    std::function<bool(VelmorCargaData&, int problemType, int beam, int node1, int node2,
                       double length)>
        beamLoad;
    // A point typed as x, y, z (a node's position, a beam's orientation).
    std::function<bool(Mfx3dPoint&, int problemType)> coordinates;
    std::function<bool(std::string& title)> title;
};

class VelmorView3dEdit : public VelmorBaseView
{
    Q_OBJECT
public:
    explicit VelmorView3dEdit(VelmorDoc& doc, QWidget* parent = nullptr);

    EditorDialogs& Dialogs() { return m_dialogs; }

    int Action() const { return m_mode; }
    int Tool() const { return m_tool; }
    bool HingeMode() const { return m_hinge; }
    bool XyStage() const { return m_xyStage; }
    const Mfx3dPoint& CursorPoint() const { return m_cursor; }
    bool CursorShown() const { return m_cursorShown; }
    const VelmorObject* ActiveSection() const { return m_activeSection; }
    const VelmorObject* DraggedNode() const { return m_dragged; }
    int EndsPicked() const { return m_endsPicked; }
    // The help context of what lies under the viewport point.
    unsigned HelpContextAt(QPoint point) const;
    void OnUpdate(const ChangeEvent& change) override;

signals:
    // The action, the tool or the hinge mode changed: the toolbar's check marks follow.
    void StateChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void DrawOverlay(Mfx3dDC& dc) override;

private:
    void AddEditorCommands();
    void SetAction(int action);
    void SetTool(int tool);
    void ShowStatePrompt();
    // The node cursor follows the mouse (device point in viewport coordinates).
    void TrackCursor(QPoint point);
    // The viewport rectangle the cursor covers at `point`, for repainting.
    QRect CursorRect(const Mfx3dPoint& point) const;
    void HideCursor();
    double CursorSize() const;

    void LeftClickAdd(QPoint point);
    void LeftClickDelete(QPoint point);
    void LeftClickModify(QPoint point);
    void RightClickNodeStages(QPoint point);

    void CreateNodeAt(const Mfx3dPoint& position);
    void PickBeamEnd(VelmorObject* node);
    void PickActiveSection(QPoint point);
    void AddSection();
    void EditSupportOf(VelmorObject* node);
    void AddLoadAt(QPoint point);
    void ModifyLoad(VelmorObject* load);
    // The element's dialog on a copy of its record; OK applies the change.
    template <class Record, class Dialog>
    void ModifyWith(VelmorObject* element, const Dialog& dialog, const char* text);
    void GiveSection(VelmorObject* beam);
    void DeleteElement(VelmorObject* element);
    void DropDraggedNode();
    void MoveNode(VelmorObject* node, const Mfx3dPoint& position);
    void ToggleHinge(VelmorObject* node);

    // A change of the structure made in place: the revision moves on, the document is
    // modified and every entry is drawn anew.
    void StructureEdited();
    // The element's record replaced by `record`: a change of the structure, told to the views.
    void ChangeRecord(VelmorObject& element, const VelmorObjectData& record);
    // The problem creates the template's element; the views and the modified flag follow.
    VelmorObject* Create();
    // The work box grows to hold the point.
    void EnlargeBox(const Mfx3dPoint& point);
    // The first load under the point: nodal loads first, then beam loads.
    VelmorObject* LoadAt(QPoint point) const;
    // The element of the tool's kind under the point (either load for the load tool).
    VelmorObject* ToolElementAt(QPoint point) const;
    int Type() const;
    void ForgetElements();
    // Lets go of the elements it holds that are no longer in the structure (a clear-all).
    void DropRemovedElements();

    EditorDialogs m_dialogs;
    ElementTemplate m_template;
    VelmorObject* m_activeSection = nullptr;
    int m_activeSectionNumber = 0;
    int m_tool = TOOL_NONE;
    Mfx3dPoint m_anchor{0, 0, 0};
    Mfx3dPoint m_cursor{0, 0, 0};
    bool m_xyStage = true;
    bool m_cursorShown = false;
    bool m_hinge = false;
    VelmorObject* m_dragged = nullptr;
    int m_endsPicked = 0;
};

} // namespace velmor
