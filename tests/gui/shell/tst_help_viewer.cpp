// The help viewer: help requests open the page of their context scrolled to its anchor, the
// theory pages of every problem type and step, dialogs, unknown contexts on the table of
// contents, the reading of contexts.tsv, the SVG figures, and a screenshot for the eye.
#include "platform/qt/shell/HelpContextMap.h"
#include "platform/qt/shell/HelpViewer.h"
#include "platform/qt/shell/MessageHub.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>

#include <optional>

using namespace velmor;

namespace {

// Top of the line holding the named anchor, in document coordinates; none when the page has
// no such anchor.
std::optional<int> AnchorTop(QTextBrowser* browser, const QString& name)
{
    QTextDocument* doc = browser->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().anchorNames().contains(name)) continue;
            doc->documentLayout()->blockBoundingRect(block); // lays the block out
            const QTextLayout* layout = block.layout();
            const QTextLine line =
                layout->lineForTextPosition(fragment.position() - block.position());
            return qRound(layout->position().y() + line.y());
        }
    }
    return std::nullopt;
}

// Checks that the viewer is visible on the page with the anchor, scrolled so that the anchor's
// line is at the top (or as far down as the page goes), or at the top without anchor.
void VerifyShown(const QString& page, const QString& anchor)
{
    HelpViewer& viewer = HelpViewer::Instance();
    QVERIFY(viewer.isVisible());
    const QUrl source = viewer.Source();
    QVERIFY(source.isLocalFile());
    QCOMPARE(QFileInfo(source.toLocalFile()).fileName(), page);
    QCOMPARE(QFileInfo(source.toLocalFile()).absolutePath(),
             QDir(HelpViewer::HelpFolder()).absolutePath());
    QCOMPARE(source.fragment(), anchor);
    QScrollBar* bar = viewer.Browser()->verticalScrollBar();
    if (anchor.isEmpty()) {
        QCOMPARE(bar->value(), 0);
        return;
    }
    const std::optional<int> top = AnchorTop(viewer.Browser(), anchor);
    QVERIFY2(top.has_value(), qPrintable(page + "#" + anchor + " is not an anchor of the page"));
    QVERIFY(qAbs(bar->value() - qMin(*top, bar->maximum())) <= 1);
}

// Opens a page scrolled well down, so that a page shown next at its top proves the reset.
void ScrollFarDown()
{
    HelpViewer::Instance().Open(0x70000 + 0x1000 * 4 + 105);
    QVERIFY(HelpViewer::Instance().Browser()->verticalScrollBar()->value() > 0);
}

} // namespace

class TestHelpViewer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void theoryPages_data();
    void theoryPages();
    void otherContexts_data();
    void otherContexts();
    void sameContextAgainAfterScrolling();
    void oneViewerServesAllRequests();
    void everyMappedContextHasItsPageAndAnchor();
    void readsTheContextFile();
    void missingContextFileOpensTheIndex();
    void figuresRenderAndScreenshot();
};

void TestHelpViewer::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    HelpViewer::Listen();
    HelpViewer::Listen();
    HelpViewer::Instance().OpenIndex();
    QVERIFY(QTest::qWaitForWindowActive(&HelpViewer::Instance()));
}

void TestHelpViewer::cleanupTestCase()
{
    delete &HelpViewer::Instance();
}

void TestHelpViewer::theoryPages_data()
{
    QTest::addColumn<quint32>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");

    const struct
    {
        int offset;
        const char* page;
    } steps[] = {{100, "etape1-numerotation.html"}, {101, "etape2-rigidite.html"},
                 {103, "etape3-charges.html"},      {105, "etape4-conditions-limites.html"},
                 {106, "etape5-resolution.html"},   {107, "etape6-resultats.html"}};
    const char* anchors[] = {"poutres", "portiques", "spatial", "treillis"};
    for (int type = 1; type <= 4; ++type) {
        for (const auto& step : steps) {
            const quint32 context = quint32(0x70000 + 0x1000 * type + step.offset);
            QTest::addRow("type %d offset %d (%u)", type, step.offset, context)
                << context << QString(step.page) << QString(anchors[type - 1]);
        }
    }
}

