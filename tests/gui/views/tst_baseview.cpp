// The 3D view of a structure, offscreen: view commands and their enabling, rotation, zoom mode,
// the window's picture when scrolled, picking, the information window, printing to PDF, and
// pictures of every example.
#include "TestHooks.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "app/VelmorDoc.h"
#include "examples/ExampleModels.h"
#include "model/VelmorNudo.h"
#include "dialogs/SectionDialog.h"
#include "dialogs/SupportDialog.h"
#include "views/VelmorBaseView.h"
#include "views/core/ProgramOptions.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QTimer>
#include <QToolTip>
#include <QHelpEvent>
#include <QTest>

using namespace velmor;

namespace {

// The options the tests' documents and views read, as the application hands its own.
ProgramOptions& testOptions()
{
    static ProgramOptions options;
    return options;
}

std::unique_ptr<VelmorDoc> openExample(const QString& name)
{
    auto doc = std::make_unique<VelmorDoc>();
    doc->SetOptions(testOptions());
    if (!doc->OnOpenDocument(QString(VELMOR_EXAMPLES) + "/" + name))
        return nullptr;
    doc->Problem().SyncMode(Mode::Library);
    return doc;
}

// A shown view of a document, laid out at a fixed size.
std::unique_ptr<VelmorBaseView> showView(VelmorDoc& doc)
{
    auto view = std::make_unique<VelmorBaseView>(doc);
    view->resize(640, 480);
    view->show();
    view->Setup();
    return view;
}

} // namespace

class TestBaseView : public QObject
{
    Q_OBJECT

private slots:
    void viewCommandsFollowTheProblemType()
    {
        auto beam = openExample("poutre-console.vlm");
        QVERIFY(beam);
        auto view = showView(*beam);
        for (int id : {ID_VIEW_ORIGIN, ID_VIEW_XY, ID_VIEW_XZ, ID_VIEW_YZ})
            QVERIFY(!view->IsEnabled(id));
        QVERIFY(view->IsEnabled(ID_ZOOM_ALL));
        QVERIFY(!view->IsEnabled(ID_ROTATE_LEFT)); // the XY view does not turn
        QVERIFY(!view->OnCommand(ID_ROTATE_LEFT));

        auto space = openExample("portique-spatial.vlm");
        auto spaceView = showView(*space);
        QVERIFY(spaceView->IsEnabled(ID_VIEW_XZ));
        QVERIFY(spaceView->OnCommand(ID_VIEW_XY));
        QVERIFY(!spaceView->Camera().IsRotatable());
        QVERIFY(!spaceView->IsEnabled(ID_ROTATE_LEFT));
        QVERIFY(spaceView->OnCommand(ID_VIEW_ORIGIN));
        QVERIFY(spaceView->Camera().IsRotatable());
        const Mfx3dPoint before = spaceView->Camera().Direction();
        QTest::keyClick(spaceView.get(), Qt::Key_Left);
        const Mfx3dPoint after = spaceView->Camera().Direction();
        const double angle = std::acos(std::clamp((before.x * after.x + before.y * after.y) /
                                                      (std::hypot(before.x, before.y) * std::hypot(after.x, after.y)),
                                                  -1.0, 1.0));
        QVERIFY(std::fabs(angle - 15.0 * M_PI / 180.0) < 1e-9);
    }

