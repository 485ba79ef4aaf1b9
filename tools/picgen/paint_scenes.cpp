// Window and dialog backgrounds and the larger drawings (logo, colour
// board, receiver, angle pad, battery).
#include "PicStyle.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

void fillWindow(QPainter &p, const QRectF &r)
{
    QLinearGradient base(r.topLeft(), r.bottomRight());
    base.setColorAt(0, Pal::Panel);
    base.setColorAt(1, Pal::Base);
    p.fillRect(r, base);
    // A faint diagonal hatch gives the large surfaces some texture.
    p.setPen(QPen(withAlpha(Qt::white, 6), 1));
    for (qreal x = -r.height(); x < r.width(); x += 14)
        p.drawLine(QPointF(x, r.height()), QPointF(x + r.height(), 0));
}

void drawWordmark(QPainter &p, const QPointF &at, int pixelSize)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.25);
    p.setFont(font);
    p.setPen(Pal::Text);
    p.drawText(at, "ORVAK");
    p.setPen(Qt::NoPen);
    p.setBrush(Pal::Accent);
    p.drawRect(QRectF(at.x(), at.y() + pixelSize * 0.35, pixelSize * 1.6, 3));
}

void dialogFrame(QPainter &p, const QRectF &r)
{
    drawPanel(p, r, 8, Pal::Raised, Pal::Panel, Pal::Line);
    QLinearGradient rim(r.topLeft(), r.topRight());
    rim.setColorAt(0, withAlpha(Pal::Accent, 0));
    rim.setColorAt(0.5, Pal::Accent);
    rim.setColorAt(1, withAlpha(Pal::Accent, 0));
    p.setPen(QPen(QBrush(rim), 2));
    p.drawLine(QPointF(r.left() + 16, r.top() + 1), QPointF(r.right() - 16, r.top() + 1));
}

void deviceWindow(QPainter &p, const QRectF &r, bool summary)
{
    fillWindow(p, r);
    // Header strip with the page buttons, left strip with the way back.
    QLinearGradient header(0, 0, 0, 111);
    header.setColorAt(0, Pal::Base);
    header.setColorAt(1, Pal::Panel);
    p.fillRect(QRectF(0, 0, r.width(), 111), header);
    p.fillRect(QRectF(0, 111, 140, r.height() - 111), withAlpha(Pal::Base, 190));
    p.setPen(QPen(Pal::Line, 1));
    p.drawLine(QPointF(0, 110.5), QPointF(r.width(), 110.5));
    p.drawLine(QPointF(139.5, 111), QPointF(139.5, r.height()));
    drawGlow(p, QRectF(-160, -160, 420, 320), withAlpha(Pal::Accent, 40));
    drawWordmark(p, QPointF(34, 52), 22);
    // The page area: the pages lay their widgets from just under the page
    // buttons to the window's edge, so the panel spans all of that.
    const QRectF page(146, 100, r.width() - 152, r.height() - 104);
    drawPanel(p, page, 10, withAlpha(Pal::Panel, 150), withAlpha(Pal::Base, 150),
              withAlpha(Pal::Line, 160));
    if (summary) {
        drawGlow(p, QRectF(336 - 230, 396 - 190, 460, 380), withAlpha(Pal::Accent, 45));
        const QRectF values(590, 170, 350, 400);
        drawPanel(p, values, 8, withAlpha(Pal::Raised, 120), withAlpha(Pal::Panel, 120),
                  withAlpha(Pal::Line, 140));
        p.setPen(QPen(withAlpha(Pal::Line, 150), 1));
        for (int i = 1; i < 7; ++i) {
            const qreal y = 90 + 103 + i * 50 + (i >= 5 ? 20 : 0);
            p.drawLine(QPointF(605, y + 0.5), QPointF(925, y + 0.5));
        }
    }
}

void chooserWindow(QPainter &p, const QRectF &r)
{
    fillWindow(p, r);
    drawGlow(p, QRectF(r.width() / 2 - 520, 160, 1040, 520), withAlpha(Pal::Accent, 36));
    drawWordmark(p, QPointF(32, 40), 24);
    QLinearGradient floor(0, 0, r.width(), 0);
    floor.setColorAt(0, withAlpha(Pal::Accent, 0));
    floor.setColorAt(0.5, withAlpha(Pal::Accent, 160));
    floor.setColorAt(1, withAlpha(Pal::Accent, 0));
    p.setPen(QPen(QBrush(floor), 2));
    p.drawLine(QPointF(60, 575), QPointF(r.width() - 60, 575));
    p.setPen(QPen(Pal::Line, 1));
    p.drawLine(QPointF(0, 55.5), QPointF(r.width(), 55.5));
}

} // namespace

