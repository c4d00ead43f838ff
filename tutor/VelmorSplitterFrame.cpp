#include "VelmorSplitterFrame.h"

#include "ResultBars.h"
#include "ResultReportPrinter.h"
#include "TutorFace.h"
#include "VelmorMatrixView.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "dialogs/FlowDialog.h"
#include "dialogs/StepDialog.h"
#include "platform/qt/shell/MessageHub.h"
#include "resources/MenuTables.h"
#include "tutor/core/TutorRules.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"

#include <QCloseEvent>

#include <algorithm>
#include <QDockWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>

namespace velmor {
namespace {

QPushButton* barButton(QWidget* parent, int id, const char* text)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* barText(QWidget* parent, int id)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::number(id));
    e->setReadOnly(true);
    e->setMinimumWidth(260);
    return e;
}

} // namespace

VelmorSplitterFrame::VelmorSplitterFrame(VelmorDoc& doc, Mode mode, QWidget* parent)
    : ChildFrame(doc, mode, parent)
{
    setObjectName("VelmorSplitterFrame");
    auto* splitter = qobject_cast<QSplitter*>(Inner()->centralWidget());
    // The system of equations.
    m_matrix = new VelmorMatrixView(doc, doc.Tutor(), splitter);
    splitter->addWidget(m_matrix);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    m_toolbar = Inner()->addToolBar("Calcul");
    m_toolbar->setObjectName("calculationToolbar");
    m_toolbar->setIconSize(QSize(16, 15));
    LoadToolbar(7);
    BuildTutorBar();
    for (ResultBar::Kind kind : {ResultBar::Reactions, ResultBar::Efforts, ResultBar::Displacements}) {
        auto* bar = new ResultBar(kind, Inner());
        Inner()->addDockWidget(Qt::RightDockWidgetArea, bar);
        bar->setFloating(true);
        bar->hide();
        m_bars[kind == ResultBar::Displacements ? 0 : kind == ResultBar::Reactions ? 1 : 2] = bar;
    }
    AddFrameCommands();
    // A new item or step hides the bars of the previous results.
    connect(m_matrix, &VelmorMatrixView::ResultsRequested, this, [this](int kind) {
        if (kind == VelmorMatrixView::HideResults)
            for (ResultBar* bar : m_bars)
                bar->hide();
    });
    // The solution's dialogs over the structure.
    auto* view = static_cast<VelmorView3dEjemplo*>(View());
    view->Dialogs().step = [view](TutorStage step, bool exercise, int problemType) {
        return StepDialog::Run(step, exercise, problemType, view);
    };
    view->Dialogs().flow = [view](TutorStage target) {
        return FlowDialog::Run(target, QStringLiteral(" "), view);
    };
    connect(view, &VelmorView3dEjemplo::ResultsSelected, this,
            [this](int kind, const VelmorObject* element) { ShowResults(kind, element, true); });
    connect(view, &VelmorView3dEjemplo::LawDrawingChanged, this, &VelmorSplitterFrame::RefreshProgress);

    TutorFace& face = doc.TutorEvents();
    connect(&face, &TutorFace::changed, this, &VelmorSplitterFrame::RefreshProgress);
    connect(&face, &TutorFace::results, this, &VelmorSplitterFrame::RefreshProgress);
    connect(&face, &TutorFace::ended, this, &VelmorSplitterFrame::RefreshProgress);
    RefreshProgress();
}

VelmorSplitterFrame::~VelmorSplitterFrame() = default;

VelmorTutor& VelmorSplitterFrame::Tutor()
{
    return Document().Tutor();
}

ResultBar* VelmorSplitterFrame::Bar(int kind) const
{
    for (ResultBar* bar : m_bars)
        if (bar && bar->BarKind() == kind)
            return bar;
    return nullptr;
}

void VelmorSplitterFrame::BuildTutorBar()
{
    m_tutorBar = new QDockWidget(QString::fromUtf8("Pas à pas"), Inner());
    m_tutorBar->setObjectName("61345");
    m_tutorBar->setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_tutorBar->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    auto* body = new QWidget(m_tutorBar);
    body->setObjectName("431");
    auto* row = new QHBoxLayout(body);

    auto* task = new QGroupBox(QString::fromUtf8("Tâche"), body);
    auto* taskLayout = new QHBoxLayout(task);
    m_task = barText(task, 32887);
    m_finish = barButton(task, 32884, "Terminer");
    taskLayout->addWidget(m_task, 1);
    taskLayout->addWidget(m_finish);

    auto* next = new QGroupBox(QString::fromUtf8("Etape suivante"), body);
    auto* nextLayout = new QHBoxLayout(next);
    m_next = barText(next, 32886);
    m_examine = barButton(next, 32883, "Examiner");
    nextLayout->addWidget(m_next, 1);
    nextLayout->addWidget(m_examine);

    auto* general = new QGroupBox(QString::fromUtf8("Général"), body);
    auto* generalLayout = new QGridLayout(general);
    generalLayout->addWidget(barButton(general, 32881, "Solution Finale"), 0, 0);
    generalLayout->addWidget(barButton(general, 32882, "Annuler Solution"), 0, 1);
    generalLayout->addWidget(barButton(general, 32885, "Aide"), 1, 0);
    generalLayout->addWidget(barButton(general, 32888, "Théorie"), 1, 1);

    row->addWidget(task, 2);
    row->addWidget(next, 2);
    row->addWidget(general, 1);
    m_tutorBar->setWidget(body);
    Inner()->addDockWidget(Qt::BottomDockWidgetArea, m_tutorBar);
    m_tutorBar->hide();
    for (auto* button : body->findChildren<QPushButton*>()) {
        const int id = button->objectName().toInt();
        connect(button, &QPushButton::clicked, this, [this, id] {
            m_frameCommands.Run(id);
            RefreshProgress();
        });
    }
}

