#include "VelmorView3dEdit.h"

#include "app/VelmorDoc.h"
#include "numeric/Mfx3dDC.h"
#include "platform/core/MessageService.h"
#include "resources/StringTable.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace velmor {
namespace {

constexpr const char* kNodeTooClose =
    "Velmor de peut pas dessiner de noeud ici\nIl est trop proche d'un autre.";

// Every bit of a delete: armed, redraw, cascade to the children, removed from the lists.
constexpr int kDeleteFlags = STATE_DETACH | STATE_REDRAW | STATE_CASCADE | STATE_REMOVE;

bool allZero(const VelmorCargaData& load)
{
    for (const Mfx3dPoint& p : load.m_point)
        if (p.x != 0.0 || p.y != 0.0 || p.z != 0.0)
            return false;
    return true;
}

bool inBox(const Mfx3dBox& box, const Mfx3dPoint& p)
{
    const Mfx3dPoint a = box.MinCorner(), b = box.MaxCorner();
    const auto within = [](double v, double lo, double hi) {
        return v >= std::min(lo, hi) && v <= std::max(lo, hi);
    };
    return within(p.x, a.x, b.x) && within(p.y, a.y, b.y) && within(p.z, a.z, b.z);
}

QString undoText(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

VelmorView3dEdit::VelmorView3dEdit(VelmorDoc& doc, QWidget* parent) : VelmorBaseView(doc, parent)
{
    setObjectName("VelmorView3dEdit");
    m_mode = ACTION_NONE;
    AddEditorCommands();
    // An undo or redo replaces every element: the editor keeps none of them, only the number
    // of its active section, which it finds again.
    connect(&doc, &VelmorDoc::AboutToRestore, this, [this] {
        m_activeSectionNumber = m_activeSection ? m_activeSection->Number() : 0;
        ForgetElements();
    });
    connect(&doc, &VelmorDoc::Restored, this, [this] {
        if (m_activeSectionNumber > 0)
            m_activeSection = m_doc.Problem().List(KIND_SECTION).FindNumber(m_activeSectionNumber);
        if (m_activeSection)
            m_display.Highlight(*m_activeSection);
        viewport()->update();
    });
}

int VelmorView3dEdit::Type() const
{
    return m_doc.Problem().m_nType;
}

void VelmorView3dEdit::ForgetElements()
{
    if (m_dragged)
        viewport()->releaseMouse();
    m_dragged = nullptr;
    m_activeSection = nullptr;
    m_template.SetKind(m_template.m_kind);
    m_endsPicked = 0;
}

void VelmorView3dEdit::OnUpdate(const ChangeEvent& change)
{
    VelmorBaseView::OnUpdate(change);
    if (change.hint == UpdateHint::ModelDone || change.hint == UpdateHint::Element)
        DropRemovedElements();
}

void VelmorView3dEdit::DropRemovedElements()
{
    const VelmorProblem& problem = m_doc.Problem();
    const auto inList = [&problem](const VelmorObject* e, int kind) {
        for (const auto& item : problem.List(kind))
            if (item.get() == e)
                return true;
        return false;
    };
    if (m_activeSection && !inList(m_activeSection, KIND_SECTION))
        m_activeSection = nullptr;
    if (m_dragged && !inList(m_dragged, KIND_NODE)) {
        viewport()->releaseMouse();
        m_dragged = nullptr;
        m_doc.EndEdit(undoText("Déplacer noeud"));
    }
    for (int i = 0; i < m_template.m_nParents; ++i) {
        VelmorObject* parent = m_template.m_pParents[i];
        // The kind each slot holds: a beam rests on its section and two nodes, a beam load on
        // its beam, a support or a nodal load on its node.
        const int kind = m_template.m_kind == KIND_BEAM ? (i == 0 ? KIND_SECTION : KIND_NODE)
                         : m_template.m_kind == KIND_BEAM_LOAD ? KIND_BEAM
                                                               : KIND_NODE;
        if (parent && !inList(parent, kind)) {
            m_template.SetKind(m_template.m_kind);
            m_endsPicked = 0;
            break;
        }
    }
}

void VelmorView3dEdit::mouseReleaseEvent(QMouseEvent* event)
{
    VelmorBaseView::mouseReleaseEvent(event);
    // The clicks of the editor act on the press; the release is theirs too.
    event->accept();
}

void VelmorView3dEdit::AddEditorCommands()
{
    const auto action = [this](int id, int mode) {
        m_commands.Add(id, [this, mode] { SetAction(mode); }, {}, [this, mode] { return m_mode == mode; });
    };
    action(ID_ELEMENT_NEW, ACTION_ADD);
    action(ID_ELEMENT_DELETE, ACTION_DELETE);
    action(ID_ELEMENT_MODIFY, ACTION_MODIFY);
    const std::pair<int, int> tools[] = {{ID_TOOL_NODE, TOOL_NODE},
                                         {ID_TOOL_SECTION, TOOL_SECTION},
                                         {ID_TOOL_BEAM, TOOL_BEAM},
                                         {ID_TOOL_SUPPORT, TOOL_SUPPORT},
                                         {ID_TOOL_LOAD, TOOL_LOAD}};
    for (const auto& [id, tool] : tools)
        m_commands.Add(id, [this, tool = tool] { SetTool(tool); }, {}, [this, tool = tool] {
            if (tool == TOOL_SECTION)
                return m_tool == TOOL_SECTION && m_mode != ACTION_ADD;
            if (tool == TOOL_LOAD)
                return m_tool == TOOL_LOAD || m_tool == TOOL_BEAM_LOAD;
            return m_tool == tool;
        });
    m_commands.Add(ID_TOOL_HINGE, [this] {
        m_hinge = !m_hinge;
        emit StateChanged();
    }, [this] { return (m_mode == ACTION_ADD || m_mode == ACTION_MODIFY) && m_tool == TOOL_NODE; },
        [this] { return m_hinge; });
    m_commands.Add(ID_EDIT_TITLE, [this] {
        if (!m_dialogs.title)
            return;
        std::string title = m_doc.Problem().m_name;
        if (m_dialogs.title(title) && title != m_doc.Problem().m_name)
            m_doc.Edit(undoText("Titre"), [&] {
                m_doc.Problem().m_name = title;
                m_doc.SetModifiedFlag(true);
                return true;
            });
    });
    // A node being dragged is dropped first: its move is the step undone.
    m_commands.Add(ID_EDIT_UNDO, [this] {
        if (m_dragged)
            DropDraggedNode();
        m_doc.UndoStack().undo();
    }, [this] { return m_dragged || m_doc.UndoStack().canUndo(); });
    m_commands.Add(ID_EDIT_REDO, [this] {
        if (m_dragged)
            DropDraggedNode();
        m_doc.UndoStack().redo();
    }, [this] { return !m_dragged && m_doc.UndoStack().canRedo(); });
    // Leaving the zoom band returns to no action, as the view starts.
    m_commands.Add(ID_ZOOM, [this] {
        HideCursor();
        m_mode = m_mode == kZoomMode ? ACTION_NONE : kZoomMode;
        ShowPrompt(m_mode == kZoomMode ? QString::fromUtf8(LoadString(61236)) : QString(" "));
        ShowKind(m_mode == kZoomMode ? -2 : -1);
        emit StateChanged();
    }, {}, [this] { return m_mode == kZoomMode; });
}

void VelmorView3dEdit::SetAction(int action)
{
    HideCursor();
    if (m_dragged)
        DropDraggedNode();
    m_mode = action;
    // A beam half picked is forgotten with the action it was picked in.
    if (m_template.m_kind == KIND_BEAM) {
        for (int i = 1; i <= 2; ++i)
            if (m_template.m_pParents[i])
                m_display.Unhighlight(*m_template.m_pParents[i]);
        m_template.SetKind(KIND_BEAM);
        m_endsPicked = 0;
        OnUpdate({UpdateHint::Marked});
    }
    if (action == ACTION_ADD) {
        switch (m_tool) {
        case TOOL_NODE:
            m_xyStage = true;
            m_anchor = Mfx3dPoint(0, 0, 0);
            break;
        case TOOL_SECTION:
            AddSection();
            break;
        default:
            break;
        }
    }
    ShowStatePrompt();
    emit StateChanged();
}

void VelmorView3dEdit::SetTool(int tool)
{
    HideCursor();
    if (m_dragged)
        DropDraggedNode();
    if (m_template.m_kind == KIND_BEAM)
        for (int i = 1; i <= 2; ++i)
            if (m_template.m_pParents[i])
                m_display.Unhighlight(*m_template.m_pParents[i]);
    m_tool = tool;
    m_endsPicked = 0;
    m_template.SetKind(tool == TOOL_NONE ? KIND_NONE : tool);
    OnUpdate({UpdateHint::Marked});
    if (m_mode == ACTION_ADD && tool == TOOL_NODE) {
        m_xyStage = true;
        m_anchor = Mfx3dPoint(0, 0, 0);
        if (m_options.IsOn(OPT_COORDINATE_ENTRY) && m_dialogs.coordinates) {
            Mfx3dPoint p = m_cursor;
            if (m_dialogs.coordinates(p, Type()) && inBox(m_doc.Problem().m_box, p)) {
                CreateNodeAt(p);
                m_tool = TOOL_NONE;
                m_template.SetKind(KIND_NONE);
            }
        }
    } else if (m_mode == ACTION_ADD && tool == TOOL_SECTION) {
        AddSection();
    }
    ShowStatePrompt();
    emit StateChanged();
}

void VelmorView3dEdit::ShowStatePrompt()
{
    const int id = EditorPrompt(m_mode, m_tool, m_xyStage, m_endsPicked);
    ShowPrompt(id ? QString::fromUtf8(LoadString(id)) : QString(" "));
}

double VelmorView3dEdit::CursorSize() const
{
    const Mfx3dBox& box = m_doc.Problem().m_box;
    return (box.MaxCorner() - box.MinCorner()).length() * 0.005;
}

QRect VelmorView3dEdit::CursorRect(const Mfx3dPoint& p) const
{
    const Mfx3dPoint points[4] = {p, Mfx3dPoint(p.x, p.y, 0), Mfx3dPoint(0, p.y, 0), Mfx3dPoint(p.x, 0, 0)};
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    for (const Mfx3dPoint& q : points) {
        const MfxPoint d = m_camera.Project(q);
        left = std::min(left, d.x);
        right = std::max(right, d.x);
        top = std::min(top, d.y);
        bottom = std::max(bottom, d.y);
    }
    // The disc's radius in pixels, with room for rounding and the pen.
    const Mfx3dPoint side(p.x + CursorSize(), p.y, p.z);
    const MfxPoint a = m_camera.Project(p), b = m_camera.Project(side);
    const double radius = std::hypot(b.x - a.x, b.y - a.y) + 4.0;
    const double limit = 1e7;
    const auto clampd = [limit](double v) { return std::clamp(v, -limit, limit); };
    return QRect(QPoint(int(clampd(left - radius)), int(clampd(top - radius))),
                 QPoint(int(clampd(right + radius)), int(clampd(bottom + radius))))
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

void VelmorView3dEdit::HideCursor()
{
    if (!m_cursorShown)
        return;
    m_cursorShown = false;
    viewport()->update(CursorRect(m_cursor));
}

void VelmorView3dEdit::DrawOverlay(Mfx3dDC& dc)
{
    // The cursor inverts what lies under it, drawn last on a picture drawn whole at every
    // paint: it never leaves a trace.
    if (m_cursorShown)
        dc.DrawCursor(m_cursor, 0x500, CursorSize());
}

void VelmorView3dEdit::EnlargeBox(const Mfx3dPoint& p)
{
    Mfx3dBox& box = m_doc.Problem().m_box;
    if (inBox(box, p))
        return;
    const Mfx3dPoint lo = box.MinCorner(), hi = box.MaxCorner();
    box = Mfx3dBox(Mfx3dPoint(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)),
                   Mfx3dPoint(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)));
    // The work box is saved with the structure.
    m_doc.SetModifiedFlag(true);
    m_doc.UpdateAllViews({UpdateHint::WorkBox});
}

void VelmorView3dEdit::TrackCursor(QPoint point)
{
    const double lx = point.x() + horizontalScrollBar()->value();
    const double ly = point.y() + verticalScrollBar()->value();
    if (m_xyStage)
        m_anchor = Mfx3dPoint(lx, ly, 0);
    else
        m_anchor = Mfx3dPoint(m_anchor.x, m_anchor.y, ly - m_anchor.y);
    Mfx3dPoint p = SnapToGrid(m_camera.Unproject(m_anchor.x, m_anchor.y, m_anchor.z),
                              m_doc.Problem().GridStep());
    if (m_cursorShown)
        viewport()->update(CursorRect(m_cursor));
    EnlargeBox(p);
    m_cursor = p;
    m_cursorShown = true;
    if (m_dragged)
        MoveNode(m_dragged, p);
    viewport()->update(CursorRect(m_cursor));
    ShowCoordinates(&m_cursor);
}

void VelmorView3dEdit::mouseMoveEvent(QMouseEvent* event)
{
    VelmorBaseView::mouseMoveEvent(event);
    if (m_mode == kZoomMode || (event->buttons() & Qt::MiddleButton))
        return;
    const QPoint p = event->position().toPoint();
    ShowStatePrompt();
    const bool followsCursor = (m_mode == ACTION_ADD && m_tool == TOOL_NODE) ||
                               (m_mode == ACTION_MODIFY && m_dragged);
    if (followsCursor) {
        TrackCursor(p);
        return;
    }
    HideCursor();
    if (m_mode == ACTION_ADD) {
        switch (m_tool) {
        case TOOL_BEAM:
            if (HitTest(KIND_SECTION, p.x(), p.y())) {
                ShowKind(KIND_SECTION);
                return;
            }
            [[fallthrough]];
        case TOOL_SUPPORT:
            if (VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y())) {
                ShowKind(KIND_NODE);
                Mfx3dPoint at;
                node->GetPosition(at, 0, 0);
                ShowCoordinates(&at);
                return;
            }
            ShowKind(KIND_NONE);
            return;
        case TOOL_LOAD:
        case TOOL_BEAM_LOAD:
            if (VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y())) {
                ShowKind(KIND_NODE);
                Mfx3dPoint at;
                node->GetPosition(at, 0, 0);
                ShowCoordinates(&at);
            } else {
                ShowKind(HitTest(KIND_BEAM, p.x(), p.y()) ? KIND_BEAM : KIND_NONE);
            }
            return;
        default:
            return;
        }
    }
    if (m_mode == ACTION_DELETE || m_mode == ACTION_MODIFY) {
        if (m_mode == ACTION_MODIFY && m_tool == TOOL_NODE)
            return;
        const VelmorObject* e = ToolElementAt(p);
        ShowKind(e ? e->Kind() : KIND_NONE);
    }
}

