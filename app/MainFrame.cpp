#include "MainFrame.h"

#include "ActionIcons.h"
#include "ChildFrame.h"
#include "VelmorApp.h"
#include "views/VelmorBaseView.h"
#include "views/VelmorView3dEdit.h"
#include "views/VelmorView3dEjemplo.h"
#include "views/core/EditorRules.h"
#include "VelmorDoc.h"
#include "platform/core/MessageService.h"
#include "platform/qt/shell/MessageHub.h"
#include "resources/MenuTables.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace velmor {
namespace {

// The splash picture: drawn by the program, shown 7.5 s or until a key or a click.
class SplashWindow : public QWidget
{
public:
    SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint)
    {
        setObjectName("VelmorSplashWnd");
        setFixedSize(480, 300);
        setCursor(Qt::ArrowCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, height());
        sky.setColorAt(0, QColor(0, 70, 130));
        sky.setColorAt(1, QColor(0, 130, 170));
        p.fillRect(rect(), sky);
        // A portal frame with its supports and a load, the program's subject.
        p.setPen(QPen(Qt::white, 5));
        p.drawLine(120, 220, 120, 120);
        p.drawLine(120, 120, 360, 120);
        p.drawLine(360, 120, 360, 220);
        p.setBrush(QColor(0, 220, 0));
        p.setPen(Qt::NoPen);
        for (int x : {120, 360})
            p.drawPolygon(QPolygon({QPoint(x, 220), QPoint(x - 14, 240), QPoint(x + 14, 240)}));
        p.setPen(QPen(QColor(0, 255, 255), 2));
        for (int x = 140; x <= 340; x += 25) {
            p.drawLine(x, 80, x, 112);
            p.drawLine(x, 112, x - 4, 104);
            p.drawLine(x, 112, x + 4, 104);
        }
        QFont title("DejaVu Sans");
        title.setPixelSize(40);
        title.setBold(true);
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 236, width(), 50), Qt::AlignCenter, "Velmor");
        QFont small("DejaVu Sans");
        small.setPixelSize(12);
        p.setFont(small);
        p.drawText(QRect(0, 20, width(), 20), Qt::AlignCenter, "Calcul des structures par la méthode des déplacements");
    }
};

QString menuText(const MenuItem& item)
{
    return QString::fromUtf8(item.text.c_str());
}

} // namespace

MainFrame::MainFrame(VelmorApp& app) : m_app(app), m_mdi(new QMdiArea(this))
{
    setObjectName("CMainFrame");
    setWindowTitle("Velmor");
    m_mdi->setObjectName("mdi");
    setCentralWidget(m_mdi);

    auto* toolbar = addToolBar("Velmor");
    toolbar->setObjectName("toolbar3");
    toolbar->setIconSize(QSize(16, 15));
    for (int id : Toolbar(MenuId::Main)) {
        if (id == 0) {
            toolbar->addSeparator();
            continue;
        }
        QAction* a = toolbar->addAction(CommandIcon(id), FromView(ToolTip(id)));
        a->setObjectName(QString::number(id));
        a->setStatusTip(FromView(StatusPrompt(id)));
        connect(a, &QAction::triggered, this, [this, id] { m_app.OnCommand(id); });
    }
    auto* status = statusBar();
    status->setObjectName("59393");
    const char* const indicators[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(indicators[i], status);
        pane->setObjectName(indicators[i]);
        pane->setMinimumWidth(pane->sizeHint().width());
        status->addPermanentWidget(pane);
        m_lockPanes[i] = pane;
    }
    // The lock keys are followed through the application's events (see eventFilter).
    qApp->installEventFilter(this);
    RefreshLockKeys();
    // The accelerators work in every frame, whatever menu is shown.
    for (const Accelerator& acc : Accelerators()) {
        auto* a = new QAction(this);
        a->setShortcut(QKeySequence(QString::fromUtf8(acc.key.c_str())));
        a->setShortcutContext(Qt::ApplicationShortcut);
        const int id = acc.id;
        connect(a, &QAction::triggered, this, [this, id] { m_app.OnCommand(id); });
        addAction(a);
        m_accelerators[id] = a;
    }
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { OnSubWindowActivated(); });
    connect(&MessageHub::Instance(), &MessageHub::Delivered, this, &MainFrame::OnMessage);
    RebuildMenus();
}

MainFrame::~MainFrame()
{
    CloseSplash();
}

