#include "VelmorDoc.h"

#include "model/DocumentFile.h"
#include "model/ProblemSnapshot.h"
#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"
#include "tutor/TutorFace.h"
#include "views/core/ProgramOptions.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QUndoCommand>

#include <algorithm>

namespace velmor {
namespace {

int g_untitledCount = 0;

// Shows the wait cursor for the lifetime of the guard.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

using Snapshot = std::shared_ptr<const ProblemSnapshot>;

// One step of the history: the model before and after a user action. The step was done when
// it is pushed, so the first redo does nothing.
class SnapshotCommand : public QUndoCommand
{
public:
    static constexpr int kId = 1;

    SnapshotCommand(VelmorDoc& doc, const QString& text, Snapshot before, Snapshot after)
        : QUndoCommand(text), m_doc(doc), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_doc.Restore(*m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_doc.Restore(*m_after);
    }
    const Snapshot& Before() const { return m_before; }
    const Snapshot& After() const { return m_after; }

private:
    VelmorDoc& m_doc;
    Snapshot m_before, m_after;
    bool m_done = true;
};

} // namespace

VelmorDoc::VelmorDoc(QObject* parent)
    : QObject(parent), m_problem(std::make_unique<VelmorProblem>()), m_options(&DefaultOptions()),
      m_untitledNumber(++g_untitledCount)
{
    m_problem->m_pDoc = this;
    m_tutor = std::make_unique<VelmorTutor>(*m_problem);
    m_tutorFace = std::make_unique<TutorFace>(*this, *m_tutor);
    m_undo.setObjectName("undo");
    connect(&m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!m_rebuildingHistory)
            SetModifiedFlag(!clean);
    });
}

VelmorDoc::~VelmorDoc()
{
    m_ready = false;
    // The solution ends before its structure goes.
    m_tutorFace.reset();
    m_tutor.reset();
    m_problem.reset();
}

void VelmorDoc::SetModifiedFlag(bool modified)
{
    const bool was = m_modified;
    m_modified = modified;
    if (modified)
        m_changed = true;
    if (was != modified)
        emit ModifiedChanged(modified);
}

void VelmorDoc::UpdateAllViews(const ChangeEvent& change)
{
    WaitCursor wait;
    for (ProblemObserver* view : std::vector<ProblemObserver*>(m_views))
        view->OnUpdate(change);
}

QString VelmorDoc::Title() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).fileName();
    return QString("Structure %1").arg(m_untitledNumber);
}