void TestHelpViewer::theoryPages()
{
    QFETCH(quint32, context);
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    MessageHub::Instance().RequestHelp(context);
    VerifyShown(page, anchor);
}

void TestHelpViewer::otherContexts_data()
{
    QTest::addColumn<quint32>("context");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");

    QTest::newRow("section dialog 418")
        << quint32(0x20000 + 418) << QString("dlg-section-materiau.html") << QString();
    QTest::newRow("step-3 dialog 404")
        << quint32(0x20000 + 404) << QString("dlg-pas-a-pas.html") << QString("etape3");
    QTest::newRow("main window") << quint32(131075) << QString("fenetre-principale.html")
                                 << QString();
    QTest::newRow("theory command 32768")
        << quint32(0x10000 + 32768) << QString("theorie-poutres.html") << QString();
    QTest::newRow("flow dialog, step 2")
        << quint32(0x70000 + 101) << QString("etape2-rigidite.html") << QString();
    QTest::newRow("same page again, no anchor")
        << quint32(0x70000 + 105) << QString("etape4-conditions-limites.html") << QString();
    QTest::newRow("help index 57666")
        << quint32(0x10000 + 57666) << QString("index.html") << QString();
    QTest::newRow("unknown: 0") << quint32(0) << QString("index.html") << QString();
    QTest::newRow("unknown: command without page")
        << quint32(0x10000 + 1) << QString("index.html") << QString();
    QTest::newRow("unknown: problem type 5")
        << quint32(0x70000 + 0x5000 + 100) << QString("index.html") << QString();
    QTest::newRow("unknown: step offset 102")
        << quint32(0x70000 + 0x1000 + 102) << QString("index.html") << QString();
    QTest::newRow("unknown: largest number")
        << quint32(0xFFFFFFFF) << QString("index.html") << QString();
}

void TestHelpViewer::otherContexts()
{
    QFETCH(quint32, context);
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    ScrollFarDown();
    MessageHub::Instance().RequestHelp(context);
    VerifyShown(page, anchor);
}

// The reader scrolled away from the anchor; asking for the same help again brings it back.
void TestHelpViewer::sameContextAgainAfterScrolling()
{
    HelpViewer& viewer = HelpViewer::Instance();
    const quint32 context = 0x70000 + 0x1000 * 3 + 103;
    viewer.Open(context);
    QScrollBar* bar = viewer.Browser()->verticalScrollBar();
    QVERIFY(bar->value() > 0);
    bar->setValue(0);
    viewer.Open(context);
    VerifyShown("etape3-charges.html", "spatial");
}

void TestHelpViewer::oneViewerServesAllRequests()
{
    HelpViewer* first = &HelpViewer::Instance();
    first->hide();
    MessageHub::Instance().RequestHelp(0x20000 + 3);
    MessageHub::Instance().RequestHelp(0x70000 + 0x1000 * 2 + 106);
    QCOMPARE(&HelpViewer::Instance(), first);
    int viewers = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        viewers += qobject_cast<HelpViewer*>(window) ? 1 : 0;
    QCOMPARE(viewers, 1);
    VerifyShown("etape5-resolution.html", "portiques");
    QVERIFY(QTest::qWaitForWindowActive(first));
}

// The map and the pages are written separately; every number must lead to a page that exists
// and, when it names one, to an anchor of that page.
void TestHelpViewer::everyMappedContextHasItsPageAndAnchor()
{
    HelpViewer& viewer = HelpViewer::Instance();
    const QList<quint32> numbers = viewer.Contexts().Numbers();
    QVERIFY(!numbers.isEmpty());
    for (quint32 context : numbers) {
        const HelpTarget target = viewer.Contexts().Target(context);
        viewer.Open(context);
        QCOMPARE(QFileInfo(viewer.Source().toLocalFile()).fileName(), target.page);
        if (!target.anchor.isEmpty())
            QVERIFY2(
                AnchorTop(viewer.Browser(), target.anchor).has_value(),
                qPrintable(QString::number(context) + " -> " + target.page + "#" + target.anchor));
    }
}

