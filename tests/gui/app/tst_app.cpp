// The application shell driven as a user drives it, offscreen: start-up, menus, documents,
// recent files, quitting.
#include "TestHooks.h"
#include "gui/dialogs/DialogTestSupport.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/VelmorApp.h"
#include "app/VelmorDoc.h"
#include "model/DocumentFile.h"
#include "model/ElementTemplate.h"
#include "platform/qt/shell/MessageHub.h"
#include "platform/qt/shell/Settings.h"
#include "resources/MenuTables.h"
#include "views/VelmorBaseView.h"
#include "views/core/ProgramOptions.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolBar>
#include <QSignalSpy>
#include <QTest>

using namespace velmor;

namespace {

struct ItemRow
{
    int id;
    const char* text;
};

// Texts and ids of a menu bar, popup by popup ("-" for a separator).
std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> menuBarContents(QMenuBar* bar)
{
    std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> out;
    for (QAction* top : bar->actions()) {
        std::vector<std::pair<QString, QString>> items;
        for (QAction* a : top->menu()->actions())
            items.emplace_back(a->isSeparator() ? "-" : a->objectName(), a->isSeparator() ? "-" : a->text());
        out.emplace_back(top->text(), items);
    }
    return out;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// Accepts a new document's dialogs without showing them: the given type and the default box.
void scriptNewDocument(VelmorDoc& doc, int type)
{
    doc.chooseProblemType = [type](int) { return type; };
    doc.editWorkBox = [](Mfx3dBox&, Mfx3dPoint&) { return true; };
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VelmorApp> m_app;
    test::RecordMessages* m_messages = nullptr;
    QTemporaryDir m_dir;

    QString example(const char* name) { return QString(VELMOR_EXAMPLES) + "/" + name; }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Settings::OpenStore().clear();
    }

    void init()
    {
        Settings::OpenStore().clear();
        m_messages = new test::RecordMessages;
        m_app = std::make_unique<VelmorApp>();
        m_app->Start(false);
    }

    void cleanup()
    {
        m_messages->answers.assign(20, MessageAnswer::No);
        m_app->CloseAll();
        m_app.reset();
        delete m_messages;
    }

    void startsWithTheThreeTemplatesAndNoDocument()
    {
        const auto& t = m_app->Templates();
        QCOMPARE(int(t.size()), 3);
        QCOMPARE(int(t[0].resourceId), 2);
        QCOMPARE(int(t[1].resourceId), 4);
        QCOMPARE(int(t[2].resourceId), 8);
        QVERIFY(m_app->CurrentMode() == Mode::None);
        QVERIFY(m_app->Documents().empty());
        QCOMPARE(m_app->Main()->windowTitle(), QString("Velmor"));
        QCOMPARE(int(m_app->Main()->MenuResource()), 3);
    }

    void startMenuHasTheProgramsTextsAndIds()
    {
        const auto bar = menuBarContents(m_app->Main()->menuBar());
        const std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> expected = {
            {"&Théorie", {{"32768", "Poutres       (&1-dim)"}, {"32770", "Portiques    (&2-dim)"},
                          {"32773", "Velmor         (&3-dim)"}, {"-", "-"}, {"32774", "&Treillis         (3-dim)"}}},
            {"&Bibliothèque", {{"32791", "&Créer..."}, {"32792", "Chan&ger..."}, {"-", "-"}, {"recent", "Dernier fichier"}}},
            {"&Exemples", {{"32793", "&Ouvrir Exemple..."}, {"-", "-"}, {"recent", "Dernier exemple"}}},
            {"E&xercices", {{"32795", "&Ouvrir Exercice..."}, {"-", "-"}, {"recent", "Dernier exercice"}}},
            {"E&nvironnement", {{"32818", "&Options"}}},
            {"&Aide", {{"57666", "&Index de l'Aide"}, {"-", "-"}, {"57664", "&A Propos d'Velmor"}}},
            {"&Quitter", {{"57665", "Oui"}, {"32891", "Non"}}},
        };
        QCOMPARE(bar, expected);
    }

    void editorAndCalculationMenus()
    {
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(example("portique-simple.vlm")));
        QCOMPARE(int(m_app->Main()->MenuResource()), 2);
        auto bar = menuBarContents(m_app->Main()->menuBar());
        QCOMPARE(int(bar.size()), 5);
        QCOMPARE(bar[0].first, QString("&BIBLIOTHEQUE"));
        QCOMPARE(bar[1].second[2], (std::pair<QString, QString>{"57603", "&Enregistrer"}));
        QCOMPARE(bar[2].second[0], (std::pair<QString, QString>{"32769", "&Origine"}));
        QCOMPARE(bar[3].second[2], (std::pair<QString, QString>{"32852", "&Type de Problème"}));
        QCOMPARE(m_app->Main()->menuBar()->actions()[1]->menu()->actions()[2]->shortcut(), QKeySequence("Ctrl+S"));

        m_app->SetMode(Mode::Exercises);
        QVERIFY(m_app->OpenDocument(example("poutre-console.vlm")));
        QCOMPARE(int(m_app->Main()->MenuResource()), 8);
        bar = menuBarContents(m_app->Main()->menuBar());
        QCOMPARE(bar[0].first, QString("&EXERCICES"));
        QCOMPARE(bar[1].second[1].first, QString("32795")); // Ouvrir opens an exercise
        QCOMPARE(bar[4].first, QString("&Diagramme"));
        QCOMPARE(int(bar[3].second.size()), 7); // no law items in the exercises' results
    }