void VelmorSplitterFrame::AddFrameCommands()
{
    const auto state = [this] { return Tutor().State(); };
    m_frameCommands.Add(32884, [this] { Tutor().Advance(); },
                        [this, state] { return Tutor().IsActive() && FinishEnabled(state()); });
    m_frameCommands.Add(32883, [this] { Tutor().Examine(); },
                        [this, state] { return Tutor().IsActive() && ExamineEnabled(state()); });
    m_frameCommands.Add(32881, [this] { Tutor().FinishAll(); }, [this] { return Tutor().IsActive(); });
    m_frameCommands.Add(32882, [this] { Tutor().Cancel(); }, [this] { return Tutor().IsActive(); });
    m_frameCommands.Add(32885, [] { MessageHub::Instance().RequestHelp(0x20000 + 431); });
    m_frameCommands.Add(32888, [this] {
        const int context = StepHelpContext(Document().Problem().m_nType, Tutor().Target());
        MessageHub::Instance().RequestHelp(quint32(context ? context : 0x20000 + 431));
    });
    // The result report, once the system is solved.
    const auto solved = [this] { return Tutor().Done() >= TutorStage::Solution && Tutor().IsSolved(); };
    const auto report = [this] {
        return ResultReportPrinter(*Tutor().CurrentAnalysis(), Document().Title());
    };
    m_frameCommands.Add(ID_FILE_PRINT, [this, report] { report().PrintWithDialog(this); }, solved);
    m_frameCommands.Add(ID_FILE_PRINT_PREVIEW, [this, report] { report().PrintPreview(this); }, solved);
    m_frameCommands.Add(ID_EXPORT_REPORT_PDF, [this, report] { report().ExportPdfWithDialog(this); }, solved);
    m_frameCommands.Add(61345, [this] { m_tutorBar->setVisible(!m_tutorBar->isVisible()); }, {},
                        [this] { return m_tutorBar->isVisible(); });
}

void VelmorSplitterFrame::LoadToolbar(int resource)
{
    if (resource == m_toolbarResource)
        return;
    for (QAction* a : m_toolbar->actions())
        m_toolbarActions.erase(std::remove(m_toolbarActions.begin(), m_toolbarActions.end(), a),
                               m_toolbarActions.end());
    m_toolbar->clear();
    m_toolbarResource = resource;
    m_toolbar->setObjectName(QString("toolbar%1").arg(resource));
    FillToolbar(m_toolbar, CalculationToolbar(resource));
    UpdateToolbar();
}

void VelmorSplitterFrame::RefreshProgress()
{
    VelmorTutor& tutor = Tutor();
    const TutorState state = tutor.State();
    if (state.done == TutorStage::Results)
        LoadToolbar(6);
    else if (FrameMode() == Mode::Exercises && state.target == TutorStage::Laws)
        LoadToolbar(static_cast<VelmorView3dEjemplo*>(View())->LawDrawingRuns() ? 1018 : 1017);
    else
        LoadToolbar(7);
    m_tutorBar->setVisible(tutor.IsActive());
    if (tutor.IsActive()) {
        const TutorBarTexts texts = TutorBarText(state);
        m_task->setText(QString::fromStdString(texts.task));
        m_next->setText(QString::fromStdString(texts.next));
        m_finish->setEnabled(FinishEnabled(state));
        m_examine->setEnabled(ExamineEnabled(state));
    }
    UpdateToolbar();
}

void VelmorSplitterFrame::ShowResults(int kind, const VelmorObject* element, bool show)
{
    ResultBar* bar = Bar(kind);
    if (!bar)
        return;
    if (!show) {
        bar->hide();
        return;
    }
    // Results of a structure changed since are not shown for the structure on screen.
    const auto analysis = Tutor().CurrentAnalysis();
    if (!element || !analysis || !analysis->IsCurrent() || !bar->Fill(*analysis, *element))
        return;
    // A floating bar first appears over the system's pane, where it hides none of the
    // structure; after that it stays where the user puts it.
    if (!bar->property("placed").toBool()) {
        bar->setProperty("placed", true);
        const int rank = kind == ResultBar::Displacements ? 0 : kind == ResultBar::Reactions ? 1 : 2;
        bar->adjustSize();
        QPoint at = m_matrix->mapToGlobal(QPoint(12, 12 + rank * 40));
        // Whole on the screen, the right edge of the window at most.
        const QRect window(mapToGlobal(QPoint(0, 0)), size());
        at.setX(std::max(window.left(), std::min(at.x(), window.right() - bar->width())));
        bar->move(at);
    }
    bar->show();
    bar->raise();
}

void VelmorSplitterFrame::HideForLeaving()
{
    m_matrix->HideForLeaving();
    for (ResultBar* bar : m_bars)
        bar->hide();
}

void VelmorSplitterFrame::ShowAgain()
{
    m_matrix->ShowAgain();
}

void VelmorSplitterFrame::showEvent(QShowEvent* event)
{
    ChildFrame::showEvent(event);
    // The structure takes a square on the left, the system of equations the rest.
    if (!m_sized && width() > 0) {
        m_sized = true;
        QTimer::singleShot(0, this, [this] {
            auto* splitter = qobject_cast<QSplitter*>(Inner()->centralWidget());
            const int h = splitter->height(), w = splitter->width();
            if (w > h)
                splitter->setSizes({h, w - h});
        });
    }
}

void VelmorSplitterFrame::closeEvent(QCloseEvent* event)
{
    ChildFrame::closeEvent(event);
    // The solution of a document whose last calculation frame goes ends with it.
    if (event->isAccepted())
        Tutor().End(false);
}

} // namespace velmor
