#include "ChildFrame.h"

#include "ActionIcons.h"
#include "VelmorApp.h"
#include "VelmorDoc.h"
#include "numeric/NumericGlobals.h"
#include "resources/MenuTables.h"
#include "resources/StringTable.h"
#include "views/core/ProgramOptions.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

namespace velmor {

StructureView::StructureView(VelmorDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
{
    setObjectName("view");
    setMinimumSize(200, 150);
    m_doc.AddView(this);
    m_doc.AttachView(*this);
}

StructureView::~StructureView()
{
    m_doc.RemoveView(this);
}

void StructureView::OnUpdate(int, VelmorObject*)
{
    ++m_updates;
    update();
}

void StructureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FillPalette(Options().BlackBackground() ? kSchemeBlack : kSchemeWhite);
    const PaletteColour c = CurrentPalette().Entry(PAL_BACKGROUND);
    painter.fillRect(rect(), QColor(RedOf(c), GreenOf(c), BlueOf(c)));
}

ChildFrame::ChildFrame(VelmorDoc& doc, int mode, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(doc), m_mode(mode), m_inner(new QMainWindow(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(mode == 2 ? "VelmorFrame" : "VelmorSplitterFrame");
    m_inner->setWindowFlags(Qt::Widget);
    m_view = new StructureView(doc, m_inner);
    m_inner->setCentralWidget(m_view);
    if (mode == 2) {
        auto* bar = m_inner->addToolBar("Bibliothèque");
        bar->setObjectName("toolbar2");
        bar->setIconSize(QSize(16, 15));
        for (int id : Toolbar(2)) {
            if (id == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* a = bar->addAction(CommandIcon(id), FromView(ToolTip(id)));
            a->setObjectName(QString::number(id));
            a->setStatusTip(FromView(StatusPrompt(id)));
            connect(a, &QAction::triggered, this, [this, id] {
                m_inner->setFocus();
                if (VelmorApp* app = App())
                    app->OnCommand(id);
            });
            m_toolbarActions.push_back(a);
        }
        auto* status = new QStatusBar(m_inner);
        status->setObjectName("126");
        for (int i = 0; i < 4; ++i) {
            auto* pane = new QLabel(status);
            pane->setObjectName(QString("pane%1").arg(i));
            status->addWidget(pane, i == 0 ? 1 : 0);
        }
        m_inner->setStatusBar(status);
    }
    setWidget(m_inner);
    UpdateTitle();
    UpdateToolbar();
    connect(&doc, &VelmorDoc::ModifiedChanged, this, &ChildFrame::UpdateToolbar);
    connect(&doc, &VelmorDoc::TitleChanged, this, &ChildFrame::UpdateTitle);
    connect(&doc, &VelmorDoc::ModifiedChanged, this, &ChildFrame::UpdateTitle);
}

void ChildFrame::UpdateTitle()
{
    setWindowTitle(m_doc.Title() + (m_doc.IsModified() ? " *" : ""));
}

void ChildFrame::UpdateToolbar()
{
    for (QAction* a : m_toolbarActions)
        a->setEnabled(App() && App()->IsEnabled(a->objectName().toInt()));
}

bool ChildFrame::Activate()
{
    if (CurrentProblem() == &m_doc.Problem())
        return false;
    SetCurrentProblem(&m_doc.Problem());
    if (const int dof = DofPerNode(m_doc.Problem().m_nType))
        g_nDofPerNode = dof;
    const Mfx3dBox box = m_doc.Problem().StructureBox();
    Sizes().Compute((box.MaxCorner() - box.MinCorner()).length());
    m_doc.UpdateAllViews(HINT_WORKBOX, nullptr);
    return true;
}

void ChildFrame::closeEvent(QCloseEvent* event)
{
    // The main window asks to save and deletes the document; the frame just closes.
    QMdiSubWindow::closeEvent(event);
}

} // namespace velmor