VelmorObject* VelmorView3dEdit::LoadAt(QPoint p) const
{
    if (VelmorObject* load = HitTest(KIND_NODAL_LOAD, p.x(), p.y()))
        return load;
    return HitTest(KIND_BEAM_LOAD, p.x(), p.y());
}

VelmorObject* VelmorView3dEdit::ToolElementAt(QPoint p) const
{
    if (m_tool == TOOL_LOAD || m_tool == TOOL_BEAM_LOAD)
        return LoadAt(p);
    if (m_tool < 0)
        return nullptr;
    return HitTest(m_tool, p.x(), p.y());
}

unsigned VelmorView3dEdit::HelpContextAt(QPoint p) const
{
    for (int kind : {KIND_SECTION, KIND_NODE, KIND_SUPPORT, KIND_NODAL_LOAD, KIND_BEAM_LOAD, KIND_BEAM})
        if (HitTest(kind, p.x(), p.y()))
            return EditorHelpContext(kind);
    return EditorHelpContext(KIND_NONE);
}

void VelmorView3dEdit::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::MiddleButton || m_mode == kZoomMode) {
        VelmorBaseView::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::RightButton) {
        if ((m_mode == ACTION_ADD && m_tool == TOOL_NODE) || m_dragged) {
            RightClickNodeStages(p);
            return;
        }
        VelmorBaseView::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    switch (m_mode) {
    case ACTION_ADD: LeftClickAdd(p); break;
    case ACTION_DELETE: LeftClickDelete(p); break;
    case ACTION_MODIFY: LeftClickModify(p); break;
    default: break;
    }
    emit StateChanged();
}

