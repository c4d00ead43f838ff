#include "HelpViewer.h"

#include "MessageHub.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>

namespace velmor {
namespace {

QPointer<HelpViewer> g_viewer;

const QString kIndexPage = QStringLiteral("index.html");
const QString kTitle = QStringLiteral("Aide de Velmor");

} // namespace

HelpViewer& HelpViewer::Instance()
{
    if (!g_viewer) {
        g_viewer = new HelpViewer;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, g_viewer.data(),
                         &QObject::deleteLater);
    }
    return *g_viewer;
}

void HelpViewer::Listen()
{
    static bool listening = false;
    if (listening) return;
    listening = true;
    MessageHub& hub = MessageHub::Instance();
    QObject::connect(&hub, &MessageHub::HelpRequested, &hub,
                     [](quint32 context) { Instance().Open(context); });
}

QString HelpViewer::HelpFolder()
{
    const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/velmor/help"));
    if (QFileInfo::exists(installed + QStringLiteral("/contexts.tsv"))) return installed;
    return QDir::cleanPath(QStringLiteral(VELMOR_HELP_DIR));
}

HelpViewer::HelpViewer(QWidget* parent) : QMainWindow(parent), m_folder(HelpFolder())
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(kTitle);
    // The help window alone never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_contexts.Load(m_folder + QStringLiteral("/contexts.tsv"));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({m_folder});
    setCentralWidget(m_browser);

    auto* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(QStringLiteral("Précédent"), m_browser, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QStringLiteral("Suivant"), m_browser, &QTextBrowser::forward);
    bar->addAction(QStringLiteral("Sommaire"), this, &HelpViewer::OpenIndex);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString page = m_browser->documentTitle();
        setWindowTitle(page.isEmpty() ? kTitle : kTitle + QStringLiteral(" - ") + page);
    });

    resize(820, 640);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::Open(quint32 context)
{
    HelpTarget target = m_contexts.Target(context);
    if (!QFileInfo::exists(m_folder + QLatin1Char('/') + target.page))
        target = HelpTarget{kIndexPage, QString()};
    Show(target);
}

void HelpViewer::OpenIndex()
{
    Show(HelpTarget{kIndexPage, QString()});
}

QUrl HelpViewer::Source() const
{
    return m_browser->source();
}

void HelpViewer::Show(const HelpTarget& target)
{
    if (isMinimized())
        showNormal();
    else
        show();
    if (!isActiveWindow()) {
        raise();
        activateWindow();
    }
    QUrl url = QUrl::fromLocalFile(m_folder + QLatin1Char('/') + target.page);
    if (!target.anchor.isEmpty()) url.setFragment(target.anchor);
    // Without an anchor the browser shows the top of the page, even of the page already shown.
    m_browser->setSource(url);
}

} // namespace velmor
