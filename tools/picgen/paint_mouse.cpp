// The mouse drawings: the top view behind the button page's number marks,
// the chooser's device cards and the small mouse of the angle control.
#include "PicStyle.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// Design space of the top view: 432 x 356, the size of the button page's
// picture area. The number marks of the button page sit at these centres:
// 1 (164, 82) left, 2 (269, 82) right, 3 (217, 82) wheel, 4 (122, 147) and
// 5 (122, 192) the side buttons, 6 (309, 169) the button on the right flank.
const qreal Cx = 217;
const QRectF DesignBounds(118, 0, 200, 346);

QPainterPath bodyPath()
{
    QPainterPath body;
    body.moveTo(Cx, 34);
    body.cubicTo(262, 30, 298, 52, 304, 110);
    body.cubicTo(310, 170, 304, 230, 292, 280);
    body.cubicTo(280, 326, 250, 340, Cx, 340);
    body.cubicTo(184, 340, 154, 326, 142, 280);
    body.cubicTo(130, 230, 124, 170, 130, 110);
    body.cubicTo(136, 52, 172, 30, Cx, 34);
    body.closeSubpath();
    return body;
}

QPainterPath buttonPath(bool left)
{
    // The part of the body above the button split, on one side of the wheel.
    QPainterPath area;
    const qreal split = 152;
    if (left)
        area.addRect(QRectF(100, 0, Cx - 4 - 100, split));
    else
        area.addRect(QRectF(Cx + 4, 0, 330 - Cx - 4, split));
    QPainterPath curve;
    curve.moveTo(100, split - 14);
    curve.quadTo(Cx, split + 14, 330, split - 14);
    curve.lineTo(330, 0);
    curve.lineTo(100, 0);
    curve.closeSubpath();
    return bodyPath().intersected(area).intersected(curve);
}

struct MouseLook
{
    bool cable = false;
    bool lit = true;    // accent rims and the light strip glow
    bool marks = false; // outline the numbered button areas
};