void VelmorView3dEdit::RightClickNodeStages(QPoint point)
{
    if (m_xyStage) {
        // x and y are fixed where the click is, whether or not the mouse moved there.
        m_anchor = Mfx3dPoint(point.x() + horizontalScrollBar()->value(),
                              point.y() + verticalScrollBar()->value(), 0);
        m_xyStage = false;
        ShowPrompt(QString::fromUtf8(LoadString(61238)));
    } else {
        m_xyStage = true;
        m_anchor = Mfx3dPoint(0, 0, 0);
        ShowPrompt(QString::fromUtf8(LoadString(61237)));
    }
}

VelmorObject* VelmorView3dEdit::Create()
{
    // The problem tells the views and marks the document modified.
    return m_doc.Problem().CreateObject(m_template);
}

void VelmorView3dEdit::CreateNodeAt(const Mfx3dPoint& position)
{
    m_doc.Edit(undoText("Nouveau noeud"), [&] {
        m_template.SetKind(KIND_NODE);
        m_template.m_node.m_coord = position;
        m_template.m_node.m_coord.w = 1.0;
        m_template.m_node.m_nJoint = 0;
        VelmorObject* node = Create();
        if (!node) {
            Messages().Show(kNodeTooClose, MessageButtons::Ok, MessageIcon::Warning);
            return false;
        }
        if (m_hinge) {
            static_cast<VelmorNudoData&>(*node->m_pData).m_nJoint = 1;
            m_doc.UpdateAllViews({UpdateHint::Element, node});
        }
        return true;
    });
}

