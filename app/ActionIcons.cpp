#include "ActionIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <map>

namespace velmor {
namespace {

struct Picture
{
    QColor tile;
    const char* sign;
};

Picture pictureOf(int id)
{
    static const std::map<int, Picture> pictures = {
        {32768, {QColor(0, 96, 160), "1D"}},  {32770, {QColor(0, 96, 160), "2D"}},
        {32773, {QColor(0, 96, 160), "3D"}},  {32774, {QColor(0, 96, 160), "T"}},
        {32791, {QColor(40, 140, 40), "+"}},  {32792, {QColor(40, 140, 40), "B"}},
        {32793, {QColor(200, 120, 0), "E"}},  {32795, {QColor(160, 40, 40), "X"}},
        {57664, {QColor(90, 90, 90), "i"}},   {57669, {QColor(90, 90, 90), "?"}},
        {57600, {QColor(40, 140, 40), "N"}},  {57601, {QColor(40, 140, 40), "O"}},
        {57603, {QColor(40, 140, 40), "S"}},  {32771, {QColor(160, 40, 40), "C"}},
        {32769, {QColor(0, 96, 160), "O"}},
    };
    auto it = pictures.find(id);
    return it != pictures.end() ? it->second : Picture{QColor(120, 120, 160), "·"};
}

} // namespace

QIcon CommandIcon(int commandId)
{
    const Picture p = pictureOf(commandId);
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(p.tile);
    painter.setPen(p.tile.darker(140));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 14), 3, 3);
    QFont font("DejaVu Sans");
    font.setPixelSize(std::char_traits<char>::length(p.sign) > 1 ? 8 : 10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, QString::fromUtf8(p.sign));
    return QIcon(pixmap);
}

} // namespace velmor
