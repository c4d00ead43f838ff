// The recent-file list: most recent first, at most 4 entries, a path opened again moves to the
// top, removal by position or path, and every change read back by a new settings object as at the
// next start of the program.
#include "platform/qt/shell/RecentFileList.h"
#include "platform/qt/shell/Settings.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace velmor;

class TestRecentFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void add_data();
    void add();
    void remove_data();
    void remove();
    void removePath_data();
    void removePath();
    void startsEmpty();
    void storeUsesTheProgramKeys();
    void readsBackCleanedEntries();
};

void TestRecentFiles::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestRecentFiles::init()
{
    QSettings store(kSettingsOrganisation, kSettingsApplication);
    store.clear();
    store.sync();
}

void TestRecentFiles::add_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("most recent first") << QStringList{"/d/a.vlm", "/d/b.vlm", "/d/c.vlm"}
                                       << QStringList{"/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("at most four, the oldest goes")
        << QStringList{"/d/a.vlm", "/d/b.vlm", "/d/c.vlm", "/d/d.vlm", "/d/e.vlm"}
        << QStringList{"/d/e.vlm", "/d/d.vlm", "/d/c.vlm", "/d/b.vlm"};
    QTest::newRow("opened again moves to the top")
        << QStringList{"/d/a.vlm", "/d/b.vlm", "/d/c.vlm", "/d/a.vlm"}
        << QStringList{"/d/a.vlm", "/d/c.vlm", "/d/b.vlm"};
    QTest::newRow("moving up in a full list loses nothing")
        << QStringList{"/d/a.vlm", "/d/b.vlm", "/d/c.vlm", "/d/d.vlm", "/d/a.vlm"}
        << QStringList{"/d/a.vlm", "/d/d.vlm", "/d/c.vlm", "/d/b.vlm"};
    QTest::newRow("the top entry again stays alone")
        << QStringList{"/d/a.vlm", "/d/a.vlm"} << QStringList{"/d/a.vlm"};
    QTest::newRow("another spelling of the same path")
        << QStringList{"/d/a.vlm", "/d/x/../b.vlm", "/d/./a.vlm", "/d/b.vlm"}
        << QStringList{"/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("empty path ignored") << QStringList{"/d/a.vlm", ""} << QStringList{"/d/a.vlm"};
    QTest::newRow("relative path made absolute")
        << QStringList{"rel.vlm"} << QStringList{QDir::current().absoluteFilePath("rel.vlm")};
}

void TestRecentFiles::add()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);
    {
        Settings settings;
        QSignalSpy changed(&settings.RecentFiles(), &RecentFileList::Changed);
        for (const QString& path : added)
            settings.RecentFiles().Add(path);
        QCOMPARE(settings.RecentFiles().Files(), expected);
        // One notice per path taken, none for the ignored empty path.
        QCOMPARE(changed.count(), added.size() - added.count(QString()));
    }
    Settings restarted;
    QCOMPARE(restarted.RecentFiles().Files(), expected);
}

void TestRecentFiles::remove_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("most recent") << 0 << QStringList{"/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("middle") << 2 << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/a.vlm"};
    QTest::newRow("oldest") << 3 << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/b.vlm"};
    QTest::newRow("past the end") << 4
                                  << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("negative") << -1 << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
}

void TestRecentFiles::remove()
{
    QFETCH(int, index);
    QFETCH(QStringList, expected);
    {
        Settings settings;
        for (const char* path : {"/d/a.vlm", "/d/b.vlm", "/d/c.vlm", "/d/d.vlm"})
            settings.RecentFiles().Add(path);
        settings.RecentFiles().Remove(index);
        QCOMPARE(settings.RecentFiles().Files(), expected);
    }
    Settings restarted;
    QCOMPARE(restarted.RecentFiles().Files(), expected);
    // A removed entry leaves room: the list fills up to four again.
    restarted.RecentFiles().Add("/d/e.vlm");
    QCOMPARE(restarted.RecentFiles().Count(), qMin(int(expected.size()) + 1, 4));
    QCOMPARE(restarted.RecentFiles().At(0), QString("/d/e.vlm"));
}

void TestRecentFiles::removePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("in the list") << "/d/b.vlm" << true
                                 << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/a.vlm"};
    QTest::newRow("another spelling")
        << "/d/x/../c.vlm" << true << QStringList{"/d/d.vlm", "/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("not in the list")
        << "/d/z.vlm" << false << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
    QTest::newRow("empty") << "" << false
                           << QStringList{"/d/d.vlm", "/d/c.vlm", "/d/b.vlm", "/d/a.vlm"};
}

// The program drops a file that has disappeared by its path.
void TestRecentFiles::removePath()
{
    QFETCH(QString, path);
    QFETCH(bool, removed);
    QFETCH(QStringList, expected);
    {
        RecentFileList list;
        for (const char* file : {"/d/a.vlm", "/d/b.vlm", "/d/c.vlm", "/d/d.vlm"})
            list.Add(file);
        QCOMPARE(list.Remove(path), removed);
        QCOMPARE(list.Files(), expected);
    }
    QCOMPARE(RecentFileList().Files(), expected);
}

void TestRecentFiles::startsEmpty()
{
    Settings settings;
    QCOMPARE(settings.RecentFiles().Count(), 0);
    QCOMPARE(settings.RecentFiles().Size(), 4);
    QCOMPARE(settings.RecentFiles().At(0), QString());
}

void TestRecentFiles::storeUsesTheProgramKeys()
{
    {
        Settings settings;
        QCOMPARE(settings.Store().organizationName(), QString("Quelmo"));
        QCOMPARE(settings.Store().applicationName(), QString("Velmor"));
        settings.RecentFiles().Add("/d/a.vlm");
        settings.RecentFiles().Add("/d/b.vlm");
    }
    QSettings store("Quelmo", "Velmor");
    QCOMPARE(store.value("Recent File List/File1").toString(), QString("/d/b.vlm"));
    QCOMPARE(store.value("Recent File List/File2").toString(), QString("/d/a.vlm"));
    QVERIFY(!store.contains("Recent File List/File3"));
}

// Whatever another version or a hand edit left in the store: empty slots, repeats and entries
// past the fourth are dropped when the list is read at start.
void TestRecentFiles::readsBackCleanedEntries()
{
    {
        QSettings store("Quelmo", "Velmor");
        store.setValue("Recent File List/File1", "");
        store.setValue("Recent File List/File2", "/d/a.vlm");
        store.setValue("Recent File List/File3", "/d/a.vlm");
        store.setValue("Recent File List/File4", "/d/b.vlm");
        store.setValue("Recent File List/File5", "/d/c.vlm");
        store.sync();
    }
    Settings settings;
    QCOMPARE(settings.RecentFiles().Files(), (QStringList{"/d/a.vlm", "/d/b.vlm"}));
    settings.RecentFiles().Add("/d/b.vlm");
    QSettings store("Quelmo", "Velmor");
    QVERIFY(!store.contains("Recent File List/File5"));
    QCOMPARE(store.value("Recent File List/File1").toString(), QString("/d/b.vlm"));
}

QTEST_MAIN(TestRecentFiles)
#include "tst_recent_files.moc"
