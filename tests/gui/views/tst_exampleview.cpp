// The example and exercise view, offscreen: every law drawn in its colour once solved, the
// values along a simply supported beam, the numbering clicks of an exercise, the function
// factor's limits, a structure without loads, the beam zoom and its camera, the selection of a
// result bar, the printed laws, and pictures of each law family on a plane and a space frame.
#include "TestHooks.h"
#include "app/VelmorDoc.h"
#include "model/StructureBuilder.h"
#include "model/VelmorObjectData.h"
#include "tutor/core/VelmorTutor.h"
#include "views/VelmorView3dEjemplo.h"
#include "views/core/ExampleRules.h"
#include "views/core/ProgramOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace velmor;

Q_DECLARE_METATYPE(const velmor::VelmorObject*)

namespace {

ProgramOptions& testOptions()
{
    static ProgramOptions options;
    return options;
}

std::unique_ptr<VelmorDoc> openExample(const QString& name, Mode mode = Mode::Examples)
{
    auto doc = std::make_unique<VelmorDoc>();
    doc->SetOptions(testOptions());
    if (!doc->OnOpenDocument(QString(VELMOR_EXAMPLES) + "/" + name))
        return nullptr;
    doc->Problem().SyncMode(mode);
    return doc;
}

std::unique_ptr<VelmorView3dEjemplo> showView(VelmorDoc& doc)
{
    auto view = std::make_unique<VelmorView3dEjemplo>(doc);
    view->resize(640, 480);
    view->show();
    view->Setup();
    return view;
}

QImage picture(VelmorView3dEjemplo& view)
{
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels close to a colour (the lines are antialiased: their middles keep the colour).
int pixelsOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) + std::abs(qGreen(p) - qGreen(colour)) +
                    std::abs(qBlue(p) - qBlue(colour)) < 60)
                ++n;
        }
    return n;
}

QRgb paletteRgb(int entry)
{
    const Palette palette;
    const PaletteColour c = palette.Entry(entry);
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

// The viewport point of a model point.
QPoint onScreen(const VelmorView3dEjemplo& view, const Mfx3dPoint& p)
{
    const MfxPoint d = view.Camera().Project(p);
    return QPoint(int(d.x), int(d.y));
}

QPoint middleOf(const VelmorView3dEjemplo& view, const VelmorObject& beam)
{
    Mfx3dPoint a, b;
    beam.GetPosition(a, 1, 0);
    beam.GetPosition(b, 2, 0);
    return onScreen(view, (a + b) * 0.5);
}

struct Solved
{
    std::unique_ptr<VelmorDoc> doc;
    std::unique_ptr<VelmorView3dEjemplo> view;
};

// An example shown and solved at once ("Solution Finale"); no view when it did not solve.
Solved solvedExample(const QString& name)
{
    Solved s;
    s.doc = openExample(name);
    if (!s.doc)
        return s;
    s.view = showView(*s.doc);
    if (!s.view->OnCommand(32809) || !s.doc->Tutor().IsSolved())
        s.view.reset();
    return s;
}

void saveArtefact(const QImage& image, const QString& name)
{
    QDir().mkpath(VELMOR_ARTEFACTS);
    image.save(QString(VELMOR_ARTEFACTS) + "/" + name);
}

} // namespace