void VelmorView3dEdit::LeftClickAdd(QPoint p)
{
    switch (m_tool) {
    case TOOL_NODE:
        HideCursor();
        CreateNodeAt(m_cursor);
        m_xyStage = true;
        m_anchor = Mfx3dPoint(0, 0, 0);
        ShowStatePrompt();
        return;
    case TOOL_BEAM:
        if (VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y()))
            PickBeamEnd(node);
        else
            PickActiveSection(p);
        return;
    case TOOL_SUPPORT:
        if (VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y()))
            EditSupportOf(node);
        return;
    case TOOL_LOAD:
    case TOOL_BEAM_LOAD:
        AddLoadAt(p);
        return;
    default:
        return;
    }
}

void VelmorView3dEdit::PickActiveSection(QPoint p)
{
    VelmorObject* section = HitTest(KIND_SECTION, p.x(), p.y());
    if (!section)
        return;
    if (m_activeSection)
        m_display.Unhighlight(*m_activeSection);
    m_activeSection = section;
    m_display.Highlight(*section);
    OnUpdate({UpdateHint::Marked});
    if (m_mode == ACTION_ADD && m_endsPicked == 1)
        ShowPrompt(QString::fromUtf8(LoadString(61228)));
}

void VelmorView3dEdit::PickBeamEnd(VelmorObject* node)
{
    if (!m_activeSection) {
        Messages().Show(LoadString(61265), MessageButtons::Ok, MessageIcon::Warning);
        m_template.SetKind(KIND_BEAM);
        m_endsPicked = 0;
        return;
    }
    if (m_template.m_kind != KIND_BEAM)
        m_template.SetKind(KIND_BEAM);
    m_template.m_pParents[1 + m_endsPicked] = node;
    m_display.Highlight(*node);
    OnUpdate({UpdateHint::Marked});
    if (++m_endsPicked < 2) {
        ShowStatePrompt();
        return;
    }
    VelmorObject* a = m_template.m_pParents[1];
    VelmorObject* b = m_template.m_pParents[2];
    Mfx3dPoint pa, pb;
    a->GetPosition(pa, 0, 0);
    b->GetPosition(pb, 0, 0);
    Mfx3dPoint orientation =
        DefaultBeamOrientation(pa, pb, Type(), m_options.IsOn(OPT_BEAM_WITH_ORIENTATION));
    bool create = true;
    if (Type() == PROBLEM_SPACE_FRAME) {
        Mfx3dPoint axis = pb - pa;
        axis.normalize();
        // Asked again until the answer can orient the beam; cancelling gives the beam up.
        while (OrientationUnusable(axis, orientation)) {
            if (!m_dialogs.coordinates || !m_dialogs.coordinates(orientation, Type())) {
                create = false;
                break;
            }
            orientation.normalize();
        }
    }
    if (create) {
        m_template.m_pParents[0] = m_activeSection;
        m_template.m_beam.m_orientation = orientation;
        m_template.m_beam.m_orientation.w = 1.0;
        m_doc.Edit(undoText("Nouvelle poutre"), [&] { return Create() != nullptr; });
    }
    m_display.Unhighlight(*a);
    m_display.Unhighlight(*b);
    OnUpdate({UpdateHint::Marked});
    m_template.SetKind(KIND_BEAM);
    m_endsPicked = 0;
    ShowStatePrompt();
}