void MainFrame::OnMessage(int message, qintptr, qintptr)
{
    if (message == WM_BAD_FILE_FORMAT)
        ShowMessage("Mauvais format pour ouvrir ce fichier!", MessageIcon::Error);
}

void MainFrame::OnSubWindowActivated()
{
    if (auto* frame = qobject_cast<ChildFrame*>(m_mdi->activeSubWindow())) {
        frame->UpdateToolbar();
        // The structure is the active frame's: shown in the editor or solved in a calculation
        // frame. The application's mode changes only through the mode commands, the switch
        // commands and the recent-file popups, not by activating a frame.
        frame->Document().Problem().SyncMode(frame->FrameMode());
        // The prompt of the frame left does not belong to this one.
        statusBar()->clearMessage();
    }
    RebuildMenus();
}

void MainFrame::RebuildMenus()
{
    auto* frame = qobject_cast<ChildFrame*>(m_mdi->activeSubWindow());
    m_menuResource = frame ? frame->ResourceId() : MenuId::Main;
    QMenuBar* bar = menuBar();
    bar->clear();
    const velmor::MenuResource& resource = Menu(m_menuResource);
    for (size_t i = 0; i < resource.popups.size(); ++i) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(resource.popups[i].title.c_str()));
        menu->setObjectName(QString("popup%1").arg(i));
        FillMenu(menu, m_menuResource, i);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, i] {
            // In the start menu, a popup's recent files open in that popup's mode.
            if (!m_mdi->activeSubWindow() && m_menuResource == MenuId::Main) {
                const auto& items = Menu(MenuId::Main).popups[i].items;
                if (!items.empty() && std::any_of(items.begin(), items.end(), [](const MenuItem& it) {
                        return it.kind == MenuItem::RecentFiles;
                    })) {
                    const int first = items.front().id;
                    m_app.SetMode(first == ID_MODE_OPEN_EXAMPLE    ? Mode::Examples
                                  : first == ID_MODE_OPEN_EXERCISE ? Mode::Exercises
                                                                   : Mode::Library);
                }
            }
            for (QAction* a : menu->actions())
                if (!a->isSeparator() && a->property("command").isValid())
                    a->setEnabled(m_app.IsEnabled(a->property("command").toInt()));
        });
    }
}

void MainFrame::FillMenu(QMenu* menu, MenuId resource, size_t popup)
{
    const Popup& p = Menu(resource).popups[popup];
    for (const MenuItem& item : p.items) {
        switch (item.kind) {
        case MenuItem::Separator:
            menu->addSeparator();
            break;
        case MenuItem::RecentFiles: {
            const QStringList files = m_app.RecentFiles();
            if (files.isEmpty()) {
                QAction* a = menu->addAction(QString::fromUtf8(RecentFilesPlaceholder(p.items.front().id).c_str()));
                a->setEnabled(false);
                a->setObjectName("recent");
            }
            for (int k = 0; k < files.size(); ++k) {
                const int id = ID_FILE_MRU_FIRST + k;
                QAction* a = menu->addAction(QString("&%1 %2").arg(k + 1).arg(QFileInfo(files[k]).fileName()));
                a->setObjectName(QString::number(id));
                a->setProperty("command", id);
                a->setStatusTip(files[k]);
                connect(a, &QAction::triggered, this, [this, id] { m_app.OnCommand(id); });
            }
            break;
        }
        case MenuItem::Command: {
            const QStringList parts = menuText(item).split('\t');
            QAction* a = menu->addAction(CommandIcon(item.id), parts.front());
            if (parts.size() > 1)
                a->setShortcut(QKeySequence(parts[1]));
            a->setShortcutContext(Qt::WidgetShortcut); // the accelerator table does the work
            a->setObjectName(QString::number(item.id));
            a->setProperty("command", item.id);
            a->setStatusTip(FromView(StatusPrompt(item.id)));
            a->setEnabled(m_app.IsEnabled(item.id));
            const int id = item.id;
            connect(a, &QAction::triggered, this, [this, id] { m_app.OnCommand(id); });
            break;
        }
        }
    }
}

void MainFrame::ShowSplash()
{
    if (m_splash)
        return;
    m_splash = new SplashWindow;
    if (const QScreen* screen = QApplication::primaryScreen())
        m_splash->move(screen->geometry().center() - m_splash->rect().center());
    m_splash->show();
    QTimer::singleShot(7500, this, [this] { CloseSplash(); });
}

void MainFrame::CloseSplash()
{
    if (!m_splash)
        return;
    m_splash->hide();
    m_splash->deleteLater();
    m_splash = nullptr;
    update();
}