class TestExampleView : public QObject
{
    Q_OBJECT

private slots:
    void eachLawIsDrawnInItsColour_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("entry");
        const struct
        {
            const char* name;
            int command, entry;
        } laws[] = {{"axial", CMD_AXIAL, PAL_AXIAL_LAW},       {"shear-y", CMD_SHEAR_Y, PAL_SHEAR_LAW},
                    {"moment-z", CMD_MOMENT_Z, PAL_MOMENT_LAW}, {"shear-z", CMD_SHEAR_Z, PAL_SHEAR_LAW},
                    {"moment-y", CMD_MOMENT_Y, PAL_MOMENT_LAW}, {"torsion", CMD_TORSION, PAL_TORSION_LAW},
                    {"deformed", CMD_DEFORMED, PAL_DEFORMED}};
        for (const char* file : {"portique-simple.vlm", "portique-spatial.vlm"})
            for (const auto& law : laws) {
                const bool space = QString(file) == "portique-spatial.vlm";
                if (!space && (law.command == CMD_SHEAR_Z || law.command == CMD_MOMENT_Y ||
                               law.command == CMD_TORSION))
                    continue;
                QTest::newRow(qPrintable(QString(file).section('.', 0, 0) + "-" + law.name))
                    << QString(file) << law.command << law.entry;
            }
    }
    void eachLawIsDrawnInItsColour()
    {
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(int, entry);
        test::RecordMessages messages;
        auto doc = openExample(file);
        QVERIFY(doc);
        auto view = showView(*doc);
        QVERIFY(!view->IsEnabled(command));
        QVERIFY(view->OnCommand(32809));
        QVERIFY(Tutor(*doc).IsSolved());
        QVERIFY(view->IsEnabled(command));
        const int before = pixelsOf(picture(*view), paletteRgb(entry));
        QVERIFY(view->OnCommand(command));
        QVERIFY(view->IsChecked(command));
        QCOMPARE(view->Selection(), int(SELECT_LAWS));
        const QImage drawn = picture(*view);
        QVERIFY2(pixelsOf(drawn, paletteRgb(entry)) > before + 50,
                 qPrintable(QString("%1 -> %2").arg(before).arg(pixelsOf(drawn, paletteRgb(entry)))));
        saveArtefact(drawn, QString("example-%1.png").arg(QTest::currentDataTag()));
        // Off again: the picture is the solved structure's.
        QVERIFY(view->OnCommand(command));
        QCOMPARE(pixelsOf(picture(*view), paletteRgb(entry)), before);
    }

    void valuesAlongASimplySupportedBeam()
    {
        test::RecordMessages messages;
        VelmorDoc doc;
        doc.SetOptions(testOptions());
        const double L = 4.0, q = 3000.0;
        {
            StructureBuilder b(doc.Problem(), PROBLEM_PLANE_FRAME);
            VelmorObject* s = b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
            VelmorObject* n1 = b.Node(0, 0, 0);
            VelmorObject* n2 = b.Node(L, 0, 0);
            VelmorObject* beam = b.Beam(s, n1, n2);
            b.Support(n1, 9, {1, 1, 0, 0, 0, 0});
            b.Support(n2, 9, {1, 1, 0, 0, 0, 0});
            QVERIFY(b.BeamLoad(beam, LOAD_CONSTANT_LOCAL, {0, -q, 0}));
        }
        doc.Problem().SyncMode(Mode::Examples);
        auto view = showView(doc);
        QVERIFY(view->OnCommand(32809));
        QVERIFY(view->OnCommand(CMD_MOMENT_Z));
        const Mfx3dPoint direction = view->Camera().Direction();
        const int code = view->Camera().ViewCode();
        const QPoint node2 = onScreen(*view, Mfx3dPoint(L, 0, 0));
        VelmorObject* beam = doc.Problem().List(KIND_BEAM).at(0);

        QVERIFY(view->OnCommand(CMD_BEAM_ZOOM));
        QVERIFY(view->IsChecked(CMD_BEAM_ZOOM));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middleOf(*view, *beam));
        QVERIFY(view->LawDrawingRuns());
        QCOMPARE(view->CurrentBeam(), beam);
        QCOMPARE(view->Progress(), 1.5);
        QVERIFY(view->IsEnabled(CMD_VALUE_LABELS));
        QVERIFY(view->IsChecked(CMD_VALUE_LABELS));
        const QImage zoomed = picture(*view);
        saveArtefact(zoomed, "example-beam-zoom-moment.png");
        // Start, the middle where the moment is stationary, end.
        const QStringList lines = [&] {
            QStringList l;
            for (const std::string& s : view->ValueLines())
                l << QString::fromStdString(s);
            return l;
        }();
        QCOMPARE(lines.size(), 3);
        const QRegularExpression form(R"(^x = +([-0-9.]+) : Mz = +([-0-9.e+]+)$)");
        const double expected[3][2] = {{0.0, 0.0}, {L / 2, -q * L * L / 8}, {L, 0.0}};
        for (int i = 0; i < 3; ++i) {
            const auto m = form.match(lines[i]);
            QVERIFY2(m.hasMatch(), qPrintable(lines[i]));
            QCOMPARE(m.captured(1).toDouble(), expected[i][0]);
            QVERIFY2(std::fabs(m.captured(2).toDouble() - expected[i][1]) <= 1e-3 * q * L * L / 8,
                     qPrintable(lines[i]));
        }
        // The moment's law and its picture in red, the sign convention in the corner.
        QVERIFY(pixelsOf(zoomed, paletteRgb(PAL_MOMENT_LAW)) > 100);
        QCOMPARE(zoomed.pixel(20 + 56, zoomed.height() - 20 - 75 + 39), qRgb(200, 200, 200));
        // Without the labels no line is written.
        QVERIFY(view->OnCommand(CMD_VALUE_LABELS));
        QVERIFY(!view->IsChecked(CMD_VALUE_LABELS));

        // The whole structure: the camera the user had, the beam zoom over.
        QVERIFY(view->OnCommand(ID_ZOOM_ALL));
        QVERIFY(!view->LawDrawingRuns());
        QVERIFY(!view->IsChecked(CMD_BEAM_ZOOM));
        QVERIFY(doc.Problem().m_pShownBeam == nullptr);
        QCOMPARE(view->Camera().ViewCode(), code);
        QCOMPARE(view->Camera().Direction().x, direction.x);
        QCOMPARE(view->Camera().Direction().y, direction.y);
        QCOMPARE(view->Camera().Direction().z, direction.z);
        QCOMPARE(onScreen(*view, Mfx3dPoint(L, 0, 0)), node2);
    }

    void beamZoomOfASpaceFrameRestoresTheTurnedCamera()
    {
        test::RecordMessages messages;
        auto [doc, view] = solvedExample("portique-spatial.vlm");
        QVERIFY(view);
        QVERIFY(view->OnCommand(CMD_MOMENT_Y));
        QVERIFY(view->OnCommand(ID_ROTATE_LEFT));
        const Mfx3dPoint direction = view->Camera().Direction();
        const int code = view->Camera().ViewCode();
        // The beam that bends most about its local y.
        const auto analysis = doc->Tutor().CurrentAnalysis();
        VelmorObject* beam = nullptr;
        double largest = 0.0;
        for (const auto& item : doc->Problem().List(KIND_BEAM)) {
            VelmorObject* b = item.get();
            const Polynomial& my = analysis->BeamResult(*b).laws[LAW_MY];
            const double size = std::fabs(my.Evaluate(0.0)) + std::fabs(my.Evaluate(analysis->BeamResult(*b).L));
            if (size > largest)
                largest = size, beam = b;
        }
        QVERIFY(beam);
        QVERIFY(view->OnCommand(CMD_BEAM_ZOOM));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middleOf(*view, *beam));
        QVERIFY(view->LawDrawingRuns());
        saveArtefact(picture(*view), "example-space-beam-zoom-moment-y.png");
        QVERIFY(!view->ValueLines().empty());
        QVERIFY(view->OnCommand(ID_ZOOM_ALL));
        QCOMPARE(view->Camera().ViewCode(), code);
        QVERIFY(std::fabs(view->Camera().Direction().x - direction.x) < 1e-12);
        QVERIFY(std::fabs(view->Camera().Direction().y - direction.y) < 1e-12);
        QVERIFY(std::fabs(view->Camera().Direction().z - direction.z) < 1e-12);
    }

    void exerciseNumberingFollowsTheClicks()
    {
        test::RecordMessages messages;
        auto doc = openExample("portique-simple.vlm", Mode::Exercises);
        QVERIFY(doc);
        auto view = showView(*doc);
        QVERIFY(view->OnCommand(32808));
        QVERIFY(Tutor(*doc).IsExercise());
        QVERIFY(view->OnCommand(32811));
        QCOMPARE(Tutor(*doc).Target(), TutorStage::Numbering);
        const auto& nodes = doc->Problem().List(KIND_NODE);
        std::vector<VelmorObject*> order;
        for (size_t i = nodes.size(); i-- > 0;)
            order.push_back(nodes.at(i));
        Mfx3dPoint p;
        for (size_t i = 0; i < order.size(); ++i) {
            const QPoint at = onScreen(*view, order[i]->GetPosition(p, 0, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(order[i]->GetNumber(0), int(i) + 1);
            if (i == 0) {
                // A numbered node only beeps.
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
                QCOMPARE(messages.beeps, 1);
                QCOMPARE(order[0]->GetNumber(0), 1);
            }
        }
        QCOMPARE(messages.messages.back(), std::string("Tous les noeuds ont été numérotés"));
        QVERIFY(Tutor(*doc).Done() >= TutorStage::Numbering);
        QVERIFY(Tutor(*doc).Target() == TutorStage::Stiffness);
        // The numbers in blue beside the nodes.
        QVERIFY(pixelsOf(picture(*view), qRgb(0, 0, 255)) > 20);
        saveArtefact(picture(*view), "exercise-numbering.png");
    }

    void functionFactorStopsAtItsLimits()
    {
        test::RecordMessages messages;
        auto [doc, view] = solvedExample("portique-simple.vlm");
        QVERIFY(view);
        QVERIFY(view->OnCommand(CMD_MOMENT_Z));
        const QImage normal = picture(*view);
        const double normalScale = view->Scales().moment;
        QVERIFY(normalScale > 0.0);
        int presses = 0;
        while (view->OnCommand(CMD_FUNCTION_UP) && presses < 100)
            ++presses;
        QVERIFY(presses < 100);
        QVERIFY(view->FunctionFactor() > 10.0 && view->FunctionFactor() < 12.0);
        QVERIFY(!view->IsEnabled(CMD_FUNCTION_UP));
        picture(*view);
        // The diagrams grew with the factor.
        QVERIFY(view->Scales().moment > 10.0 * normalScale);
        QVERIFY(pixelsOf(picture(*view), paletteRgb(PAL_MOMENT_LAW)) >
                pixelsOf(normal, paletteRgb(PAL_MOMENT_LAW)));
        while (view->OnCommand(CMD_FUNCTION_DOWN) && presses < 200)
            ++presses;
        QVERIFY(view->FunctionFactor() < 0.1 && view->FunctionFactor() > 0.08);
        QVERIFY(!view->IsEnabled(CMD_FUNCTION_DOWN));
        QVERIFY(view->IsEnabled(CMD_FUNCTION_UP));
    }

    void structureWithoutLoadsDrawsNoDiagram()
    {
        test::RecordMessages messages;
        VelmorDoc doc;
        doc.SetOptions(testOptions());
        {
            StructureBuilder b(doc.Problem(), PROBLEM_PLANE_FRAME);
            VelmorObject* s = b.Rectangle(0.2, 0.4, 2.1e11, 0.3);
            VelmorObject* n1 = b.Node(0, 0, 0);
            VelmorObject* n2 = b.Node(3, 0, 0);
            VelmorObject* n3 = b.Node(3, 2, 0);
            b.Beam(s, n1, n2);
            b.Beam(s, n2, n3);
            b.Support(n1, 9, {1, 1, 1, 1, 1, 1});
        }
        doc.Problem().SyncMode(Mode::Examples);
        auto view = showView(doc);
        QVERIFY(view->OnCommand(32809));
        QVERIFY(Tutor(doc).IsSolved());
        const QImage before = picture(*view);
        for (int id : {CMD_AXIAL, CMD_SHEAR_Y, CMD_MOMENT_Z, CMD_DEFORMED, CMD_INFLEXION, CMD_FEM})
            QVERIFY(view->OnCommand(id));
        const QImage after = picture(*view);
        QCOMPARE(view->Scales().axial, 0.0);
        QCOMPARE(view->Scales().shear, 0.0);
        QCOMPARE(view->Scales().moment, 0.0);
        QCOMPARE(view->Scales().displacement, 0.0);
        QCOMPARE(after, before);
    }

    void finiteElementViewDrawsTheElementsLaws()
    {
        test::RecordMessages messages;
        auto [doc, view] = solvedExample("portique-simple.vlm");
        QVERIFY(view);
        QVERIFY(view->OnCommand(CMD_MOMENT_Z));
        const QImage exact = picture(*view);
        QVERIFY(view->OnCommand(CMD_FEM));
        QVERIFY(view->IsChecked(CMD_FEM));
        const QImage fem = picture(*view);
        saveArtefact(fem, "example-portique-simple-fem-moment.png");
        QVERIFY(pixelsOf(fem, paletteRgb(PAL_MOMENT_LAW)) > 50);
        // The example carries distributed loads: the element's straight moment lines differ.
        QVERIFY(fem != exact);
        // The second record of every beam holds the element's laws: the moment a straight line.
        const auto analysis = Tutor(*doc).CurrentAnalysis();
        for (const auto& beam : doc->Problem().List(KIND_BEAM)) {
            const BeamAnalysis& r = analysis->BeamResult(*beam, 1);
            QCOMPARE(r.L, analysis->BeamResult(*beam).L);
            QVERIFY(r.laws[LAW_MZ].Degree() <= 1);
        }
    }

    void selectionClicksChooseTheResultBar_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("bar");
        QTest::newRow("displacements") << int(CMD_DISPLACEMENTS) << int(KIND_NODE) << 428;
        QTest::newRow("reactions") << int(CMD_REACTIONS) << int(KIND_SUPPORT) << 430;
        QTest::newRow("efforts") << int(CMD_EFFORTS) << int(KIND_BEAM) << 429;
        QTest::newRow("beam values") << int(CMD_BEAM_VALUES) << int(KIND_BEAM) << 429;
    }
    void selectionClicksChooseTheResultBar()
    {
        QFETCH(int, command);
        QFETCH(int, kind);
        QFETCH(int, bar);
        test::RecordMessages messages;
        auto [doc, view] = solvedExample("portique-simple.vlm");
        QVERIFY(view);
        QVERIFY(view->OnCommand(command));
        QVERIFY(view->IsChecked(command));
        QSignalSpy spy(view.get(), &VelmorView3dEjemplo::ResultsSelected);
        VelmorObject* element = doc->Problem().List(kind).at(0);
        Mfx3dPoint p;
        const VelmorObject* node = kind == KIND_SUPPORT ? element->GetParent(0) : element;
        const QPoint at = kind == KIND_BEAM ? middleOf(*view, *element)
                                            : onScreen(*view, node->GetPosition(p, 0, 0));
        // A support's symbol lies under its node.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          kind == KIND_SUPPORT ? at + QPoint(0, 6) : at);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0][0].toInt(), bar);
        QCOMPARE(spy[0][1].value<const VelmorObject*>(), node);
    }

    void printedPageCarriesTheLaws()
    {
        test::RecordMessages messages;
        auto [doc, view] = solvedExample("portique-simple.vlm");
        QVERIFY(view);
        QTemporaryDir dir;
        const auto print = [&](const QString& name) {
            QPrinter printer(QPrinter::ScreenResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(dir.filePath(name));
            return view->Print(printer);
        };
        QVERIFY(print("plain.pdf"));
        QVERIFY(view->OnCommand(CMD_MOMENT_Z));
        QVERIFY(view->OnCommand(CMD_AXIAL));
        QVERIFY(print("laws.pdf"));
        // The laws add their lines and labels to the page.
        QVERIFY(QFileInfo(dir.filePath("laws.pdf")).size() > QFileInfo(dir.filePath("plain.pdf")).size() + 500);
    }

private:
    static VelmorTutor& Tutor(VelmorDoc& doc) { return doc.Tutor(); }
};

QTEST_MAIN(TestExampleView)
#include "tst_exampleview.moc"
