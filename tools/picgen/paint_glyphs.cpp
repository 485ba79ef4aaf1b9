// Line icons: window buttons, page buttons, link states and small marks.
// Each icon is drawn in a 24 x 24 design box scaled into the picture.
#include "PicStyle.h"

#include <QHash>
#include <QPainterPath>
#include <QtMath>

namespace {

using GlyphFn = void (*)(QPainter &p, const QColor &c);

void glyphClose(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 2.2));
    p.drawLine(QPointF(7, 7), QPointF(17, 17));
    p.drawLine(QPointF(17, 7), QPointF(7, 17));
}

void glyphMin(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 2.2));
    p.drawLine(QPointF(7, 13), QPointF(17, 13));
}

void glyphSetting(QPainter &p, const QColor &c)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = M_PI * i / teeth;
        const qreal rIn = (i % 2) ? 8.2 : 10.2;
        const qreal a0 = a - M_PI / (teeth * 2) * 0.55;
        const qreal a1 = a + M_PI / (teeth * 2) * 0.55;
        const QPointF p0(12 + rIn * qCos(a0), 12 + rIn * qSin(a0));
        const QPointF p1(12 + rIn * qCos(a1), 12 + rIn * qSin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    p.setPen(iconPen(c, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gear);
    p.drawEllipse(QPointF(12, 12), 3.2, 3.2);
}

void glyphBack(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 2.2));
    p.drawLine(QPointF(5, 12), QPointF(19, 12));
    p.drawLine(QPointF(5, 12), QPointF(10, 7));
    p.drawLine(QPointF(5, 12), QPointF(10, 17));
}

void glyphSummary(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 4, 7, 9), 1.5, 1.5);
    p.drawRoundedRect(QRectF(13, 4, 7, 5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(4, 15, 7, 5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(13, 11, 7, 9), 1.5, 1.5);
}

void glyphButtons(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6.5, 3, 11, 18), 5.5, 5.5);
    p.drawLine(QPointF(12, 3), QPointF(12, 10));
    p.drawLine(QPointF(6.5, 10), QPointF(17.5, 10));
    p.setPen(iconPen(c, 2.2));
    p.drawLine(QPointF(12, 5.5), QPointF(12, 7.5));
}

void glyphSensor(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 7, 7);
    p.drawLine(QPointF(12, 2), QPointF(12, 7));
    p.drawLine(QPointF(12, 17), QPointF(12, 22));
    p.drawLine(QPointF(2, 12), QPointF(7, 12));
    p.drawLine(QPointF(17, 12), QPointF(22, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 12), 1.8, 1.8);
}

void glyphMacro(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 6, 18, 12), 2, 2);
    p.setPen(iconPen(c, 2));
    for (int i = 0; i < 4; ++i)
        p.drawPoint(QPointF(6.5 + i * 3.7, 10));
    for (int i = 0; i < 3; ++i)
        p.drawPoint(QPointF(8.3 + i * 3.7, 13));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
}

void glyphLight(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 4.2, 4.2);
    for (int i = 0; i < 8; ++i) {
        const qreal a = M_PI / 4 * i;
        p.drawLine(QPointF(12 + 7 * qCos(a), 12 + 7 * qSin(a)),
                   QPointF(12 + 9.5 * qCos(a), 12 + 9.5 * qSin(a)));
    }
}

void glyphAdvance(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    const qreal ys[3] = {6, 12, 18};
    const qreal knobs[3] = {15, 8, 13};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(4, ys[i]), QPointF(20, ys[i]));
        p.setBrush(Pal::Base);
        p.drawEllipse(QPointF(knobs[i], ys[i]), 2.3, 2.3);
    }
}

void glyphUsb(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(12, 3), QPointF(12, 19));
    p.drawLine(QPointF(12, 14), QPointF(7, 10));
    p.drawLine(QPointF(7, 10), QPointF(7, 8));
    p.drawLine(QPointF(12, 12), QPointF(17, 9));
    p.drawLine(QPointF(17, 9), QPointF(17, 7));
    p.drawRect(QRectF(15.5, 5, 3, 2.5));
    p.drawEllipse(QPointF(7, 7), 1.4, 1.4);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 20), 2, 2);
    QPainterPath tip;
    tip.moveTo(12, 2);
    tip.lineTo(10, 5);
    tip.lineTo(14, 5);
    tip.closeSubpath();
    p.drawPath(tip);
}