quint32 MainFrame::HelpContextAt(QWidget* widget, QPoint pos)
{
    // The dialog page of each kind of element the views show.
    auto elementContext = [](int kind) -> quint32 {
        switch (kind) {
        case KIND_SECTION: return 0x20000 + 418;
        case KIND_SUPPORT: return 0x20000 + 403;
        case KIND_NODAL_LOAD: return 0x20000 + 405;
        case KIND_BEAM_LOAD: return 0x20000 + 406;
        default: return 0;
        }
    };
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        bool isId = false;
        if (auto* button = qobject_cast<QToolButton*>(w); button && button->defaultAction()) {
            const int id = button->defaultAction()->objectName().toInt(&isId);
            if (isId && id > 0)
                return quint32(0x10000 + id);
        }
        if (auto* editor = qobject_cast<VelmorView3dEdit*>(w))
            return editor->HelpContextAt(widget->mapTo(editor->viewport(), pos));
        // Over the structure of a calculation frame: the element's page, else the mode's.
        if (auto* example = qobject_cast<VelmorView3dEjemplo*>(w)) {
            const QPoint at = widget->mapTo(example->viewport(), pos);
            for (int kind : {KIND_SECTION, KIND_NODE, KIND_SUPPORT, KIND_NODAL_LOAD, KIND_BEAM_LOAD, KIND_BEAM})
                if (example->HitTest(kind, at.x(), at.y()))
                    return EditorHelpContext(kind);
            const ChildFrame* frame = nullptr;
            for (QWidget* up = example; up && !frame; up = up->parentWidget())
                frame = qobject_cast<ChildFrame*>(up);
            return frame && frame->FrameMode() == Mode::Exercises ? 0x20000u + 8 : 0x20000u + 4;
        }
        if (auto* view = qobject_cast<VelmorBaseView*>(w)) {
            const QPoint at = widget->mapTo(view->viewport(), pos);
            if (const VelmorObject* e = view->HitTest(KIND_NONE, at.x(), at.y()))
                if (const quint32 context = elementContext(e->Kind()))
                    return context;
        }
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            const int id = dialog->objectName().toInt(&isId);
            if (isId && id > 0)
                return quint32(0x20000 + id);
        }
        if (auto* frame = qobject_cast<ChildFrame*>(w))
            return quint32(0x20000 + int(frame->ResourceId()));
    }
    return 0x20003;
}

void MainFrame::EnterHelpMode()
{
    if (m_helpMode)
        return;
    m_helpMode = true;
    QApplication::setOverrideCursor(QCursor(Qt::WhatsThisCursor));
}

void MainFrame::LeaveHelpMode()
{
    if (!m_helpMode)
        return;
    m_helpMode = false;
    QApplication::restoreOverrideCursor();
}

void MainFrame::ShowLockKeys(const LockKeys& keys)
{
    const bool on[3] = {keys.caps, keys.num, keys.scroll};
    const char* const names[3] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i)
        m_lockPanes[i]->setText(on[i] ? QString::fromLatin1(names[i]) : QString());
}

void MainFrame::RefreshLockKeys()
{
    // Where the state cannot be read the names stay, as they always did.
    if (const std::optional<LockKeys> keys = QueryLockKeys())
        ShowLockKeys(*keys);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (m_helpMode) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            LeaveHelpMode();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            auto* widget = qobject_cast<QWidget*>(watched);
            const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
            const quint32 context = widget ? HelpContextAt(widget, pos) : 0x20003;
            LeaveHelpMode();
            MessageHub::Instance().RequestHelp(context);
            return true;
        }
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            QTimer::singleShot(0, this, [this] { RefreshLockKeys(); });
        if (event->type() == QEvent::KeyPress)
            CloseSplash();
        break;
    }
    case QEvent::ApplicationActivate:
        RefreshLockKeys();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        CloseSplash();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::RequestContextHelp()
{
    quint32 context = 0x20003;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        if (QAction* a = menu->activeAction(); a && a->property("command").isValid()) {
            const int id = a->property("command").toInt();
            if (id >= 57346)
                context = quint32(0x10000 + id);
        }
    MessageHub::Instance().RequestHelp(context);
}

void MainFrame::RepaintAll()
{
    for (QWidget* w : findChildren<QWidget*>())
        w->update();
    update();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_app.CloseAll())
        event->accept();
    else
        event->ignore();
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_app.OpenDocument(url.toLocalFile());
    event->acceptProposedAction();
}

} // namespace velmor
