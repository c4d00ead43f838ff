#include "VelmorDoc.h"

#include "model/DocumentFile.h"
#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"
#include "views/core/ProgramOptions.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>

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

} // namespace

VelmorDoc::VelmorDoc(QObject* parent)
    : QObject(parent), m_problem(std::make_unique<VelmorProblem>()), m_options(&DefaultOptions()),
      m_untitledNumber(++g_untitledCount)
{
    m_problem->m_pDoc = this;
}

VelmorDoc::~VelmorDoc()
{
    m_ready = false;
    m_problem.reset();
}

void VelmorDoc::SetModifiedFlag(bool modified)
{
    const bool was = m_modified;
    m_modified = modified;
    m_changed = modified;
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
    SetModifiedFlag(false);
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
    SetModifiedFlag(!result.report.empty());
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
    const bool changed = m_changed;
    SetModifiedFlag(false);
    m_changed = changed;
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
    DeleteContents();
    SetModifiedFlag(true);
    UpdateAllViews({UpdateHint::ModelDone});
}

void VelmorDoc::OnProblemType()
{
    if (!chooseProblemType)
        return;
    const int type = chooseProblemType(m_problem->m_nType);
    if (type != 0 && type != m_problem->m_nType) {
        m_problem->SetProblemType(type);
        SetModifiedFlag(true);
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
    ApplyWorkBox(box, step);
    if (m_ready) {
        // The work box and the grid step are saved with the structure.
        if (changed)
            SetModifiedFlag(true);
        UpdateAllViews({UpdateHint::WorkBox});
    }
}

void VelmorDoc::ApplyWorkBox(const Mfx3dBox& box, const Mfx3dPoint& step)
{
    m_problem->m_box = box;
    m_problem->m_gridStep = step;
}

} // namespace velmor