void drawArcs(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.9));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 4 + i * 4;
        p.drawArc(QRectF(12 - r, 18 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 18), 1.8, 1.8);
}

void glyphWifi(QPainter &p, const QColor &c)
{
    drawArcs(p, c);
}

void glyphOffline(QPainter &p, const QColor &c)
{
    drawArcs(p, withAlpha(Pal::Muted, 200));
    p.setPen(iconPen(c, 2.2));
    p.drawLine(QPointF(4, 4), QPointF(20, 20));
}

void glyphRepair(QPainter &p, const QColor &c)
{
    QPainterPath wrench;
    wrench.moveTo(14.5, 3.5);
    wrench.arcTo(QRectF(11, 3, 10, 10), 110, 250);
    wrench.lineTo(7, 21);
    wrench.lineTo(3, 17);
    wrench.lineTo(11.3, 8.8);
    wrench.closeSubpath();
    p.setPen(iconPen(c, 1.6));
    p.setBrush(withAlpha(c, 50));
    p.drawPath(wrench);
}

void glyphChevron(QPainter &p, const QColor &c, bool left)
{
    p.setPen(iconPen(c, 2.2));
    const qreal x0 = left ? 14 : 10;
    const qreal x1 = left ? 9 : 15;
    p.drawLine(QPointF(x0, 6), QPointF(x1, 12));
    p.drawLine(QPointF(x1, 12), QPointF(x0, 18));
}

void glyphLeft(QPainter &p, const QColor &c)
{
    glyphChevron(p, c, true);
}
void glyphRight(QPainter &p, const QColor &c)
{
    glyphChevron(p, c, false);
}

void glyphProfile(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.7));
    for (int i = 0; i < 3; ++i) {
        QPainterPath layer;
        const qreal y = 6 + i * 4.5;
        layer.moveTo(3, y);
        layer.lineTo(12, y - 3.5);
        layer.lineTo(21, y);
        layer.lineTo(12, y + 3.5);
        layer.closeSubpath();
        p.setBrush(i == 0 ? withAlpha(c, 90) : QBrush(Pal::Base));
        p.drawPath(layer);
    }
}

void glyphUpDown(QPainter &p, const QColor &c, bool up)
{
    p.setPen(iconPen(c, 2.4));
    const qreal y0 = up ? 15 : 9;
    const qreal y1 = up ? 9 : 15;
    p.drawLine(QPointF(6, y0), QPointF(12, y1));
    p.drawLine(QPointF(12, y1), QPointF(18, y0));
}

void glyphUp(QPainter &p, const QColor &c)
{
    glyphUpDown(p, c, true);
}
void glyphDown(QPainter &p, const QColor &c)
{
    glyphUpDown(p, c, false);
}

void glyphTips(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.8));
    p.setBrush(withAlpha(c, 40));
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(iconPen(c, 2.4));
    p.drawLine(QPointF(12, 11), QPointF(12, 17));
    p.drawPoint(QPointF(12, 7.2));
}

void glyphPlus(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 3));
    p.drawLine(QPointF(12, 4), QPointF(12, 20));
    p.drawLine(QPointF(4, 12), QPointF(20, 12));
}

void glyphMinus(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 3));
    p.drawLine(QPointF(4, 12), QPointF(20, 12));
}

void glyphMouse(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 2, 12, 20), 6, 6);
    p.drawLine(QPointF(12, 2), QPointF(12, 9));
}

void glyphLink(QPainter &p, const QColor &c)
{
    p.setPen(iconPen(c, 2));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-10, -3.5, 11, 7), 3.5, 3.5);
    p.drawRoundedRect(QRectF(-1, -3.5, 11, 7), 3.5, 3.5);
    p.restore();
}

struct GlyphInfo
{
    GlyphFn draw;
    QColor normal; // colour of the normal state
    bool window;   // a window button: hover and pressed get a round backdrop
};