bool paintBackground(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<device|summary|chooser|notice|panel|second|group>", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    const QString v = args.at(0);
    if (v == "device" || v == "summary")
        deviceWindow(p, r, v == "summary");
    else if (v == "chooser")
        chooserWindow(p, r);
    else if (v == "notice" || v == "panel") {
        // These fill opaque frameless dialogs: corners left transparent would
        // show the window's light default colour.
        p.fillRect(r, Pal::Base);
        dialogFrame(p, r);
    } else if (v == "second")
        dialogFrame(p, r);
    else if (v == "group")
        drawPanel(p, r, 8, withAlpha(Pal::Panel, 230), withAlpha(Pal::Base, 230), Pal::Line);
    else {
        *error = QString("unknown background \"%1\"").arg(v);
        return false;
    }
    return true;
}

bool paintBattery(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    // Only the outline: the level bar is a progress bar laid inside it.
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(QPen(Pal::Text, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.6, 0.6, w - 5.2, h - 1.2), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(Pal::Text);
    p.drawRoundedRect(QRectF(w - 3.6, h * 0.3, 3, h * 0.4), 1, 1);
    return true;
}

bool paintCharge(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath bolt;
    bolt.moveTo(0, h * 0.55);
    bolt.lineTo(w * 0.55, 0);
    bolt.lineTo(w * 0.5, h * 0.45);
    bolt.lineTo(w, h * 0.45);
    bolt.lineTo(w * 0.45, h);
    bolt.lineTo(w * 0.5, h * 0.55);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Pal::Warn);
    p.drawPath(bolt);
    return true;
}