void VelmorView3dEdit::AddSection()
{
    if (!m_dialogs.section)
        return;
    VelmorSeccionData record;
    record.m_number = int(m_doc.Problem().Count(KIND_SECTION)) + 1;
    if (!m_dialogs.section(record, Type()))
        return;
    const bool created = m_doc.Edit(undoText("Nouvelle section"), [&] {
        m_template.SetKind(KIND_SECTION);
        m_template.m_section.Assign(record);
        VelmorObject* section = Create();
        if (!section) {
            Messages().Show(LoadString(61218), MessageButtons::Ok, MessageIcon::Warning);
            return false;
        }
        // The new section is the one new beams get.
        if (m_activeSection)
            m_display.Unhighlight(*m_activeSection);
        m_activeSection = section;
        m_display.Highlight(*section);
        OnUpdate({UpdateHint::Marked});
        return true;
    });
    if (!created)
        return;
    m_tool = TOOL_BEAM;
    m_template.SetKind(KIND_BEAM);
    m_endsPicked = 0;
    ShowStatePrompt();
    emit StateChanged();
}

void VelmorView3dEdit::EditSupportOf(VelmorObject* node)
{
    if (!m_dialogs.support)
        return;
    VelmorObject* existing = node->FindChild(KIND_SUPPORT);
    VelmorApoyoData record;
    if (existing)
        record.Assign(*existing->m_pData);
    if (!m_dialogs.support(record, Type()))
        return;
    if (existing) {
        m_doc.Edit(undoText("Modifier appui"), [&] {
            ChangeRecord(*existing, record);
            return true;
        });
        return;
    }
    m_doc.Edit(undoText("Nouvel appui"), [&] {
        m_template.SetKind(KIND_SUPPORT);
        m_template.m_support.Assign(record);
        m_template.m_pParents[0] = node;
        const bool done = Create() != nullptr;
        m_template.SetKind(KIND_SUPPORT);
        return done;
    });
}