const QHash<QString, GlyphInfo> &glyphs()
{
    static const QHash<QString, GlyphInfo> table = {
        {"close", {glyphClose, Pal::Muted, true}},
        {"min", {glyphMin, Pal::Muted, true}},
        {"setting", {glyphSetting, Pal::Muted, false}},
        {"back", {glyphBack, Pal::Muted, false}},
        {"summary", {glyphSummary, Pal::Muted, false}},
        {"buttons", {glyphButtons, Pal::Muted, false}},
        {"sensor", {glyphSensor, Pal::Muted, false}},
        {"macro", {glyphMacro, Pal::Muted, false}},
        {"light", {glyphLight, Pal::Muted, false}},
        {"advance", {glyphAdvance, Pal::Muted, false}},
        {"usb", {glyphUsb, Pal::Accent, false}},
        {"wifi", {glyphWifi, Pal::Accent, false}},
        {"offline", {glyphOffline, Pal::Danger, false}},
        {"repair", {glyphRepair, Pal::Warn, false}},
        {"left", {glyphLeft, Pal::Text, false}},
        {"right", {glyphRight, Pal::Text, false}},
        {"profile", {glyphProfile, Pal::Text, false}},
        {"up", {glyphUp, Pal::Muted, false}},
        {"down", {glyphDown, Pal::Muted, false}},
        {"tips", {glyphTips, Pal::Muted, false}},
        {"plus", {glyphPlus, Pal::Text, false}},
        {"minus", {glyphMinus, Pal::Text, false}},
        {"mouse", {glyphMouse, Pal::Text, false}},
        {"link", {glyphLink, Pal::Accent, false}},
    };
    return table;
}

} // namespace

bool paintGlyph(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 2, "<icon> <state>", error))
        return false;
    const auto it = glyphs().constFind(args.at(0));
    if (it == glyphs().constEnd()) {
        *error = QString("unknown icon \"%1\"").arg(args.at(0));
        return false;
    }
    PicState state;
    if (!parseState(args.at(1), &state)) {
        *error = QString("unknown state \"%1\"").arg(args.at(1));
        return false;
    }
    const GlyphInfo &info = it.value();
    const QRectF r(0, 0, size.width(), size.height());
    QColor color = info.normal;
    if (state == PicState::Hover)
        color = info.window ? Pal::Text : Pal::AccentLight;
    else if (state == PicState::Pressed)
        color = info.window ? Pal::Text : Pal::AccentDark;
    else if (state == PicState::Checked)
        color = Pal::Accent;

    const qreal side = qMin(r.width(), r.height());
    if (info.window && state != PicState::Normal) {
        const bool close = args.at(0) == "close";
        QColor back = close ? Pal::Danger : Pal::RaisedHi;
        if (state == PicState::Pressed)
            back = back.darker(140);
        p.setPen(Qt::NoPen);
        p.setBrush(back);
        p.drawEllipse(QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side));
    }
    if (state == PicState::Checked && !info.window)
        drawGlow(p, r, withAlpha(Pal::Accent, 70));

    // The chooser's paging arrows sit in a ring; the hover picture fills it.
    qreal scale = side / 24.0;
    if (args.at(0) == "left" || args.at(0) == "right") {
        const QRectF ring = r.adjusted(2, 2, -2, -2);
        p.setPen(QPen(state == PicState::Normal ? Pal::Line : Pal::Accent, 1.5));
        p.setBrush(state == PicState::Normal ? withAlpha(Pal::Panel, 200)
                                             : withAlpha(Pal::AccentDark, 160));
        p.drawEllipse(ring);
        scale = side / 40.0;
    } else if (args.at(0) == "minus" && r.height() < 8) {
        // The minus button is only a few pixels high: a plain bar.
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRoundedRect(r.adjusted(2, 0.5, -2, -0.5), 1, 1);
        return true;
    }
    p.save();
    p.translate(r.center().x() - 12 * scale, r.center().y() - 12 * scale);
    p.scale(scale, scale);
    info.draw(p, color);
    p.restore();
    return true;
}