bool paintLogo(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(2, 2, -2, -2);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, Pal::RaisedHi);
    fill.setColorAt(1, Pal::Base);
    p.setPen(QPen(Pal::AccentDark, r.width() / 32));
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() * 0.22, r.width() * 0.22);
    // The talon chevron: the mark of the product, also on the mouse's palm.
    const QPointF c = r.center();
    const qreal s = r.width() * 0.3;
    QPainterPath mark;
    mark.moveTo(c.x() - s, c.y() - s * 0.7);
    mark.lineTo(c.x(), c.y() + s * 0.8);
    mark.lineTo(c.x() + s, c.y() - s * 0.7);
    p.setPen(QPen(Pal::Accent, r.width() * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
    p.setPen(QPen(Pal::Text, r.width() * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - s * 0.45, c.y() - s * 0.7), QPointF(c.x(), c.y() + s * 0.05));
    p.drawLine(QPointF(c.x() + s * 0.45, c.y() - s * 0.7), QPointF(c.x(), c.y() + s * 0.05));
    return true;
}

bool paintColorBoard(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    QLinearGradient hue(r.topLeft(), r.topRight());
    for (int i = 0; i <= 6; ++i)
        hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setClipPath(shape);
    p.fillRect(r, hue);
    QLinearGradient shade(r.topLeft(), r.bottomLeft());
    shade.setColorAt(0, withAlpha(Qt::white, 170));
    shade.setColorAt(0.45, withAlpha(Qt::white, 0));
    shade.setColorAt(0.55, withAlpha(Qt::black, 0));
    shade.setColorAt(1, withAlpha(Qt::black, 190));
    p.fillRect(r, shade);
    p.setClipping(false);
    p.setPen(QPen(Pal::Line, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return true;
}

bool paintPreview(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    // Shown until a colour is chosen: an empty tile with a "no colour" stroke.
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(2, 2, -2, -2);
    drawPanel(p, r, 6, Pal::Panel, Pal::Base, Pal::Line);
    p.setPen(iconPen(withAlpha(Pal::Danger, 200), 2));
    p.drawLine(QPointF(r.left() + 10, r.bottom() - 10), QPointF(r.right() - 10, r.top() + 10));
    return true;
}

bool paintReceiver(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    const qreal w = size.width();
    const qreal h = size.height();
    // A USB receiver seen from above: plug on the left, body with three LEDs.
    const QRectF plug(6, h * 0.36, w * 0.2, h * 0.28);
    drawPanel(p, plug, 2, QColor(170, 176, 186), QColor(110, 116, 126), Pal::Line);
    p.setPen(Qt::NoPen);
    p.setBrush(Pal::Base);
    p.drawRect(QRectF(plug.left() + 5, plug.top() + 6, 6, 5));
    p.drawRect(QRectF(plug.left() + 5, plug.bottom() - 11, 6, 5));
    const QRectF body(plug.right() - 2, h * 0.18, w - plug.right() - 4, h * 0.64);
    drawGlow(p, body.adjusted(-20, -20, 20, 20), withAlpha(Pal::Accent, 40));
    drawPanel(p, body, 14, Pal::RaisedHi, Pal::Base, Pal::Line);
    const QColor leds[3] = {Pal::Ok, Pal::Warn, Pal::Accent};
    QFont font("DejaVu Sans");
    font.setPixelSize(10);
    p.setFont(font);
    for (int i = 0; i < 3; ++i) {
        const QPointF c(body.left() + body.width() * (0.28 + 0.22 * i), body.center().y() - 6);
        drawGlow(p, QRectF(c.x() - 10, c.y() - 10, 20, 20), withAlpha(leds[i], 150));
        p.setPen(Qt::NoPen);
        p.setBrush(leds[i]);
        p.drawEllipse(c, 4, 4);
        p.setPen(Pal::Muted);
        p.drawText(QRectF(c.x() - 10, c.y() + 9, 20, 14), Qt::AlignCenter, QString::number(i + 1));
    }
    return true;
}

bool paintColorBar(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (args.isEmpty()) {
        *error = "expected arguments: <r,g,b> ...";
        return false;
    }
    QVector<QColor> colors;
    for (const QString &arg : args) {
        QColor c;
        if (!parseRgb(arg, &c)) {
            *error = QString("bad colour \"%1\"").arg(arg);
            return false;
        }
        colors.append(c);
    }
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(2, 1, -2, -1);
    QPainterPath shape;
    shape.addRoundedRect(r, r.width() / 2, r.width() / 2);
    p.setClipPath(shape);
    const qreal step = r.height() / colors.size();
    for (int i = 0; i < colors.size(); ++i)
        p.fillRect(QRectF(r.left(), r.top() + i * step, r.width(), step + 0.5), colors.at(i));
    p.setClipping(false);
    return true;
}

bool paintAnglePad(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    // A protractor behind the turning mouse, centred where the mouse pivots.
    const QRectF r(0, 0, size.width(), size.height());
    const QPointF c(r.width() / 2, r.height() * 0.49);
    const qreal radius = r.height() * 0.46;
    drawGlow(p, QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius),
             withAlpha(Pal::Accent, 40));
    p.setPen(QPen(Pal::Line, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
    p.setPen(QPen(withAlpha(Pal::Accent, 160), 2));
    p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 60 * 16, 60 * 16);
    for (int deg = -30; deg <= 30; deg += 10) {
        const qreal a = qDegreesToRadians(90.0 - deg);
        const qreal inner = radius - (deg % 30 == 0 ? 9 : 5);
        p.setPen(QPen(deg == 0 ? Pal::Accent : Pal::Muted, deg == 0 ? 2 : 1.2));
        p.drawLine(QPointF(c.x() + inner * qCos(a), c.y() - inner * qSin(a)),
                   QPointF(c.x() + radius * qCos(a), c.y() - radius * qSin(a)));
    }
    p.setPen(QPen(withAlpha(Pal::Muted, 120), 1, Qt::DashLine));
    p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
    return true;
}

bool paintEvent(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<down|up|time>", error))
        return false;
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -1);
    const QString v = args.at(0);
    if (v == "time") {
        p.setPen(iconPen(Pal::Warn, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(r);
        p.drawLine(r.center(), QPointF(r.center().x(), r.top() + 3.5));
        p.drawLine(r.center(), QPointF(r.right() - 4, r.center().y()));
        return true;
    }
    if (v != "down" && v != "up") {
        *error = QString("unknown event \"%1\"").arg(v);
        return false;
    }
    const bool down = v == "down";
    const QColor c = down ? Pal::Accent : Pal::Muted;
    const qreal cx = r.center().x();
    p.setPen(iconPen(c, 1.8));
    p.drawLine(QPointF(cx, r.top() + 1), QPointF(cx, r.bottom() - 4));
    if (down) {
        p.drawLine(QPointF(cx, r.bottom() - 4), QPointF(cx - 4, r.bottom() - 8));
        p.drawLine(QPointF(cx, r.bottom() - 4), QPointF(cx + 4, r.bottom() - 8));
    } else {
        p.drawLine(QPointF(cx, r.top() + 1), QPointF(cx - 4, r.top() + 5));
        p.drawLine(QPointF(cx, r.top() + 1), QPointF(cx + 4, r.top() + 5));
    }
    p.drawLine(QPointF(r.left() + 2, r.bottom()), QPointF(r.right() - 2, r.bottom()));
    return true;
}
