#include "VelmorApp.h"

#include "ChildFrame.h"
#include "tutor/VelmorSplitterFrame.h"
#include "MainFrame.h"
#include "VelmorDoc.h"
#include "views/VelmorBaseView.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/ProblemTypeDialog.h"
#include "dialogs/WorkBoxDialog.h"
#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"
#include "platform/qt/shell/HelpViewer.h"
#include "platform/qt/shell/RecentFileList.h"
#include "resources/MenuTables.h"
#include "resources/StringTable.h"
#include "tutor/core/VelmorTutor.h"
#include "views/core/ProgramOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>

namespace velmor {
namespace {

VelmorApp* g_app = nullptr;
const char* const kFilter = "Fichier Velmor (*.vlm)";

} // namespace

VelmorApp* App()
{
    return g_app;
}

QString ExamplesFolder()
{
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/velmor/examples"));
    if (QFileInfo(installed).isDir())
        return installed;
    return QDir::cleanPath(QStringLiteral(VELMOR_EXAMPLES_DIR));
}

VelmorApp::VelmorApp()
{
    g_app = this;
    AddCommands();
}

VelmorApp::~VelmorApp()
{
    m_main.reset();
    m_docs.clear();
    if (g_app == this)
        g_app = nullptr;
}

MainFrame& VelmorApp::Start(bool splash)
{
    m_recent = RecentFileList().Files();
    HelpViewer::Listen();
    m_templates = {{MenuId::Library, Mode::Library},
                   {MenuId::Examples, Mode::Examples},
                   {MenuId::Exercises, Mode::Exercises}};
    m_main = std::make_unique<MainFrame>(*this);
    m_main->setAcceptDrops(true);
    m_main->showMaximized();
    if (splash)
        m_main->ShowSplash();
    return *m_main;
}

void VelmorApp::ConfigureDocument(VelmorDoc& doc)
{
    doc.SetOptions(m_options);
    doc.chooseProblemType = [this](int current) {
        return ProblemTypeDialog::Choose(current, m_main.get());
    };
    doc.editWorkBox = [this, &doc](Mfx3dBox& box, Mfx3dPoint& step) {
        return WorkBoxDialog::Edit(box, step, doc.Problem().m_nType, m_main.get());
    };
}

std::vector<VelmorDoc*> VelmorApp::Documents() const
{
    std::vector<VelmorDoc*> docs;
    for (const auto& d : m_docs)
        docs.push_back(d.get());
    return docs;
}

ChildFrame* VelmorApp::ActiveFrame() const
{
    return m_main ? qobject_cast<ChildFrame*>(m_main->Mdi()->activeSubWindow()) : nullptr;
}

VelmorDoc* VelmorApp::ActiveDocument() const
{
    ChildFrame* frame = ActiveFrame();
    return frame ? &frame->Document() : nullptr;
}

ChildFrame* VelmorApp::CreateFrame(VelmorDoc& doc, Mode mode)
{
    ChildFrame* frame = mode == Mode::Library ? new ChildFrame(doc, mode)
                                              : new VelmorSplitterFrame(doc, mode);
    QStatusBar* status = m_main->statusBar();
    connect(frame->View(), &VelmorBaseView::PromptChanged, status,
            [status](const QString& text) { status->showMessage(text); });
    m_main->Mdi()->addSubWindow(frame);
    frame->showMaximized();
    m_main->Mdi()->setActiveSubWindow(frame);
    return frame;
}

VelmorDoc* VelmorApp::NewDocument()
{
    auto doc = std::make_unique<VelmorDoc>(this);
    ConfigureDocument(*doc);
    if (!doc->OnNewDocument())
        return nullptr;
    VelmorDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    CreateFrame(*raw, Mode::Library);
    return raw;
}

void VelmorApp::Open()
{
    if (m_mode != Mode::Library && m_mode != Mode::Examples && m_mode != Mode::Exercises)
        return;
    // Examples and exercises start among the shipped examples; the library where the user was.
    const QString folder = m_mode == Mode::Library ? QString() : ExamplesFolder();
    const QString path = QFileDialog::getOpenFileName(m_main.get(), "Ouvrir", folder, kFilter, nullptr,
                                                      QFileDialog::ReadOnly);
    if (!path.isEmpty())
        OpenDocument(path);
}

VelmorDoc* VelmorApp::OpenDocument(const QString& path)
{
    if (m_mode != Mode::Library && m_mode != Mode::Examples && m_mode != Mode::Exercises)
        return nullptr;
    const QString canonical = QFileInfo(path).absoluteFilePath();
    for (const auto& d : m_docs) {
        if (QFileInfo(d->PathName()).absoluteFilePath() == canonical) {
            for (QMdiSubWindow* w : m_main->Mdi()->subWindowList())
                if (auto* f = qobject_cast<ChildFrame*>(w); f && &f->Document() == d.get()) {
                    m_main->Mdi()->setActiveSubWindow(f);
                    break;
                }
            m_main->activateWindow();
            return d.get();
        }
    }
    auto doc = std::make_unique<VelmorDoc>(this);
    ConfigureDocument(*doc);
    doc->Problem().SyncMode(m_mode);
    if (!doc->OnOpenDocument(canonical))
        return nullptr;
    VelmorDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    CreateFrame(*raw, m_mode);
    RememberFile(canonical);
    return raw;
}

void VelmorApp::RememberFile(const QString& path)
{
    RecentFileList list;
    list.Add(path);
    m_recent = list.Files();
    if (m_main)
        m_main->RebuildMenus();
}

QStringList VelmorApp::RecentFiles() const
{
    return m_recent;
}

VelmorDoc* VelmorApp::OpenFromCommandLine(const QString& path)
{
    m_mode = Mode::Library;
    return OpenDocument(path);
}

VelmorDoc* VelmorApp::OpenRecent(int index)
{
    if (index < 0 || index >= m_recent.size())
        return nullptr;
    const QString path = m_recent[index];
    if (!QFileInfo::exists(path)) {
        ShowMessage(QString("Impossible de trouver %1.").arg(path).toStdString(), MessageIcon::Warning);
        RecentFileList list;
        list.Remove(path);
        m_recent = list.Files();
        if (m_main)
            m_main->RebuildMenus();
        return nullptr;
    }
    return OpenDocument(path);
}

bool VelmorApp::Save(bool askName)
{
    VelmorDoc* doc = ActiveDocument();
    if (!doc)
        return false;
    QString path = doc->PathName();
    // The installed examples are never written over: saving one asks for a new name.
    if (!path.isEmpty() && QFileInfo(path).canonicalPath() == QDir(ExamplesFolder()).canonicalPath())
        askName = true;
    if (askName || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(m_main.get(), "Enregistrer Sous", doc->Title(), kFilter);
        if (path.isEmpty())
            return false;
        if (!path.endsWith(".vlm", Qt::CaseInsensitive))
            path += ".vlm";
    }
    if (!doc->OnSaveDocument(path))
        return false;
    RememberFile(QFileInfo(path).absoluteFilePath());
    return true;
}

bool VelmorApp::SaveModified(VelmorDoc& doc)
{
    if (!doc.IsModified())
        return true;
    const QString text = QString("Enregistrer les modifications apportées à %1?").arg(doc.Title());
    switch (Messages().Show(text.toStdString(), MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageAnswer::Yes:
        break;
    case MessageAnswer::No:
        return true;
    default:
        return false; // Annuler: nothing is closed, nothing is lost
    }
    for (QMdiSubWindow* w : m_main->Mdi()->subWindowList())
        if (auto* f = qobject_cast<ChildFrame*>(w); f && &f->Document() == &doc)
            m_main->Mdi()->setActiveSubWindow(f);
    return Save();
}

std::vector<ChildFrame*> VelmorApp::FramesOf(const VelmorDoc& doc) const
{
    std::vector<ChildFrame*> frames;
    for (QMdiSubWindow* w : m_main->Mdi()->subWindowList())
        if (auto* f = qobject_cast<ChildFrame*>(w); f && &f->Document() == &doc)
            frames.push_back(f);
    return frames;
}

void VelmorApp::CloseDocument(VelmorDoc& doc)
{
    bool maximized = false;
    for (ChildFrame* f : FramesOf(doc)) {
        maximized = maximized || f->isMaximized();
        m_main->Mdi()->removeSubWindow(f);
        delete f;
    }
    // The documents left keep the way they were shown.
    if (QMdiSubWindow* next = m_main->Mdi()->activeSubWindow(); next && maximized)
        next->showMaximized();
    else if (maximized && !m_main->Mdi()->subWindowList().isEmpty()) {
        QMdiSubWindow* last = m_main->Mdi()->subWindowList().back();
        m_main->Mdi()->setActiveSubWindow(last);
        last->showMaximized();
    }
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it)
        if (it->get() == &doc) {
            m_docs.erase(it);
            break;
        }
    m_main->RebuildMenus();
}

bool VelmorApp::CloseActive()
{
    VelmorDoc* doc = ActiveDocument();
    return !doc || CloseDocumentAsking(*doc);
}

bool VelmorApp::CloseDocumentAsking(VelmorDoc& doc)
{
    if (!SaveModified(doc))
        return false;
    CloseDocument(doc);
    return true;
}

bool VelmorApp::CloseAll()
{
    for (VelmorDoc* doc : Documents())
        if (!CloseDocumentAsking(*doc))
            return false;
    return true;
}

bool VelmorApp::IsEnabled(int id) const
{
    if (ChildFrame* frame = ActiveFrame()) {
        if (frame->View()->IsEnabled(id) || frame->Commands().IsEnabled(id))
            return true;
        // A command of the view or the frame that cannot run now is not the application's.
        if (frame->View()->Commands().Has(id) || frame->Commands().Has(id))
            return false;
    }
    return m_commands.IsEnabled(id);
}

bool VelmorApp::OnCommand(int id)
{
    if (ChildFrame* frame = ActiveFrame()) {
        if (frame->View()->OnCommand(id) || frame->Commands().Run(id)) {
            frame->UpdateToolbar();
            return true;
        }
        if (frame->View()->Commands().Has(id) || frame->Commands().Has(id))
            return false;
    }
    return m_commands.Run(id);
}

bool VelmorApp::Switch(Mode target)
{
    ChildFrame* from = ActiveFrame();
    if (!from || target == Mode::None)
        return false;
    VelmorDoc& doc = from->Document();
    const Mode remembered = m_mode;
    const auto leaveCalculation = [&]() {
        // A running solution is left for the editor only when the user agrees: what the
        // editor changes ends it.
        if (doc.Tutor().IsActive() &&
            Messages().Show(LoadString(61340), MessageButtons::OkCancel, MessageIcon::Question) !=
                MessageAnswer::Ok)
            return false;
        doc.UpdateAllViews({UpdateHint::LeaveCalculation});
        if (auto* calc = qobject_cast<VelmorSplitterFrame*>(from))
            calc->HideForLeaving();
        return true;
    };
    for (ChildFrame* frame : FramesOf(doc)) {
        if (frame == from)
            continue;
        const bool editor = frame->FrameMode() == Mode::Library;
        if (target == Mode::Library && editor) {
            if (!leaveCalculation())
                return false;
            from->showMinimized();
            m_main->Mdi()->setActiveSubWindow(frame);
            frame->showMaximized();
            m_mode = Mode::Library;
            doc.Problem().SyncMode(m_mode);
            doc.ClearChanged();
            return true;
        }
        if (target != Mode::Library && !editor) {
            from->showMinimized();
            m_main->Mdi()->setActiveSubWindow(frame);
            frame->showMaximized();
            if (doc.Tutor().IsActive()) {
                if (doc.Changed()) {
                    Messages().Show(LoadString(61343), MessageButtons::Ok, MessageIcon::Information);
                    doc.Tutor().End(true);
                } else if (auto* calc = qobject_cast<VelmorSplitterFrame*>(frame)) {
                    calc->ShowAgain();
                }
            }
            doc.UpdateAllViews({UpdateHint::WorkBox});
            m_mode = target;
            doc.Problem().SyncMode(frame->FrameMode());
            return true;
        }
    }
    if (target == Mode::Library) {
        if (!leaveCalculation())
            return false;
        doc.ClearChanged();
    }
    from->showMinimized();
    m_mode = target;
    doc.Problem().SyncMode(target);
    if (!CreateFrame(doc, target)) {
        m_mode = remembered;
        from->showMaximized();
        return false;
    }
    return true;
}

void VelmorApp::AddCommands()
{
    const auto withDocument = [this] { return ActiveDocument() != nullptr; };
    m_commands.Add(ID_FILE_NEW, [this] { NewDocument(); });
    m_commands.Add(ID_FILE_OPEN, [this] { Open(); });
    m_commands.Add(ID_MODE_CREATE, [this] {
        m_mode = Mode::Library;
        NewDocument();
    });
    m_commands.Add(ID_MODE_CHANGE, [this] {
        m_mode = Mode::Library;
        Open();
    });
    m_commands.Add(ID_MODE_OPEN_EXAMPLE, [this] {
        m_mode = Mode::Examples;
        Open();
    });
    m_commands.Add(ID_MODE_OPEN_EXERCISE, [this] {
        m_mode = Mode::Exercises;
        Open();
    });
    for (int id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id)
        m_commands.Add(id, [this, id] { OpenRecent(id - ID_FILE_MRU_FIRST); });
    // A second editor frame on the active document; a document has one calculation frame.
    m_commands.Add(ID_WINDOW_NEW, [this] {
        if (ChildFrame* frame = ActiveFrame())
            CreateFrame(frame->Document(), Mode::Library);
    }, [this] {
        ChildFrame* frame = ActiveFrame();
        return frame && frame->FrameMode() == Mode::Library;
    });
    // One calculation frame a document: no examples while its exercise is open, and the
    // other way round.
    const auto shownIn = [this](Mode mode) {
        const VelmorDoc* doc = ActiveDocument();
        if (!doc)
            return false;
        for (ChildFrame* f : FramesOf(*doc))
            if (f->FrameMode() == mode)
                return true;
        return false;
    };
    m_commands.Add(ID_SWITCH_LIBRARY, [this] { Switch(Mode::Library); }, withDocument);
    m_commands.Add(ID_SWITCH_EXAMPLES, [this] { Switch(Mode::Examples); },
                   [withDocument, shownIn] { return withDocument() && !shownIn(Mode::Exercises); });
    m_commands.Add(ID_SWITCH_EXERCISES, [this] { Switch(Mode::Exercises); },
                   [withDocument, shownIn] { return withDocument() && !shownIn(Mode::Examples); });
    m_commands.Add(ID_FILE_SAVE, [this] { Save(); }, withDocument);
    m_commands.Add(ID_FILE_SAVE_AS, [this] { Save(true); }, withDocument);
    m_commands.Add(ID_FILE_CLOSE, [this] { CloseActive(); }, withDocument);
    m_commands.Add(ID_EDIT_CLEAR_ALL, [this] { ActiveDocument()->OnClearAll(); }, [this] {
        VelmorDoc* doc = ActiveDocument();
        return doc && doc->CanClearAll();
    });
    m_commands.Add(ID_ENV_PROBLEM_TYPE, [this] { ActiveDocument()->OnProblemType(); }, withDocument);
    m_commands.Add(ID_ENV_LIMITS, [this] { ActiveDocument()->OnLimits(); }, withDocument);
    m_commands.Add(ID_ENV_OPTIONS, [this] {
        if (OptionsDialog::Edit(m_options, m_main.get()))
            m_main->RepaintAll();
    });
    m_commands.Add(ID_APP_ABOUT, [this] {
        AboutDialog about(m_main.get());
        about.exec();
    });
    m_commands.Add(ID_FILE_PAGE_SETUP, [this] {
        static QPrinter printer(QPrinter::HighResolution);
        QPageSetupDialog setup(&printer, m_main.get());
        setup.exec();
    });
    m_commands.Add(ID_APP_EXIT, [this] { m_main->close(); });
    m_commands.Add(ID_QUIT_NO, [] {});
    m_commands.Add(ID_HELP_INDEX, [] { MessageHub::Instance().RequestHelp(0x20003); });
    m_commands.Add(ID_HELP, [this] { m_main->RequestContextHelp(); });
    m_commands.Add(ID_CONTEXT_HELP, [this] { m_main->EnterHelpMode(); });
    // The theory pages of the four problem types.
    for (int id : {ID_THEORY_BEAMS, ID_THEORY_FRAMES, ID_THEORY_SPACE, ID_THEORY_TRUSSES})
        m_commands.Add(id, [id] { MessageHub::Instance().RequestHelp(quint32(0x10000 + id)); });
}

} // namespace velmor
