#include "ChildFrame.h"

#include "ActionIcons.h"
#include "VelmorApp.h"
#include "VelmorDoc.h"
#include "dialogs/BeamLoadDialog.h"
#include "dialogs/CoordinatesDialog.h"
#include "dialogs/NodalLoadDialog.h"
#include "dialogs/SectionDialog.h"
#include "dialogs/SupportDialog.h"
#include "dialogs/TitleDialog.h"
#include "views/VelmorBaseView.h"
#include "views/VelmorView3dEdit.h"
#include "views/VelmorView3dEjemplo.h"
#include "resources/MenuTables.h"
#include "resources/StringTable.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QSplitter>
#include <QToolBar>
#include <QUndoStack>

namespace velmor {

ChildFrame::ChildFrame(VelmorDoc& doc, Mode mode, QWidget* parent)
    : QMdiSubWindow(parent), m_doc(doc), m_mode(mode), m_inner(new QMainWindow(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(mode == Mode::Library ? "VelmorFrame" : "VelmorSplitterFrame");
    m_inner->setWindowFlags(Qt::Widget);
    if (mode == Mode::Library) {
        auto* editor = new VelmorView3dEdit(doc, m_inner);
        ConnectDialogs(*editor);
        connect(editor, &VelmorView3dEdit::StateChanged, this, &ChildFrame::UpdateToolbar);
        connect(&doc.UndoStack(), &QUndoStack::indexChanged, this, &ChildFrame::UpdateToolbar);
        m_view = editor;
        m_inner->setCentralWidget(m_view);
    } else {
        // The calculation frame: the structure on the left of a splitter, the system of
        // equations on its right (added by the calculation frame).
        auto* splitter = new QSplitter(Qt::Horizontal, m_inner);
        splitter->setObjectName("splitter");
        m_view = new VelmorView3dEjemplo(doc, splitter);
        splitter->addWidget(m_view);
        m_inner->setCentralWidget(splitter);
    }
    if (mode == Mode::Library) {
        auto* bar = m_inner->addToolBar("Bibliothèque");
        bar->setObjectName("toolbar2");
        bar->setIconSize(QSize(16, 15));
        FillToolbar(bar, Toolbar(MenuId::Library));
        auto* status = new QStatusBar(m_inner);
        status->setObjectName("126");
        QLabel* panes[4];
        for (int i = 0; i < 4; ++i) {
            panes[i] = new QLabel(status);
            panes[i]->setObjectName(QString("pane%1").arg(i));
            panes[i]->setMinimumWidth(110);
            status->addWidget(panes[i], i == 0 ? 1 : 0);
        }
        m_inner->setStatusBar(status);
        connect(m_view, &VelmorBaseView::KindChanged, panes[0], &QLabel::setText);
        connect(m_view, &VelmorBaseView::CoordinatesChanged, this,
                [panes](const QString& x, const QString& y, const QString& z) {
                    panes[1]->setText(x);
                    panes[2]->setText(y);
                    panes[3]->setText(z);
                });
    }
    setWidget(m_inner);
    m_view->Setup();
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
    for (QAction* a : m_toolbarActions) {
        const int id = a->objectName().toInt();
        a->setEnabled(App() && App()->IsEnabled(id));
        if (a->isCheckable())
            a->setChecked(m_view->IsChecked(id));
    }
}

void ChildFrame::FillToolbar(QToolBar* bar, const std::vector<int>& buttons)
{
    for (int id : buttons) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* a = bar->addAction(CommandIcon(id), FromView(ToolTip(id)));
        a->setObjectName(QString::number(id));
        a->setStatusTip(FromView(StatusPrompt(id)));
        a->setCheckable(HasCheckMark(id));
        connect(a, &QAction::triggered, this, [this, id] {
            m_view->setFocus();
            if (VelmorApp* app = App())
                app->OnCommand(id);
            UpdateToolbar();
        });
        m_toolbarActions.push_back(a);
    }
}

bool ChildFrame::HasCheckMark(int id)
{
    switch (id) {
    case ID_ELEMENT_NEW:
    case ID_ELEMENT_DELETE:
    case ID_ELEMENT_MODIFY:
    case ID_TOOL_NODE:
    case ID_TOOL_SECTION:
    case ID_TOOL_BEAM:
    case ID_TOOL_SUPPORT:
    case ID_TOOL_LOAD:
    case ID_TOOL_HINGE:
    case ID_ZOOM:
    // The solution commands show the step being worked on.
    case 32808:
    case 32809:
    case 32811:
    case 32812:
    case 32833:
    case 32834:
    case 32836:
    case 32854:
        return true;
    default:
        return false;
    }
}

void ChildFrame::ConnectDialogs(VelmorView3dEdit& editor)
{
    EditorDialogs& d = editor.Dialogs();
    d.section = [&editor](VelmorSeccionData& record, int type) {
        return SectionDialog::Edit(record, type, &editor);
    };
    d.support = [&editor](VelmorApoyoData& record, int type) {
        return SupportDialog::Edit(record, type, &editor);
    };
    d.nodalLoad = [&editor](VelmorCargaData& record, int type) {
        return NodalLoadDialog::Edit(record, type, &editor);
    };
    d.beamLoad = [&editor](VelmorCargaData& record, int type, int beam, int n1, int n2, double length) {
        return BeamLoadDialog::Edit(record, type, &editor, LoadedBeam{beam, n1, n2, length});
    };
    d.coordinates = [&editor](Mfx3dPoint& point, int type) {
        return CoordinatesDialog::Edit(point, type, &editor);
    };
    d.title = [&editor](std::string& title) {
        QString text = QString::fromStdString(title);
        if (!TitleDialog::Edit(text, &editor))
            return false;
        title = text.toStdString();
        return true;
    };
}

void ChildFrame::closeEvent(QCloseEvent* event)
{
    // Closing the last frame of a document closes the document: the application asks to save
    // it first and then deletes the frame, once this event is over. One of several frames of a
    // document just goes.
    VelmorApp* app = App();
    if (!app) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (app->FramesOf(m_doc).size() > 1) {
        const bool maximized = isMaximized();
        QMdiSubWindow::closeEvent(event);
        // The frame goes once this event is over; its document may go before.
        m_view->Detach();
        deleteLater();
        if (QMdiArea* area = mdiArea(); area && maximized)
            QTimer::singleShot(0, area, [area] {
                if (QMdiSubWindow* next = area->activeSubWindow())
                    next->showMaximized();
            });
        return;
    }
    event->ignore();
    QPointer<VelmorDoc> doc(&m_doc);
    QTimer::singleShot(0, app, [app, doc] {
        if (doc)
            app->CloseDocumentAsking(*doc);
    });
}

} // namespace velmor