void VelmorView3dEdit::AddLoadAt(QPoint p)
{
    if (VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y())) {
        if (node->FindChild(KIND_NODAL_LOAD) || !m_dialogs.nodalLoad)
            return;
        VelmorCargaData record;
        record.m_kind = KIND_NODAL_LOAD;
        record.m_nType = LOAD_NODAL;
        if (!m_dialogs.nodalLoad(record, Type()))
            return;
        m_doc.Edit(undoText("Nouvelle charge"), [&] {
            m_template.SetKind(KIND_NODAL_LOAD);
            m_template.m_load.Assign(record);
            m_template.m_load.m_kind = KIND_NODAL_LOAD;
            m_template.m_pParents[0] = node;
            const bool done = Create() != nullptr;
            m_template.SetKind(KIND_NODAL_LOAD);
            return done;
        });
        return;
    }
    VelmorObject* beam = HitTest(KIND_BEAM, p.x(), p.y());
    if (!beam || beam->FindChild(KIND_BEAM_LOAD) || !m_dialogs.beamLoad)
        return;
    VelmorCargaData record;
    record.m_kind = KIND_BEAM_LOAD;
    const VelmorObject* n1 = beam->GetParent(1);
    const VelmorObject* n2 = beam->GetParent(2);
    if (!m_dialogs.beamLoad(record, Type(), beam->Number(), n1 ? n1->Number() : 0,
                            n2 ? n2->Number() : 0, beam->GetLength()))
        return;
    m_doc.Edit(undoText("Nouvelle charge sur poutre"), [&] {
        m_template.SetKind(KIND_BEAM_LOAD);
        m_template.m_load.Assign(record);
        m_template.m_load.m_kind = KIND_BEAM_LOAD;
        m_template.m_pParents[0] = beam;
        const bool done = Create() != nullptr;
        m_template.SetKind(KIND_NODAL_LOAD);
        return done;
    });
}