    void clearAllIsEnabledWithNodesOnly()
    {
        QVERIFY(!m_app->IsEnabled(ID_EDIT_CLEAR_ALL));
        m_app->SetMode(Mode::Library);
        VelmorDoc* doc = m_app->OpenDocument(example("portique-simple.vlm"));
        QVERIFY(doc);
        QVERIFY(m_app->IsEnabled(ID_EDIT_CLEAR_ALL));
        m_messages->answers = {MessageAnswer::No};
        m_app->OnCommand(ID_EDIT_CLEAR_ALL);
        QCOMPARE(int(doc->Problem().Count(KIND_NODE)), 4);
        QVERIFY(!doc->IsModified());
        m_messages->answers = {MessageAnswer::Yes};
        m_app->OnCommand(ID_EDIT_CLEAR_ALL);
        QCOMPARE(int(doc->Problem().Count(KIND_NODE)), 0);
        QVERIFY(doc->IsModified());
        QVERIFY(!m_app->IsEnabled(ID_EDIT_CLEAR_ALL));
        QCOMPARE(QString::fromStdString(m_messages->messages.back()), QString("Velmor effacera tous les éléments. \nContinuer?"));
    }

    void newDocumentCancelledAtEachDialog()
    {
        VelmorDoc doc;
        doc.chooseProblemType = [](int) { return 0; };
        QVERIFY(!doc.OnNewDocument());
        QVERIFY(!doc.Ready());
        doc.chooseProblemType = [](int) { return 2; };
        doc.editWorkBox = [](Mfx3dBox&, Mfx3dPoint&) { return false; };
        QVERIFY(!doc.OnNewDocument());
        QCOMPARE(doc.Problem().m_nType, 0); // cancelling the work box of a new document cancels it
        scriptNewDocument(doc, 3);
        QVERIFY(doc.OnNewDocument());
        QVERIFY(doc.Ready());
        QCOMPARE(doc.Problem().m_nType, 3);
    }

    void workBoxSetsTheSymbolSizes()
    {
        VelmorDoc doc;
        scriptNewDocument(doc, 2);
        QVERIFY(doc.OnNewDocument());
        VelmorBaseView view(doc);
        view.Setup();
        QCOMPARE(view.Sizes().unit, 0.075);
        doc.editWorkBox = [](Mfx3dBox& box, Mfx3dPoint& step) {
            box = Mfx3dBox(Mfx3dPoint(0, 0, 0), Mfx3dPoint(10, 0, 0));
            step = Mfx3dPoint(0.1, 0.1, 0.1);
            return true;
        };
        QVERIFY(!doc.IsModified());
        doc.OnLimits();
        QVERIFY2(doc.IsModified(), "the work box is saved with the structure");
        QCOMPARE(view.Sizes().unit, 0.1);
        QCOMPARE(view.Sizes().supportSize, 0.5);
        QCOMPARE(doc.Problem().m_gridStep, Mfx3dPoint(0.1, 0.1, 0.1));
    }

    void emptyFileOpensAnEmptyModel()
    {
        m_app->SetMode(Mode::Library);
        VelmorDoc* doc = m_app->OpenDocument(writeFile(m_dir, "empty.vlm", ""));
        QVERIFY(doc);
        QVERIFY(!doc->IsModified());
        QVERIFY(doc->Ready());
        QCOMPARE(int(doc->Problem().Count(KIND_NODE)), 0);
    }

