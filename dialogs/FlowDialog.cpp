#include "FlowDialog.h"

#include "DialogFields.h"
#include "StepDialog.h"
#include "tutor/core/TutorRules.h"

#include <QApplication>
#include <QColor>
#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QVBoxLayout>

namespace velmor {
namespace {

constexpr int kResourceId = 410;

// One row of the chart: its picture, its text and the frame that marks it as the next step.
struct FlowRow
{
    int pictureId;
    int frameId;
    const char* text;
};

const FlowRow kRows[6] = {
    {129, 178, "1- Numérotation des noeuds et des degrés\n    de liberté."},
    {131, 179, "2- Calcul et assemblage de la matrice de\n    rigidité de chaque barre."},
    {127, 180, "3- Calcul et assemblage du vecteur charges\n    de chaque barre."},
    {128, 181,
     "4- Imposition des conditions aux limites sur\n    les noeuds au mouvement restreint."},
    {132, 182, "5- Résolution du système linéaire."},
    {130, 183, "6- Calcul des déformations et efforts de\n    chaque barre. Réactions aux noeuds."},
};

// Row of the chart that a target step frames, -1 for none.
int RowOfTarget(TutorStage target)
{
    const int step = StageNumber(target);
    if (step >= 1 && step <= 5) return step - 1;
    return step == 6 || step == 7 ? 5 : -1;
}

// ---------------------------------------------------------------- the flow-chart pieces

// Size of one piece; the step's box sits between the arrow coming in at the top and the line
// going out at the bottom.
constexpr QSizeF kPieceSize{116, 60};
const QRectF kBox{10, 12, 96, 36};

const QColor kInk(0x2b, 0x36, 0x4e);
const QColor kBoxFill(0xf2, 0xf5, 0xfb);
const QColor kAccent(0x1f, 0x4f, 0xc0);
const QColor kResult(0xc0, 0x3a, 0x2b);

void ArrowHead(QPainter& p, QPointF tip, QPointF direction, double size, const QColor& colour)
{
    const QPointF side(-direction.y(), direction.x());
    const QPolygonF head{tip, tip - direction * size + side * size * 0.5,
                         tip - direction * size - side * size * 0.5};
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

void Arrow(QPainter& p, QPointF tail, QPointF tip, const QColor& colour, double width = 1.5,
           double head = 6.0)
{
    QLineF shaft(tail, tip);
    const QPointF direction = (tip - tail) / shaft.length();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QLineF(tail, tip - direction * head * 0.8));
    ArrowHead(p, tip, direction, head, colour);
}

QFont PixelFont(int pixels, bool bold, bool italic, bool serif = false)
{
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void Node(QPainter& p, QPointF at)
{
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(Qt::white);
    p.drawEllipse(at, 3.5, 3.5);
}

// Hatched ground line under a support.
void Ground(QPainter& p, double left, double right, double y)
{
    p.setPen(QPen(kInk, 1.3));
    p.drawLine(QLineF(left, y, right, y));
    p.setPen(QPen(kInk, 0.9));
    for (double x = left + 3; x <= right; x += 4)
        p.drawLine(QLineF(x, y, x - 3.5, y + 3.5));
}

// Pinned support: a triangle under the node at `top`.
void Support(QPainter& p, QPointF top, double half, double height)
{
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(QColor(0xc9, 0xc2, 0xb0));
    p.drawPolygon(QPolygonF{top, top + QPointF(-half, height), top + QPointF(half, height)});
}

// A grid of rows x columns cells between brackets, the cells for which `filled` holds tinted.
template <class Filled>
void MatrixGrid(QPainter& p, QPointF topLeft, int columns, int rows, double cell, Filled filled)
{
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF box(topLeft.x() + c * cell, topLeft.y() + r * cell, cell, cell);
            p.setPen(QPen(QColor(0x9a, 0xa6, 0xbd), 0.7));
            p.setBrush(filled(r, c) ? kAccent : QColor(Qt::white));
            p.drawRect(box.adjusted(0.6, 0.6, -0.6, -0.6));
        }
    const double w = columns * cell, h = rows * cell;
    p.setPen(QPen(kInk, 1.3));
    p.setBrush(Qt::NoBrush);
    const double x0 = topLeft.x() - 2, x1 = topLeft.x() + w + 2, y0 = topLeft.y() - 1,
                 y1 = topLeft.y() + h + 1;
    p.drawPolyline(QPolygonF{{x0 + 3, y0}, {x0, y0}, {x0, y1}, {x0 + 3, y1}});
    p.drawPolyline(QPolygonF{{x1 - 3, y0}, {x1, y0}, {x1, y1}, {x1 - 3, y1}});
}

void Letter(QPainter& p, const QRectF& at, const QString& text, int pixels)
{
    p.setPen(kInk);
    p.setFont(PixelFont(pixels, true, true, true));
    p.drawText(at, Qt::AlignCenter, text);
}

// Nodes numbered along a beam.
void DrawNumbering(QPainter& p)
{
    const double y = 38, xs[3] = {30, 58, 86};
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(xs[0], y, xs[2], y));
    p.setFont(PixelFont(11, true, false));
    for (int i = 0; i < 3; ++i) {
        Node(p, QPointF(xs[i], y));
        p.setPen(kAccent);
        p.drawText(QRectF(xs[i] - 8, 14, 16, 16), Qt::AlignCenter, QString::number(i + 1));
    }
}

// The band of the structure's stiffness matrix.
void DrawStiffness(QPainter& p)
{
    Letter(p, QRectF(18, 16, 26, 28), QStringLiteral("K"), 18);
    MatrixGrid(p, QPointF(52, 16), 6, 6, 4.6,
               [](int r, int c) { return r - c <= 1 && c - r <= 1; });
}

// The load vector beside a beam under its loads.
void DrawLoads(QPainter& p)
{
    Letter(p, QRectF(14, 16, 22, 28), QStringLiteral("F"), 18);
    MatrixGrid(p, QPointF(40, 16), 1, 6, 4.6, [](int r, int) { return r % 2 == 1; });
    const double beamY = 40;
    p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(60, beamY, 98, beamY));
    for (double x : {64.0, 79.0, 94.0})
        Arrow(p, QPointF(x, 18), QPointF(x, beamY - 1.5), kAccent, 1.3, 5.0);
    p.setPen(QPen(kAccent, 1.0));
    p.drawLine(QLineF(64, 18, 94, 18));
}

