#include "app/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <map>

namespace tavrel {
namespace {

constexpr int kIconSize = 32;
const QColor kInk(0x24, 0x3b, 0x55);
const QColor kPaper(0xfb, 0xfb, 0xf7);
const QColor kAccent(0x2e, 0x86, 0xc1);
const QColor kWarn(0xc0, 0x39, 0x2b);

void DrawSheet(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    QPainterPath sheet;
    sheet.moveTo(7, 3);
    sheet.lineTo(21, 3);
    sheet.lineTo(26, 8);
    sheet.lineTo(26, 29);
    sheet.lineTo(7, 29);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.setPen(QPen(kInk.lighter(160), 1.2));
    for (int y = 11; y <= 23; y += 4) {
        p.drawLine(10, y, 23, y);
    }
}

void DrawClear(QPainter& p) {
    DrawSheet(p);
    p.setPen(QPen(kWarn, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(14, 15, 27, 28);
    p.drawLine(27, 15, 14, 28);
}

void DrawSave(QPainter& p) {
    DrawSheet(p);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(17, 16, 5, 7);
    QPolygon arrow({QPoint(13, 22), QPoint(26, 22), QPoint(19, 30)});
    p.drawPolygon(arrow);
}

void DrawProcess(QPainter& p) {
    DrawSheet(p);
    p.setPen(QPen(kAccent, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(11, 12, 16, 16), 30 * 16, 280 * 16);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygon({QPoint(25, 10), QPoint(28, 17), QPoint(21, 16)}));
}

void DrawOpen(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf5, 0xc8, 0x6b));
    p.drawRect(3, 9, 24, 18);
    p.setBrush(QColor(0xfa, 0xdc, 0x93));
    p.drawPolygon(QPolygon({QPoint(7, 14), QPoint(30, 14), QPoint(26, 27), QPoint(3, 27)}));
}

void DrawHelp(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kAccent);
    p.drawEllipse(QRect(3, 3, 26, 26));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawSymbol(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRect(3, 3, 26, 26), 4, 4);
    QFont font = p.font();
    font.setPixelSize(20);
    p.setFont(font);
    p.setPen(kAccent.darker(120));
    p.drawText(QRect(3, 3, 26, 26), Qt::AlignCenter, QString(QChar(0x03A3)));
}

void DrawExit(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xd6, 0xb3, 0x8a));
    p.drawRect(6, 3, 14, 26);
    p.setPen(QPen(kWarn, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(14, 16, 29, 16);
    p.drawLine(24, 11, 29, 16);
    p.drawLine(24, 21, 29, 16);
}

QPixmap Draw(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
    static const std::map<QString, std::function<void(QPainter&)>> drawings = {
        {QStringLiteral("Clear"), DrawClear},
        {QStringLiteral("SaveNoteInputFile"), DrawSave},
        {QStringLiteral("ProcessNoteInputFile"), DrawProcess},
        {QStringLiteral("OpenInputFile"), DrawOpen},
        {QStringLiteral("Help"), DrawHelp},
        {QStringLiteral("Symbol"), DrawSymbol},
        {QStringLiteral("Exit"), DrawExit},
    };
    const auto found = drawings.find(key);
    return found == drawings.end() ? QIcon() : QIcon(Draw(found->second));
}

QPixmap BridgeEmblem(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 120.0, height / 44.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd6, 0xea, 0xf8));
    p.drawRect(QRectF(0, 34, 120, 10));
    p.setBrush(kInk);
    p.drawRect(QRectF(2, 14, 116, 5));
    for (const double x : {8.0, 44.0, 76.0, 106.0}) {
        p.drawRect(QRectF(x, 19, 6, 20));
    }
    p.setPen(QPen(kAccent, 1.6));
    p.setBrush(Qt::NoBrush);
    for (int span = 0; span < 3; ++span) {
        const double left = 11 + span * 34.0;
        p.drawArc(QRectF(left, 19, 34, 24), 0, 180 * 16);
    }
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(2, 10), QPointF(118, 10));
    for (double x = 6; x < 118; x += 8) {
        p.drawLine(QPointF(x, 10), QPointF(x, 14));
    }
    return pixmap;
}

QIcon ProgramIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.drawPixmap(4, 16, BridgeEmblem(56, 30));
    return QIcon(pixmap);
}

}  // namespace tavrel