    void zoomCommandTwiceLeavesZoomModeWithoutZooming()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        const MfxPoint size = view->Camera().DrawingSize();
        QVERIFY(view->OnCommand(ID_ZOOM));
        QVERIFY(view->IsChecked(ID_ZOOM));
        QVERIFY(view->OnCommand(ID_ZOOM));
        QVERIFY(!view->IsChecked(ID_ZOOM));
        QCOMPARE(view->Camera().DrawingSize().x, size.x);
    }

    void zoomRectangleEnlargesTheDrawing()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        const double before = view->Camera().DrawingSize().x;
        view->OnCommand(ID_ZOOM);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view->viewport(), QPoint(200, 180));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(200, 180));
        QVERIFY(view->Camera().DrawingSize().x > 2 * before);
        QCOMPARE(view->InteractionMode(), 0);
        view->OnCommand(ID_ZOOM_ALL);
        QCOMPARE(view->Camera().DrawingSize().x, before);
    }

    void resizedWindowKeepsShowingTheWholeStructure()
    {
        // A view set up small, as in a frame not laid out yet, then given its real size shows
        // the whole structure at that size; once zoomed in, a resize keeps the zoom.
        auto doc = openExample("portique-simple.vlm");
        VelmorBaseView view(*doc);
        view.resize(120, 90);
        view.show();
        view.Setup();
        const MfxPoint small = view.Camera().DrawingSize();
        view.resize(640, 480);
        const MfxPoint fitted = view.Camera().DrawingSize();
        const QSize room = view.viewport()->size();
        QVERIFY(fitted.x > 3 * small.x);
        QVERIFY(qAbs(fitted.x - room.width()) <= 1 || qAbs(fitted.y - room.height()) <= 1);
        QVERIFY(fitted.x <= room.width() + 1 && fitted.y <= room.height() + 1);

        view.OnCommand(ID_ZOOM);
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view.viewport(), QPoint(200, 180));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(200, 180));
        const double zoomed = view.Camera().DrawingSize().x;
        QVERIFY(zoomed > 2 * fitted.x);
        view.resize(700, 520);
        QCOMPARE(view.Camera().DrawingSize().x, zoomed);
        // "Whole structure" fits it again, and later resizes follow.
        view.OnCommand(ID_ZOOM_ALL);
        view.resize(320, 240);
        QVERIFY(view.Camera().DrawingSize().x < fitted.x);
    }

    void windowShowsThePictureScrolledOrNot()
    {
        // What the window shows is the view's drawing at the scrolled place, the background
        // covering the whole window however far it is scrolled.
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        testOptions().Set(OPT_BLACK_BACKGROUND, true);
        view->OnCommand(ID_ZOOM);
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(view->viewport(), QPoint(200, 180));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, QPoint(200, 180));
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        for (const double share : {0.0, 0.5, 1.0}) {
            const int h = int(view->horizontalScrollBar()->maximum() * share);
            const int v = int(view->verticalScrollBar()->maximum() * share);
            view->horizontalScrollBar()->setValue(h);
            view->verticalScrollBar()->setValue(v);
            const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QImage expected(shown.size(), QImage::Format_RGB32);
            expected.setDevicePixelRatio(shown.devicePixelRatio());
            expected.fill(qRgb(1, 2, 3)); // a colour the drawing never uses
            {
                QPainter painter(&expected);
                painter.translate(-h, -v);
                view->Render(painter, true);
            }
            int unpainted = 0;
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    unpainted += expected.pixel(x, y) == qRgb(1, 2, 3);
            QCOMPARE(unpainted, 0);
            QCOMPARE(shown, expected);
        }
        testOptions().Set(OPT_BLACK_BACKGROUND, false);
    }

    void wheelZoomKeepsThePointUnderTheCursor()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        const QPoint cursor(420, 150);
        auto scrolled = [&] {
            return QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
        };
        const QPoint s0 = scrolled();
        const double width0 = view->Camera().DrawingSize().x;
        const Mfx3dPoint under = view->Camera().Unproject(cursor.x() + s0.x(), cursor.y() + s0.y(), 0);
        for (int i = 0; i < 3; ++i) {
            QWheelEvent wheel(QPointF(cursor), QPointF(view->viewport()->mapToGlobal(cursor)), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view->viewport(), &wheel);
        }
        const QPoint s1 = scrolled();
        QVERIFY(std::abs(view->Camera().DrawingSize().x / width0 - 1.25 * 1.25 * 1.25) < 0.02);
        const MfxPoint p = view->Camera().Project(under);
        QVERIFY2(std::abs(p.x - s1.x() - cursor.x()) <= 1.5 && std::abs(p.y - s1.y() - cursor.y()) <= 1.5,
                 qPrintable(QString("%1, %2").arg(p.x - s1.x()).arg(p.y - s1.y())));

        // Middle-button drag pans.
        QTest::mousePress(view->viewport(), Qt::MiddleButton, {}, QPoint(300, 300));
        QMouseEvent move(QEvent::MouseMove, QPointF(260, 280), QPointF(view->viewport()->mapToGlobal(QPoint(260, 280))),
                         Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        QTest::mouseRelease(view->viewport(), Qt::MiddleButton, {}, QPoint(260, 280));
        QCOMPARE(scrolled(), s1 + QPoint(40, 20));

        // Zooming out far enough comes back to the whole structure.
        for (int i = 0; i < 6; ++i)
            view->ZoomAt(cursor, 0.8);
        QCOMPARE(scrolled(), QPoint(0, 0));
        QVERIFY(std::abs(view->Camera().DrawingSize().x - width0) < 1.0);
    }

    void shiftMiddleDragOrbitsASpaceStructure()
    {
        auto doc = openExample("portique-spatial.vlm");
        auto view = showView(*doc);
        const Mfx3dPoint before = view->Camera().Direction();
        QTest::mousePress(view->viewport(), Qt::MiddleButton, Qt::ShiftModifier, QPoint(300, 300));
        QMouseEvent move(QEvent::MouseMove, QPointF(360, 300), QPointF(view->viewport()->mapToGlobal(QPoint(360, 300))),
                         Qt::NoButton, Qt::MiddleButton, Qt::ShiftModifier);
        QApplication::sendEvent(view->viewport(), &move);
        QTest::mouseRelease(view->viewport(), Qt::MiddleButton, Qt::ShiftModifier, QPoint(360, 300));
        QVERIFY(!(view->Camera().Direction() == before));
    }

    void sectionIconsSayWhatTheyAre()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        const VelmorObject& first = *doc->Problem().List(KIND_SECTION).at(0);
        QCOMPARE(view->HitTest(KIND_SECTION, 15, 15), &first);
        const QString tip = VelmorBaseView::SectionTip(first);
        QVERIFY2(tip.startsWith(QString::fromUtf8("Section 1 : rectangulaire\nE = ")), qPrintable(tip));
        QHelpEvent help(QEvent::ToolTip, QPoint(15, 15), view->viewport()->mapToGlobal(QPoint(15, 15)));
        QApplication::sendEvent(view->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), tip);
        QHelpEvent elsewhere(QEvent::ToolTip, QPoint(400, 400), view->viewport()->mapToGlobal(QPoint(400, 400)));
        QApplication::sendEvent(view->viewport(), &elsewhere);
        QTRY_VERIFY(QToolTip::text().isEmpty());
    }

    void hitTestFindsTheElementUnderThePoint()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        for (const auto& node : doc->Problem().List(KIND_NODE)) {
            Mfx3dPoint p;
            node->GetPosition(p, 0, 0);
            const MfxPoint d = view->Camera().Project(p);
            QCOMPARE(view->HitTest(KIND_NODE, int(d.x), int(d.y)), node.get());
        }
        QCOMPARE(view->HitTest(-1, 2, 470), nullptr); // empty space
        // The section icons sit in the window's top-left corner, scrolled or not.
        QCOMPARE(view->HitTest(KIND_SECTION, 20, 20), doc->Problem().List(KIND_SECTION).at(0));
        QCOMPARE(view->HitTest(KIND_SECTION, 40, 20), doc->Problem().List(KIND_SECTION).at(1));
        // A right click on empty space opens nothing.
        QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(2, 470));
        QVERIFY(!view->findChild<QDialog*>());
        QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, QPoint(2, 470));
        // On a section's icon: the section's own dialog, read-only, until it is closed.
        QTest::mousePress(view->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        auto* info = view->findChild<SectionDialog*>("418");
        QVERIFY(info);
        QVERIFY(info->isVisible());
        QVERIFY(info->IsReadOnly());
        QVERIFY(test::Shoot(info, "information-section"));
        // A support's: its support dialog instead (one window at a time).
        const VelmorObject* support = doc->Problem().List(KIND_SUPPORT).at(0);
        const PixelRect r = view->Display().EntryOf(*support)->Rect();
        const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        QCOMPARE(view->HitTest(KIND_SUPPORT, at.x(), at.y()), support);
        QTest::mousePress(view->viewport(), Qt::RightButton, {}, at);
        QVERIFY(view->findChild<SupportDialog*>("403"));
        QVERIFY(view->findChild<SupportDialog*>("403")->IsReadOnly());
        QTest::qWait(1); // the section's window went
        QVERIFY(!view->findChild<SectionDialog*>("418"));
    }

    void printingThatCannotBeDoneSaysSo()
    {
        test::RecordMessages messages;
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/nonexistent-folder/structure.pdf");
        QVERIFY(!view->Print(printer));
        QCOMPARE(int(messages.messages.size()), 1);
        QCOMPARE(QString::fromStdString(messages.messages[0]),
                 QString::fromUtf8("Impossible d'écrire le fichier PDF /nonexistent-folder/structure.pdf."));
    }

    void nodeNumbersBeamNumbersAndLoadValuesOnRequest()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        const QImage plain = view->viewport()->grab().toImage();
        for (int option : {OPT_NODE_NUMBERS, OPT_BEAM_NUMBERS, OPT_LOAD_VALUES})
            testOptions().Set(option, true);
        view->OnCommand(ID_ZOOM_ALL);
        view->viewport()->repaint();
        const QImage labelled = view->viewport()->grab().toImage();
        for (int option : {OPT_NODE_NUMBERS, OPT_BEAM_NUMBERS, OPT_LOAD_VALUES})
            testOptions().Set(option, false);
        QVERIFY(labelled != plain);
        QVERIFY(labelled.save(QString(VELMOR_ARTEFACTS) + "/structure-labels.png"));
    }

    void printCommandOpensThePrintDialog()
    {
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        QString title;
        test::WhenModal<QPrintDialog>([&title](QPrintDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        QVERIFY(view->OnCommand(ID_PRINT_STRUCTURE));
        QCOMPARE(title, QStringLiteral("Imprimer Structure"));
    }

    void printsTheTitleAndTheDrawingToPdf()
    {
        // The page is finished only once everything is handed to the painter.
        QTest::failOnWarning(QRegularExpression("QPainter"));
        auto doc = openExample("portique-simple.vlm");
        auto view = showView(*doc);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("structure.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(view->Print(printer));
        QVERIFY(QFile::exists(pdf));
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains("Velmor -- Structure portique-simple.vlm"));
        QProcess png;
        png.start("pdftoppm", {"-png", "-r", "40", "-singlefile", pdf, dir.filePath("page")});
        QVERIFY(png.waitForFinished(20000));
        QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        int dark = 0;
        for (int y = page.height() / 8; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        QVERIFY2(dark > 50, "the structure is drawn below the title");
        QFile::copy(dir.filePath("page.png"), QString(VELMOR_ARTEFACTS) + "/print-portique-simple.png");
    }

    void picturesOfEveryExample()
    {
        QDir().mkpath(VELMOR_ARTEFACTS);
        for (const ExampleModel& m : ExampleModels()) {
            auto doc = openExample(QString::fromStdString(m.file));
            QVERIFY(doc);
            auto view = showView(*doc);
            for (bool black : {false, true}) {
                testOptions().Set(OPT_BLACK_BACKGROUND, black);
                QImage image(640, 480, QImage::Format_RGB32);
                {
                    QPainter painter(&image);
                    view->Render(painter, true);
                }
                const QString name = QString::fromStdString(m.file).replace(".vlm", black ? "-noir.png" : ".png");
                QVERIFY(image.save(QString(VELMOR_ARTEFACTS) + "/" + name));
                // Something of the structure shows on the background.
                const QRgb background = image.pixel(2, 2);
                int drawn = 0;
                for (int y = 0; y < image.height(); y += 2)
                    for (int x = 0; x < image.width(); x += 2)
                        drawn += image.pixel(x, y) != background;
                QVERIFY2(drawn > 100, qPrintable(name));
            }
            testOptions().Set(OPT_BLACK_BACKGROUND, false);
        }
    }
};

QTEST_MAIN(TestBaseView)
#include "tst_baseview.moc"