void VelmorDoc::AddView(ProblemObserver* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void VelmorDoc::RemoveView(ProblemObserver* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void VelmorDoc::DeleteContents()
{
    m_problem->DeleteAll();
}

bool VelmorDoc::OnNewDocument()
{
    DeleteContents();
    ResetHistory(true);
    SetModifiedFlag(false);
    m_changed = false;
    const int type = chooseProblemType ? chooseProblemType(m_problem->m_nType) : 0;
    m_problem->SetProblemType(type);
    if (m_problem->m_nType == 0) {
        m_ready = false;
        return false;
    }
    Mfx3dBox box = m_problem->m_box;
    Mfx3dPoint step = m_problem->m_gridStep;
    if (!editWorkBox || !editWorkBox(box, step)) {
        m_problem->SetProblemType(0);
        m_ready = false;
        return false;
    }
    ApplyWorkBox(box, step);
    m_ready = true;
    return true;
}

bool VelmorDoc::OnOpenDocument(const QString& path)
{
    DeleteContents();
    LoadResult result;
    {
        WaitCursor wait;
        SetModifiedFlag(true); // an interrupted read leaves a modified document
        result = LoadProblemFile(*m_problem, path.toStdString(), FileForm::Text);
    }
    switch (result.status) {
    case LoadStatus::Ok:
        break;
    case LoadStatus::WrongFormat:
        DeleteContents();
        MessageHub::Instance().Post(WM_BAD_FILE_FORMAT);
        return false;
    case LoadStatus::CannotOpen:
        DeleteContents();
        ShowMessage("L'ouverture du document a échoué.", MessageIcon::Error);
        return false;
    case LoadStatus::Damaged:
        DeleteContents();
        ShowMessage(result.message, MessageIcon::Error);
        return false;
    }
    m_path = path;
    // What the file lost is said once; the document is then not the file, and saving would
    // change the file: it stays modified.
    ResetHistory(result.report.empty());
    SetModifiedFlag(!result.report.empty());
    m_changed = false;
    if (!result.report.empty())
        ShowMessage(LoadReportMessage(result.report), MessageIcon::Warning);
    m_ready = true;
    emit TitleChanged();
    return true;
}

bool VelmorDoc::OnSaveDocument(const QString& path)
{
    std::string error;
    bool saved;
    {
        WaitCursor wait;
        saved = SaveProblemFile(*m_problem, path.toStdString(), Options().TextForm(), error);
    }
    if (!saved) {
        ShowMessage(error, MessageIcon::Error);
        return false;
    }
    m_path = path;
    // Saving clears the modified flag only: the Changed flag stays for the calculation modes.
    m_undo.setClean();
    SetModifiedFlag(false);
    emit TitleChanged();
    return true;
}

bool VelmorDoc::CanClearAll() const
{
    return m_ready && m_problem->Count(KIND_NODE) > 0;
}

void VelmorDoc::OnClearAll()
{
    if (Messages().Show("Velmor effacera tous les éléments. \nContinuer?", MessageButtons::YesNo,
                        MessageIcon::Question) != MessageAnswer::Yes)
        return;
    BeginEdit();
    DeleteContents();
    SetModifiedFlag(true);
    UpdateAllViews({UpdateHint::ModelDone});
    EndEdit(QString::fromUtf8("Tout effacer"));
}

void VelmorDoc::OnProblemType()
{
    if (!chooseProblemType)
        return;
    const int type = chooseProblemType(m_problem->m_nType);
    if (type != 0 && type != m_problem->m_nType) {
        BeginEdit();
        m_problem->SetProblemType(type);
        SetModifiedFlag(true);
        EndEdit(QString::fromUtf8("Type de problème"));
    }
}

void VelmorDoc::OnLimits()
{
    Mfx3dBox box = m_problem->m_box;
    Mfx3dPoint step = m_problem->m_gridStep;
    if (!editWorkBox || !editWorkBox(box, step)) {
        if (!m_ready)
            m_problem->SetProblemType(0);
        return;
    }
    const bool changed = !(box.MinCorner() == m_problem->m_box.MinCorner() &&
                           box.MaxCorner() == m_problem->m_box.MaxCorner() &&
                           step == m_problem->m_gridStep);
    if (m_ready && changed)
        BeginEdit();
    ApplyWorkBox(box, step);
    if (m_ready && changed)
        EndEdit("Cotes");
    if (m_ready) {
        // The work box and the grid step are saved with the structure.
        if (changed)
            SetModifiedFlag(true);
        UpdateAllViews({UpdateHint::WorkBox});
    }
}

void VelmorDoc::BeginEdit()
{
    if (m_editDepth++ == 0)
        m_before = TakeSnapshot(*m_problem);
}

void VelmorDoc::EndEdit(const QString& text)
{
    if (m_editDepth == 0 || --m_editDepth > 0)
        return;
    Snapshot before = std::move(m_before);
    m_before.reset();
    Snapshot after = TakeSnapshot(*m_problem);
    if (before && after && *before == *after)
        return;
    if (!before || !after) {
        // A model the snapshots cannot hold: this change cannot be undone, nor anything before.
        m_rebuildingHistory = true;
        m_undo.clear();
        m_undo.resetClean();
        m_rebuildingHistory = false;
        SetModifiedFlag(true);
        return;
    }
    // The history's last state is shared with this step's state before.
    if (const int n = m_undo.index(); n > 0)
        if (const auto* last = dynamic_cast<const SnapshotCommand*>(m_undo.command(n - 1));
            last && *last->After() == *before)
            before = last->After();
    m_undo.push(new SnapshotCommand(*this, text, std::move(before), std::move(after)));
    SetModifiedFlag(!m_undo.isClean());
    BoundHistory();
}

bool VelmorDoc::Edit(const QString& text, const std::function<bool()>& action)
{
    BeginEdit();
    bool done = false;
    try {
        done = action();
    } catch (...) {
        EndEdit(text);
        throw;
    }
    EndEdit(text);
    return done;
}

size_t VelmorDoc::HistoryBytes() const
{
    size_t bytes = 0;
    const ProblemSnapshot* previous = nullptr;
    for (int i = 0; i < m_undo.count(); ++i) {
        const auto* c = static_cast<const SnapshotCommand*>(m_undo.command(i));
        if (c->Before().get() != previous)
            bytes += c->Before()->Size();
        bytes += c->After()->Size();
        previous = c->After().get();
    }
    return bytes;
}

void VelmorDoc::BoundHistory()
{
    if (HistoryBytes() <= kHistoryLimit)
        return;
    // Keep the newest steps that fit half the limit (at least the last one), with their clean
    // state; the history is rebuilt without touching the model (no redo runs on a push).
    struct Step { QString text; Snapshot before, after; };
    std::vector<Step> kept;
    size_t bytes = 0;
    for (int i = m_undo.index() - 1; i >= 0; --i) {
        const auto* c = static_cast<const SnapshotCommand*>(m_undo.command(i));
        bytes += c->Before()->Size() + c->After()->Size();
        if (!kept.empty() && bytes > kHistoryLimit / 2)
            break;
        kept.push_back({c->text(), c->Before(), c->After()});
    }
    const int first = m_undo.index() - int(kept.size());
    const int clean = m_undo.cleanIndex();
    m_rebuildingHistory = true;
    m_undo.clear();
    if (clean < first)
        m_undo.resetClean();
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        if (clean >= first && m_undo.index() == clean - first)
            m_undo.setClean();
        m_undo.push(new SnapshotCommand(*this, it->text, it->before, it->after));
    }
    if (clean >= first && m_undo.index() == clean - first)
        m_undo.setClean();
    m_rebuildingHistory = false;
    SetModifiedFlag(!m_undo.isClean());
}

void VelmorDoc::ResetHistory(bool clean)
{
    m_rebuildingHistory = true;
    m_undo.clear();
    if (!clean)
        m_undo.resetClean();
    m_rebuildingHistory = false;
}

void VelmorDoc::Restore(const ProblemSnapshot& snapshot)
{
    emit AboutToRestore();
    RestoreSnapshot(*m_problem, snapshot);
    m_changed = true;
    for (ProblemObserver* view : std::vector<ProblemObserver*>(m_views))
        m_problem->AttachView(*view);
    for (ProblemObserver* view : std::vector<ProblemObserver*>(m_views))
        view->OnUpdate({UpdateHint::WorkBox});
    emit Restored();
}

void VelmorDoc::ApplyWorkBox(const Mfx3dBox& box, const Mfx3dPoint& step)
{
    m_problem->m_box = box;
    m_problem->m_gridStep = step;
}

} // namespace velmor