void drawPill(QPainter &p, const QRectF &r, const QColor &fill, const QColor &edge)
{
    p.setPen(QPen(edge, 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() / 2, r.width() / 2);
}

void drawMouse(QPainter &p, const MouseLook &look)
{
    const QPainterPath body = bodyPath();
    // Shadow on the desk.
    QRadialGradient shadow(QPointF(Cx, 196), 150);
    shadow.setColorAt(0, withAlpha(Qt::black, 110));
    shadow.setColorAt(0.8, withAlpha(Qt::black, 40));
    shadow.setColorAt(1, withAlpha(Qt::black, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(Cx, 196), 112, 158);

    if (look.cable) {
        QPainterPath cable;
        cable.moveTo(Cx, 36);
        cable.cubicTo(Cx, 18, Cx + 8, 10, Cx + 12, 0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Pal::Base, 7, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cable);
        p.setPen(QPen(Pal::RaisedHi, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cable);
    }
    // Side buttons and the flank button stand out of the shell.
    const QColor sideFill = Pal::RaisedHi;
    drawPill(p, QRectF(122, 132, 12, 30), sideFill, Pal::Line);
    drawPill(p, QRectF(120, 177, 12, 30), sideFill, Pal::Line);
    drawPill(p, QRectF(301, 152, 10, 34), sideFill, Pal::Line);

    QRadialGradient shell(QPointF(Cx - 30, 150), 220);
    shell.setColorAt(0, Pal::RaisedHi);
    shell.setColorAt(0.6, Pal::Raised);
    shell.setColorAt(1, Pal::Base);
    p.setPen(QPen(Pal::Line, 1.5));
    p.setBrush(shell);
    p.drawPath(body);

    for (bool left : {true, false}) {
        QLinearGradient key(0, 34, 0, 160);
        key.setColorAt(0, withAlpha(Pal::RaisedHi.lighter(120), 230));
        key.setColorAt(1, withAlpha(Pal::Raised, 230));
        p.setPen(QPen(withAlpha(Pal::Base, 255), 2));
        p.setBrush(key);
        p.drawPath(buttonPath(left));
    }
    // Wheel with ribs, and the DPI button behind it.
    const QRectF wheel(Cx - 9, 58, 18, 50);
    drawPanel(p, wheel, 9, Pal::Line, Pal::Base, Pal::Base);
    p.setPen(QPen(withAlpha(Pal::Muted, 160), 1.2));
    for (qreal y = wheel.top() + 8; y < wheel.bottom() - 6; y += 5)
        p.drawLine(QPointF(wheel.left() + 4, y), QPointF(wheel.right() - 4, y));
    drawPanel(p, QRectF(Cx - 7, 120, 14, 20), 3, Pal::RaisedHi, Pal::Raised, Pal::Base);

    if (look.lit) {
        // Accent rims along the flanks and the light strip round the palm.
        p.setBrush(Qt::NoBrush);
        QPainterPath rim;
        rim.moveTo(142, 280);
        rim.cubicTo(132, 240, 128, 200, 131, 165);
        QPainterPath rimRight;
        rimRight.moveTo(292, 280);
        rimRight.cubicTo(302, 240, 306, 200, 303, 165);
        p.setPen(QPen(withAlpha(Pal::Accent, 200), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(rim);
        p.drawPath(rimRight);
        QPainterPath strip;
        strip.moveTo(165, 318);
        strip.quadTo(Cx, 338, 269, 318);
        p.setPen(QPen(withAlpha(Pal::Accent, 90), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(strip);
        p.setPen(QPen(Pal::AccentLight, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(strip);
    }
    // The product mark on the palm: a talon chevron.
    QPainterPath mark;
    mark.moveTo(Cx - 16, 238);
    mark.lineTo(Cx, 262);
    mark.lineTo(Cx + 16, 238);
    p.setPen(
        QPen(look.lit ? Pal::Accent : Pal::Muted, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(QPen(Pal::Text, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(Cx - 7, 238), QPointF(Cx, 249));
    p.drawLine(QPointF(Cx + 7, 238), QPointF(Cx, 249));

    if (look.marks) {
        // Halos where the number marks of the button page sit.
        const QPointF centres[6] = {{164, 82},  {269, 82},  {217, 82},
                                    {122, 147}, {122, 192}, {309, 169}};
        for (const QPointF &c : centres)
            drawGlow(p, QRectF(c.x() - 30, c.y() - 30, 60, 60), withAlpha(Pal::Accent, 45));
    }
}

void paintMouseInto(QPainter &p, const QRectF &target, const MouseLook &look)
{
    const qreal s =
        qMin(target.width() / DesignBounds.width(), target.height() / DesignBounds.height());
    p.save();
    p.translate(target.center().x() - DesignBounds.center().x() * s,
                target.center().y() - DesignBounds.center().y() * s);
    p.scale(s, s);
    drawMouse(p, look);
    p.restore();
}

} // namespace

bool paintMouse(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<wireless|wired|plain>", error))
        return false;
    // "plain": neither cable nor wireless sign, for a picture shown for every
    // kind of connection.
    const bool wired = args.at(0) == "wired";
    const bool plain = args.at(0) == "plain";
    if (!wired && !plain && args.at(0) != "wireless") {
        *error = QString("unknown model kind \"%1\"").arg(args.at(0));
        return false;
    }
    MouseLook look;
    look.cable = wired;
    look.marks = true;
    // Drawn at its design size so the number marks land on the buttons.
    p.save();
    p.scale(size.width() / 432.0, size.height() / 356.0);
    drawMouse(p, look);
    if (!wired && !plain) {
        // A small wireless sign beside the mouse.
        p.setPen(iconPen(withAlpha(Pal::Accent, 200), 2.5));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            const qreal r = 6 + i * 7;
            p.drawArc(QRectF(360 - r, 70 - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(Pal::Accent);
        p.drawEllipse(QPointF(360, 70), 3, 3);
    }
    p.restore();
    return true;
}

bool paintCard(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<online|offline|unknown>", error))
        return false;
    const QString v = args.at(0);
    if (v != "online" && v != "offline" && v != "unknown") {
        *error = QString("unknown card \"%1\"").arg(v);
        return false;
    }
    const bool online = v == "online";
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(4, 4, -4, -4);
    if (online)
        drawGlow(p, QRectF(r.center().x() - 150, r.center().y() - 120, 300, 260),
                 withAlpha(Pal::Accent, 60));
    drawPanel(p, r, 14, withAlpha(Pal::Raised, 220), withAlpha(Pal::Base, 220),
              online ? Pal::Accent : Pal::Line);
    MouseLook look;
    look.lit = online;
    p.save();
    if (!online)
        p.setOpacity(v == "unknown" ? 0.3 : 0.55);
    paintMouseInto(p, r.adjusted(40, 56, -40, -40), look);
    p.restore();
    if (v == "unknown") {
        QFont font("DejaVu Sans");
        font.setPixelSize(96);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Pal::Warn);
        p.drawText(r.adjusted(0, 40, 0, 0), Qt::AlignCenter, "?");
    }
    return true;
}

bool paintComponent(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    MouseLook look;
    paintMouseInto(p, QRectF(0, 0, size.width(), size.height()), look);
    return true;
}