void TestHelpViewer::readsTheContextFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("contexts.tsv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# comment\t1\tnot a context\n"
               "\n"
               "462948\tetape1-numerotation.html#poutres\r\n"
               "131490\tdlg-section-materiau.html\n"
               "  98304 \t theorie-poutres.html \n"
               "462948\tautre.html\n"
               "notanumber\tx.html\n"
               "0x10\thex.html\n"
               "-5\tneg.html\n"
               "77\n"
               "78\t\n"
               "79\t#anchor-only\n"
               "80 page-without-tab.html\n"
               "4294967295\tlast.html#fin");
    file.close();

    HelpContextMap map;
    QVERIFY(map.Load(file.fileName()));
    QCOMPARE(map.Numbers(), (QList<quint32>{98304, 131490, 462948, 4294967295u}));
    const struct
    {
        quint32 context;
        const char* page;
        const char* anchor;
    } rows[] = {{462948, "etape1-numerotation.html", "poutres"},
                {131490, "dlg-section-materiau.html", ""},
                {98304, "theorie-poutres.html", ""},
                {4294967295u, "last.html", "fin"},
                {16, "index.html", ""},
                {77, "index.html", ""},
                {79, "index.html", ""}};
    for (const auto& row : rows) {
        const HelpTarget target = map.Target(row.context);
        QCOMPARE(target.page, QString(row.page));
        QCOMPARE(target.anchor, QString(row.anchor));
    }
}

void TestHelpViewer::missingContextFileOpensTheIndex()
{
    HelpContextMap map;
    QVERIFY(!map.Load(QDir::temp().filePath("no-such-folder-for-velmor/contexts.tsv")));
    QCOMPARE(map.Count(), 0);
    QCOMPARE(map.Target(462948).page, QString("index.html"));
    QVERIFY(map.Target(462948).anchor.isEmpty());
}

// The pages draw their figures from SVG files: each must load through the image plugin and
// reach the page at its own size, not as the broken-image placeholder.
void TestHelpViewer::figuresRenderAndScreenshot()
{
    HelpViewer& viewer = HelpViewer::Instance();
    viewer.resize(900, 700);
    viewer.Open(0x70000 + 0x1000 * 1 + 100);
    VerifyShown("etape1-numerotation.html", "poutres");

    const QImage shot = viewer.grab().toImage();
    QVERIFY(!shot.isNull());
    const QString artefact = QDir(VELMOR_ARTEFACTS).filePath("help-viewer.png");
    QVERIFY(shot.save(artefact, "PNG"));

    QTextDocument* doc = viewer.Browser()->document();
    QImage page(doc->size().toSize(), QImage::Format_ARGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        doc->drawContents(&painter);
    }
    QStringList figures;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat()) figures << format.toImageFormat().name();
        }
    }
    QCOMPARE(figures.size(), 4);
    for (const QString& name : figures) {
        QVERIFY2(name.endsWith(".svg"), qPrintable(name));
        QImageReader reader(QDir(HelpViewer::HelpFolder()).filePath(name));
        const QImage fromFile = reader.read();
        QVERIFY2(!fromFile.isNull(), qPrintable(name + ": " + reader.errorString()));
        const QVariant shown = doc->resource(QTextDocument::ImageResource, QUrl(name));
        QVERIFY2(shown.canConvert<QImage>(), qPrintable(name));
        QCOMPARE(shown.value<QImage>().size(), fromFile.size());
    }
}

QTEST_MAIN(TestHelpViewer)
#include "tst_help_viewer.moc"