void VelmorView3dEdit::LeftClickDelete(QPoint p)
{
    VelmorObject* e = ToolElementAt(p);
    if (!e)
        return;
    if (e->Kind() == KIND_SECTION && (e->CountChildren(KIND_BEAM) > 0 || e == m_activeSection)) {
        Messages().Show(LoadString(61226), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    if (e->CountChildren(-1) > 0 &&
        Messages().Show(LoadString(61281), MessageButtons::YesNo, MessageIcon::Question) !=
            MessageAnswer::Yes)
        return;
    DeleteElement(e);
}

void VelmorView3dEdit::DeleteElement(VelmorObject* e)
{
    m_doc.Edit(undoText("Effacer"), [&] {
        VelmorProblem& problem = m_doc.Problem();
        e->Detach(kDeleteFlags, &problem);
        problem.Renumber(-1);
        problem.StructureChanged();
        m_doc.SetModifiedFlag(true);
        m_doc.UpdateAllViews({UpdateHint::Element, nullptr});
        return true;
    });
}

void VelmorView3dEdit::StructureEdited()
{
    m_doc.Problem().StructureChanged();
    m_doc.SetModifiedFlag(true);
    // What rests on the edited element (a section's beams, a node's beams) is drawn anew too.
    m_doc.UpdateAllViews({UpdateHint::Element, nullptr});
}

void VelmorView3dEdit::ChangeRecord(VelmorObject& element, const VelmorObjectData& record)
{
    const int number = element.m_pData->m_number;
    const int kind = element.m_pData->m_kind;
    element.m_pData->Assign(record);
    element.m_pData->m_number = number;
    element.m_pData->m_kind = kind;
    StructureEdited();
}

void VelmorView3dEdit::MoveNode(VelmorObject* node, const Mfx3dPoint& position)
{
    auto& record = static_cast<VelmorNudoData&>(*node->m_pData);
    if (record.m_coord == position)
        return;
    record.m_coord = position;
    record.m_coord.w = 1.0;
    StructureEdited();
}

void VelmorView3dEdit::DropDraggedNode()
{
    VelmorObject* node = m_dragged;
    m_dragged = nullptr;
    viewport()->releaseMouse();
    HideCursor();
    MoveNode(node, m_cursor);
    m_display.Unhighlight(*node);
    OnUpdate({UpdateHint::Marked});
    // The whole drag is one step of the history, begun when the node was picked up.
    m_doc.EndEdit(undoText("Déplacer noeud"));
}

void VelmorView3dEdit::ToggleHinge(VelmorObject* node)
{
    m_doc.Edit(undoText("Rotule"), [&] {
        auto& record = static_cast<VelmorNudoData&>(*node->m_pData);
        record.m_nJoint = record.m_nJoint ? 0 : 1;
        StructureEdited();
        return true;
    });
}

void VelmorView3dEdit::GiveSection(VelmorObject* beam)
{
    VelmorObject* old = beam->GetParent(0);
    if (!m_activeSection || old == m_activeSection)
        return;
    m_doc.Edit(undoText("Changer section"), [&] {
        if (old)
            old->Disconnect(CHILD, beam);
        beam->GetParent(0) = m_activeSection;
        m_activeSection->Connect(CHILD, beam);
        StructureEdited();
        return true;
    });
}

template <class Record, class Dialog>
void VelmorView3dEdit::ModifyWith(VelmorObject* element, const Dialog& dialog, const char* text)
{
    if (!dialog)
        return;
    Record record;
    record.Assign(*element->m_pData);
    if (!dialog(record, Type()))
        return;
    m_doc.Edit(undoText(text), [&] {
        ChangeRecord(*element, record);
        return true;
    });
}

void VelmorView3dEdit::ModifyLoad(VelmorObject* load)
{
    VelmorCargaData record;
    record.Assign(*load->m_pData);
    bool accepted = false;
    if (load->Kind() == KIND_NODAL_LOAD) {
        accepted = m_dialogs.nodalLoad && m_dialogs.nodalLoad(record, Type());
    } else if (m_dialogs.beamLoad) {
        const VelmorObject* beam = load->GetParent(0);
        const VelmorObject* n1 = beam ? beam->GetParent(1) : nullptr;
        const VelmorObject* n2 = beam ? beam->GetParent(2) : nullptr;
        accepted = m_dialogs.beamLoad(record, Type(), beam ? beam->Number() : 0,
                                      n1 ? n1->Number() : 0, n2 ? n2->Number() : 0,
                                      beam ? beam->GetLength() : 0.0);
    }
    if (!accepted)
        return;
    // A load whose values all became zero is no load any more.
    if (allZero(record)) {
        DeleteElement(load);
        return;
    }
    m_doc.Edit(undoText("Modifier charge"), [&] {
        ChangeRecord(*load, record);
        return true;
    });
}

void VelmorView3dEdit::LeftClickModify(QPoint p)
{
    switch (m_tool) {
    case TOOL_NODE: {
        if (m_dragged) {
            DropDraggedNode();
            return;
        }
        VelmorObject* node = HitTest(KIND_NODE, p.x(), p.y());
        if (!node)
            return;
        if (m_hinge) {
            ToggleHinge(node);
            return;
        }
        Mfx3dPoint at;
        node->GetPosition(at, 0, 0);
        if (m_options.IsOn(OPT_COORDINATE_ENTRY)) {
            if (m_dialogs.coordinates && m_dialogs.coordinates(at, Type()) &&
                inBox(m_doc.Problem().m_box, at))
                m_doc.Edit(undoText("Déplacer noeud"), [&] {
                    MoveNode(node, at);
                    return true;
                });
            return;
        }
        // Picked up: the node follows the cursor until the next click drops it.
        m_doc.BeginEdit();
        m_dragged = node;
        m_cursor = at;
        m_xyStage = true;
        m_display.Highlight(*node);
        OnUpdate({UpdateHint::Marked});
        viewport()->grabMouse();
        return;
    }
    case TOOL_SECTION:
        if (VelmorObject* section = HitTest(KIND_SECTION, p.x(), p.y()))
            ModifyWith<VelmorSeccionData>(section, m_dialogs.section, "Modifier section");
        return;
    case TOOL_SUPPORT:
        if (VelmorObject* support = HitTest(KIND_SUPPORT, p.x(), p.y()))
            ModifyWith<VelmorApoyoData>(support, m_dialogs.support, "Modifier appui");
        return;
    case TOOL_BEAM:
        if (VelmorObject* beam = HitTest(KIND_BEAM, p.x(), p.y()))
            GiveSection(beam);
        else
            PickActiveSection(p);
        return;
    case TOOL_LOAD:
    case TOOL_BEAM_LOAD:
        if (VelmorObject* load = LoadAt(p))
            ModifyLoad(load);
        return;
    default:
        return;
    }
}

} // namespace velmor
