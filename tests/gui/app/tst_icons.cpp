// The toolbar and menu pictures: every command of the menus and toolbars has its own, it draws
// something at toolbar size and on a high-density screen, and no two look the same. A contact
// sheet of all of them goes to the artefacts for a look by eye.
#include "app/ActionIcons.h"
#include "resources/MenuTables.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cstdlib>
#include <set>

using namespace velmor;

namespace {

// Every command id the four menus and the two toolbars send (recent files and separators
// have no picture of their own).
std::vector<int> commandIds()
{
    std::set<int> ids;
    for (MenuId menu : {MenuId::Main, MenuId::Library, MenuId::Examples, MenuId::Exercises})
        for (const Popup& popup : Menu(menu).popups)
            for (const MenuItem& item : popup.items)
                if (item.kind == MenuItem::Command)
                    ids.insert(item.id);
    for (MenuId bar : {MenuId::Main, MenuId::Library})
        for (int id : Toolbar(bar))
            if (id != 0)
                ids.insert(id);
    return {ids.begin(), ids.end()};
}

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return count;
}

// Pixels whose colour or opacity differ markedly between two images of one size.
int differingPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                          std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
            count += d > 96 ? 1 : 0;
        }
    return count;
}

QImage rendering(int id, int size, qreal ratio)
{
    return CommandIcon(id).pixmap(QSize(size, size), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void everyCommandIsDrawn_data()
    {
        QTest::addColumn<int>("id");
        for (int id : commandIds())
            QTest::newRow(QByteArray::number(id).constData()) << id;
    }

    void everyCommandIsDrawn()
    {
        QFETCH(int, id);
        const QIcon icon = CommandIcon(id);
        QVERIFY(!icon.isNull());

        const QImage small = rendering(id, 16, 1.0);
        QCOMPARE(small.size(), QSize(16, 16));
        QVERIFY2(opaquePixels(small) > 0, "nothing drawn at 16x16");

        // On a screen of density 2 the picture is drawn at 48x48 device pixels, not scaled up.
        const QPixmap dense = icon.pixmap(QSize(24, 24), 2.0);
        QCOMPARE(dense.devicePixelRatio(), 2.0);
        QCOMPARE(dense.size(), QSize(48, 48));
        const QImage denseImage = dense.toImage();
        QVERIFY2(opaquePixels(denseImage) > 0, "nothing drawn at 24x24, ratio 2");
        QVERIFY2(opaquePixels(denseImage) < denseImage.width() * denseImage.height(), "a filled square, not a picture");
    }

    // Two pictures count as alike when fewer than a tenth of their pixels tell them apart at
    // toolbar size; a subscript or a dashed outline is enough, a stray pixel is not.
    void noTwoCommandsLookAlike()
    {
        const std::vector<int> ids = commandIds();
        std::vector<QImage> images;
        for (int id : ids)
            images.push_back(rendering(id, 24, 1.0));
        QStringList alike;
        for (size_t a = 0; a < ids.size(); ++a)
            for (size_t b = a + 1; b < ids.size(); ++b)
                if (const int d = differingPixels(images[a], images[b]); d < images[a].width() * images[a].height() / 10)
                    alike << QString("%1~%2 (%3 pixels)").arg(ids[a]).arg(ids[b]).arg(d);
        QVERIFY2(alike.isEmpty(), qPrintable(alike.join(' ')));
    }

    void anIdWithoutPictureHasNone_data()
    {
        QTest::addColumn<int>("id");
        QTest::newRow("recent file") << int(ID_FILE_MRU_FIRST);
        QTest::newRow("separator") << 0;
        QTest::newRow("unknown") << 12345;
    }

    void anIdWithoutPictureHasNone()
    {
        QFETCH(int, id);
        QVERIFY(CommandIcon(id).isNull());
    }

    void contactSheet()
    {
        const std::vector<int> ids = commandIds();
        const int columns = 10, cellW = 112, cellH = 96;
        const int rows = int((ids.size() + columns - 1) / columns);
        QImage sheet(columns * cellW, rows * cellH, QImage::Format_ARGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        QFont font("DejaVu Sans");
        font.setPixelSize(10);
        p.setFont(font);
        for (size_t i = 0; i < ids.size(); ++i) {
            const int x = int(i % columns) * cellW, y = int(i / columns) * cellH;
            const QIcon icon = CommandIcon(ids[i]);
            p.drawPixmap(x + 4, y + 4, icon.pixmap(QSize(64, 64)));
            p.drawPixmap(x + 76, y + 4, icon.pixmap(QSize(16, 16)));
            p.drawPixmap(x + 72, y + 28, icon.pixmap(QSize(24, 24)));
            p.setPen(Qt::black);
            p.drawText(QRect(x, y + 72, cellW, 20), Qt::AlignCenter, QString::number(ids[i]));
        }
        p.end();
        const QString path = QStringLiteral(VELMOR_ARTEFACTS "/icons.png");
        QVERIFY2(sheet.save(path), qPrintable(path));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