    void lossesOfAFileAreToldOnceAndLeaveItModified()
    {
        QFile portal(example("portique-simple.vlm"));
        QVERIFY(portal.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(portal.readAll());
        const qsizetype support = text.indexOf("Support 2 \n");
        text.replace(text.indexOf("Node 4", support), 6, "Node 9");
        m_app->SetMode(Mode::Examples);
        VelmorDoc* doc = m_app->OpenDocument(writeFile(m_dir, "lossy.vlm", text.toUtf8()));
        QVERIFY(doc);
        QCOMPARE(int(m_messages->messages.size()), 1);
        const QString shown = QString::fromStdString(m_messages->messages[0]);
        QVERIFY2(shown.startsWith(QString::fromUtf8("Le fichier n'a pas pu être lu en entier")), qPrintable(shown));
        QVERIFY2(shown.contains("Support 2 repose sur Node 9, qui n'existe pas"), qPrintable(shown));
        QVERIFY2(doc->IsModified(), "saving would change the file");
        QCOMPARE(int(doc->Problem().Count(KIND_SUPPORT)), 1);
    }

    void savingAShippedExampleAsksForANewName()
    {
        m_app->SetMode(Mode::Library);
        const QString path = example("portique-simple.vlm");
        QFile original(path);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();
        VelmorDoc* doc = m_app->OpenDocument(path);
        QVERIFY(doc);
        doc->OnClearAll();
        QVERIFY(doc->IsModified());
        // The save-as dialog comes up instead of a write over the installed file: cancel it.
        bool asked = false;
        test::WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }, &asked);
        QVERIFY(!m_app->Save());
        QVERIFY(asked);
        QVERIFY(original.open(QIODevice::ReadOnly));
        QCOMPARE(original.readAll(), before);
        QVERIFY(doc->IsModified());
    }

    void openExampleStartsAmongTheShippedExamples()
    {
        QString shownFolder;
        test::WhenModal<QFileDialog>([&shownFolder](QFileDialog* dialog) {
            shownFolder = dialog->directory().absolutePath();
            dialog->reject();
        });
        QVERIFY(m_app->OnCommand(ID_MODE_OPEN_EXAMPLE));
        QCOMPARE(QDir(shownFolder).canonicalPath(), QDir(VELMOR_EXAMPLES).canonicalPath());
        QVERIFY(m_app->Documents().empty());
    }

    void wrongFormatIsReportedAfterTheOpenFailed()
    {
        m_app->SetMode(Mode::Examples);
        const QString path = writeFile(m_dir, "wrong.vlm", "Type of problem: cubic\n");
        QVERIFY(!m_app->OpenDocument(path));
        QVERIFY(m_app->Documents().empty());
        QVERIFY(m_messages->messages.empty()); // the message comes once the open is over
        QTRY_COMPARE(int(m_messages->messages.size()), 1);
        QCOMPARE(QString::fromStdString(m_messages->messages[0]), QString("Mauvais format pour ouvrir ce fichier!"));
        QVERIFY(m_app->RecentFiles().isEmpty());
    }

    void saveReopenAndRecentFiles()
    {
        m_app->SetMode(Mode::Library);
        VelmorDoc* doc = m_app->OpenDocument(example("treillis-pyramide.vlm"));
        QVERIFY(doc);
        const QString copy = m_dir.filePath("copie.vlm");
        QVERIFY(doc->OnSaveDocument(copy));
        m_messages->answers.assign(5, MessageAnswer::No);
        QVERIFY(m_app->CloseAll());
        QVERIFY(m_app->Documents().empty());

        // Chosen from the start menu's "Exemples" popup, a recent file opens as an example.
        QVERIFY(QFile::copy(copy, m_dir.filePath("recent.vlm")));
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(m_dir.filePath("recent.vlm")));
        m_app->CloseAll();
        QCOMPARE(m_app->RecentFiles().front(), QFileInfo(m_dir.filePath("recent.vlm")).absoluteFilePath());
        QMenu* examples = m_app->Main()->menuBar()->actions()[2]->menu();
        QMetaObject::invokeMethod(examples, "aboutToShow");
        QVERIFY(m_app->CurrentMode() == Mode::Examples);
        VelmorDoc* again = m_app->OpenRecent(0);
        QVERIFY(again);
        QVERIFY(m_app->ActiveFrame()->FrameMode() == Mode::Examples);
        QCOMPARE(again->Problem().Count(KIND_BEAM), size_t(6));
    }

    void missingRecentFileIsReportedAndDropped()
    {
        const QString path = writeFile(m_dir, "gone.vlm", "");
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(path));
        m_app->CloseAll();
        QFile::remove(path);
        QVERIFY(!m_app->OpenRecent(0));
        QCOMPARE(QString::fromStdString(m_messages->messages.back()),
                 QString("Impossible de trouver %1.").arg(QFileInfo(path).absoluteFilePath()));
        QVERIFY(!m_app->RecentFiles().contains(QFileInfo(path).absoluteFilePath()));
    }

    void quittingAsksForEachModifiedDocument()
    {
        for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
            const QString path = m_dir.filePath(answer == MessageAnswer::Yes ? "keep.vlm" : "drop.vlm");
            QFile::remove(path);
            QVERIFY(QFile::copy(example("portique-simple.vlm"), path));
            m_app->SetMode(Mode::Library);
            VelmorDoc* doc = m_app->OpenDocument(path);
            QVERIFY(doc);
            doc->OnClearAll(); // answered Yes by default
            QVERIFY(doc->IsModified());
            m_messages->messages.clear();
            m_messages->answers = {answer};
            // Annuler (also Escape or closing the box) stops the quit: nothing is closed.
            QCOMPARE(m_app->CloseAll(), answer != MessageAnswer::Cancel);
            QCOMPARE(QString::fromStdString(m_messages->messages.front()),
                     QString("Enregistrer les modifications apportées à %1?").arg(QFileInfo(path).fileName()));
            VelmorProblem reread;
            QCOMPARE(LoadProblemFile(reread, path.toStdString(), FileForm::Text).status, LoadStatus::Ok);
            QCOMPARE(int(reread.Count(KIND_NODE)), answer == MessageAnswer::Yes ? 0 : 4);
            if (answer == MessageAnswer::Cancel) {
                QCOMPARE(int(m_app->Documents().size()), 1);
                QVERIFY(m_app->Documents().front()->IsModified());
                m_messages->answers = {MessageAnswer::No};
                QVERIFY(m_app->CloseAll());
            }
        }
    }

    void closingAFrameClosesItsDocument()
    {
        m_app->SetMode(Mode::Library);
        VelmorDoc* doc = m_app->OpenDocument(example("portique-simple.vlm"));
        QVERIFY(doc);
        doc->OnClearAll(); // answered Yes: the document is modified
        m_messages->messages.clear();
        m_messages->answers = {MessageAnswer::No};
        m_app->ActiveFrame()->close();
        QTRY_VERIFY(m_app->Documents().empty());
        QCOMPARE(int(m_messages->messages.size()), 1); // "Enregistrer les modifications ...?"
        QCOMPARE(int(m_app->Main()->MenuResource()), 3);
    }

    void newWindowShowsTheSameDocument()
    {
        m_app->SetMode(Mode::Library);
        VelmorDoc* doc = m_app->OpenDocument(example("portique-simple.vlm"));
        QVERIFY(doc);
        ChildFrame* first = m_app->ActiveFrame();
        QVERIFY(m_app->IsEnabled(ID_WINDOW_NEW));
        QVERIFY(m_app->OnCommand(ID_WINDOW_NEW));
        QCOMPARE(int(m_app->FramesOf(*doc).size()), 2);
        ChildFrame* second = m_app->ActiveFrame();
        QVERIFY(second != first);
        // Both follow the document's changes.
        const size_t shown = first->View()->Display().size();
        ElementTemplate node;
        node.SetKind(KIND_NODE);
        node.m_node.m_coord = Mfx3dPoint(2, 2, 0);
        QVERIFY(doc->Problem().CreateObject(node));
        QCOMPARE(first->View()->Display().size(), shown + 1);
        QCOMPARE(second->View()->Display().size(), shown + 1);
        // Closing one of them closes only that frame, asking nothing.
        m_messages->messages.clear();
        second->close();
        QTRY_COMPARE(int(m_app->FramesOf(*doc).size()), 1);
        QCOMPARE(int(m_app->Documents().size()), 1);
        QVERIFY(m_messages->messages.empty());
        // A calculation frame has no second window.
        m_app->SetMode(Mode::Examples);
        QVERIFY(m_app->OpenDocument(example("portique-tirant.vlm")));
        QVERIFY(!m_app->IsEnabled(ID_WINDOW_NEW));
    }

    void closingAMaximisedDocumentKeepsTheOthersMaximised()
    {
        m_app->SetMode(Mode::Examples);
        QVERIFY(m_app->OpenDocument(example("portique-simple.vlm")));
        QVERIFY(m_app->OpenDocument(example("portique-tirant.vlm")));
        QVERIFY(m_app->ActiveFrame()->isMaximized());
        QVERIFY(m_app->CloseActive());
        QCOMPARE(int(m_app->Documents().size()), 1);
        QVERIFY(m_app->ActiveFrame());
        QVERIFY(m_app->ActiveFrame()->isMaximized());
    }

    void fileOnTheCommandLineOpensInTheLibrary()
    {
        m_app->SetMode(Mode::Examples);
        VelmorDoc* doc = m_app->OpenFromCommandLine(example("portique-simple.vlm"));
        QVERIFY(doc);
        QVERIFY(m_app->CurrentMode() == Mode::Library);
        QVERIFY(m_app->ActiveFrame()->FrameMode() == Mode::Library);
    }

    void helpModeOpensThePageOfWhatIsClicked()
    {
        QSignalSpy help(&MessageHub::Instance(), &MessageHub::HelpRequested);
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(example("portique-simple.vlm")));
        MainFrame* main = m_app->Main();
        auto clickInHelpMode = [&](QWidget* target, QPoint at) {
            QVERIFY(m_app->OnCommand(ID_CONTEXT_HELP));
            QVERIFY(main->InHelpMode());
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            QVERIFY(!main->InHelpMode());
        };
        // A toolbar button: its command's page.
        auto* create = qobject_cast<QToolButton*>(
            main->findChild<QToolBar*>("toolbar3")->widgetForAction(main->findChild<QAction*>("32791")));
        QVERIFY(create);
        clickInHelpMode(create, QPoint(4, 4));
        QCOMPARE(help.takeLast().at(0).toUInt(), quint32(0x10000 + 32791));
        // A section's icon in the editor: the section tool's page; empty space: the frame's.
        VelmorBaseView* view = m_app->ActiveFrame()->View();
        clickInHelpMode(view->viewport(), QPoint(15, 15));
        QCOMPARE(help.takeLast().at(0).toUInt(), quint32(98319));
        clickInHelpMode(view->viewport(), QPoint(view->viewport()->width() - 5, view->viewport()->height() - 5));
        QCOMPARE(help.takeLast().at(0).toUInt(), quint32(0x20000 + 2));
        // The menus show the commands' pictures too.
        QVERIFY(!main->findChild<QAction*>("57603")->icon().isNull()); // "&Enregistrer"
        // Escape leaves the mode without opening anything.
        QVERIFY(m_app->OnCommand(ID_CONTEXT_HELP));
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!main->InHelpMode());
        QVERIFY(help.isEmpty());
    }

    void lockIndicatorsShowTheKeysThatAreOn()
    {
        MainFrame* main = m_app->Main();
        auto text = [main](const char* name) { return main->findChild<QLabel*>(name)->text(); };
        main->ShowLockKeys({true, false, true});
        QCOMPARE(text("CAP"), QStringLiteral("CAP"));
        QCOMPARE(text("NUM"), QString());
        QCOMPARE(text("SCRL"), QStringLiteral("SCRL"));
        main->ShowLockKeys({false, true, false});
        QCOMPARE(text("CAP"), QString());
        QCOMPARE(text("NUM"), QStringLiteral("NUM"));
        // Without an X server the state is unknown: nothing is read.
        QVERIFY(!QueryLockKeys());
    }

    void splashGoesAwayAtAKey()
    {
        m_app->Main()->ShowSplash();
        QWidget* splash = m_app->Main()->Splash();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QTest::keyClick(m_app->Main(), Qt::Key_A);
        QVERIFY(!m_app->Main()->Splash());
    }

    void screenshots()
    {
        QDir().mkpath(VELMOR_ARTEFACTS);
        m_app->Main()->resize(1024, 700);
        QVERIFY(m_app->Main()->grab().save(QString(VELMOR_ARTEFACTS) + "/main-window.png"));
        m_app->SetMode(Mode::Library);
        QVERIFY(m_app->OpenDocument(example("portique-simple.vlm")));
        QVERIFY(m_app->Main()->grab().save(QString(VELMOR_ARTEFACTS) + "/editor-frame.png"));
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