// A node held by a support on the ground.
void DrawSupports(QPainter& p)
{
    const QPointF node(58, 24);
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(30, 24, 86, 24));
    Support(p, node, 9, 13);
    Ground(p, 44, 72, node.y() + 14);
    Node(p, node);
}

// The system of equations.
void DrawSolution(QPainter& p)
{
    p.setPen(kInk);
    p.setFont(PixelFont(16, true, true, true));
    p.drawText(kBox, Qt::AlignCenter, QString::fromUtf8("K·u = F"));
}

// The deformed shape of a beam on two supports, with its reactions.
void DrawResults(QPainter& p)
{
    const double left = 26, right = 90, y = 22;
    p.setPen(QPen(QColor(0x9a, 0xa6, 0xbd), 1.0, Qt::DashLine));
    p.drawLine(QLineF(left, y, right, y));
    QPainterPath deformed(QPointF(left, y));
    deformed.cubicTo(QPointF(left + 20, y + 12), QPointF(right - 20, y + 12), QPointF(right, y));
    p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(deformed);
    for (double x : {left, right}) {
        Support(p, QPointF(x, y), 5, 8);
        Arrow(p, QPointF(x, y + 22), QPointF(x, y + 10), kResult, 1.5, 5.0);
    }
}

using PieceDrawer = void (*)(QPainter&);

struct Piece
{
    int pictureId;
    PieceDrawer draw;
};

const Piece kPieces[6] = {{129, DrawNumbering}, {131, DrawStiffness}, {127, DrawLoads},
                          {128, DrawSupports},  {132, DrawSolution},  {130, DrawResults}};

} // namespace

QPixmap FlowDialog::Picture(int pictureId, qreal devicePixelRatio)
{
    int index = -1;
    for (int i = 0; i < 6; ++i)
        if (kPieces[i].pictureId == pictureId) index = i;
    if (index < 0) return {};
    QPixmap pixmap((kPieceSize * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double middle = kBox.center().x();
    if (index > 0) // from the step before
        Arrow(p, QPointF(middle, 0), QPointF(middle, kBox.top()), kInk);
    if (index < 5) { // on to the next step
        p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QLineF(middle, kBox.bottom(), middle, kPieceSize.height()));
    }
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kBoxFill);
    p.drawRoundedRect(kBox, 5, 5);
    p.save();
    p.setClipRect(kBox.adjusted(1, 1, -1, -1));
    kPieces[index].draw(p);
    p.restore();
    return pixmap;
}

FlowDialog::FlowDialog(TutorStage target, const QString& heading, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(kResourceId));
    setWindowTitle(QStringLiteral("Diagramme de calcul"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto* title = new QLabel(
        heading.isEmpty() ? QStringLiteral("Le diagramme de calcul est le suivant:") : heading,
        this);
    title->setObjectName(QStringLiteral("heading"));
    title->setTextFormat(Qt::PlainText);
    layout->addWidget(title);

    const int framed = RowOfTarget(target);
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    auto* chart = new QVBoxLayout;
    chart->setSpacing(0);
    for (int i = 0; i < 6; ++i) {
        const FlowRow& row = kRows[i];
        // The frame lies under the row's picture and text, in the same cell.
        auto* cell = new QGridLayout;
        cell->setContentsMargins(0, 0, 0, 0);
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QString::number(row.frameId));
        frame->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 2px solid #1f4fc0; border-radius: 6px; margin: 0px; }"));
        frame->setVisible(i == framed);
        cell->addWidget(frame, 0, 0);

        auto* content = new QHBoxLayout;
        content->setContentsMargins(6, 0, 14, 0);
        content->setSpacing(10);
        auto* picture = new QLabel(this);
        picture->setObjectName(QString::number(row.pictureId));
        picture->setPixmap(Picture(row.pictureId, ratio));
        content->addWidget(picture);
        auto* text = new QLabel(QString::fromUtf8(row.text), this);
        text->setObjectName(QStringLiteral("step%1").arg(i + 1));
        text->setTextFormat(Qt::PlainText);
        content->addWidget(text, 1);
        cell->addLayout(content, 0, 0);
        chart->addLayout(cell);
    }
    layout->addLayout(chart);

    const int help = StepHelpContext(0, target);
    QDialogButtonBox* buttons = MakeButtons(
        this, false, "106", help ? static_cast<quint32>(help) : DialogHelpContext(kResourceId));
    AddSkipStepButton(this, buttons);
    layout->addWidget(buttons);
}

int FlowDialog::Run(TutorStage target, const QString& heading, QWidget* parent)
{
    FlowDialog dialog(target, heading, parent);
    return dialog.exec();
}

} // namespace velmor
