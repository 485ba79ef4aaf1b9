// Buttons, check boxes, combo boxes, sliders and the other small controls.
#include "PicStyle.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace {

bool stateArg(const QString &text, PicState *state, QString *error)
{
    if (parseState(text, state))
        return true;
    *error = QString("unknown state \"%1\"").arg(text);
    return false;
}

void drawCheckMark(QPainter &p, const QRectF &r, const QColor &color, qreal width)
{
    QPainterPath mark;
    mark.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
    mark.lineTo(r.left() + r.width() * 0.43, r.top() + r.height() * 0.72);
    mark.lineTo(r.left() + r.width() * 0.78, r.top() + r.height() * 0.30);
    p.setPen(iconPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
}

void drawCross(QPainter &p, const QRectF &r, const QColor &color, qreal width)
{
    p.setPen(iconPen(color, width));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

} // namespace

bool paintButton(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    // "plain" leaves out the mark of done and fail: a button whose caption
    // spans its width would have the mark drawn under its text.
    const QString usage =
        "<solid|accent|done|fail|row|menu|submenu|entry|rate|record|stop> <state> [plain]";
    const bool plain = args.size() == 3 && args.at(2) == "plain";
    PicState state;
    if (!checkArgs(plain ? QStringList(args.mid(0, 2)) : args, 2, usage, error) ||
        !stateArg(args.at(1), &state, error))
        return false;
    const QString style = args.at(0);
    const QRectF r(0, 0, size.width(), size.height());
    const bool hot = state == PicState::Hover;
    const bool down = state == PicState::Pressed || state == PicState::Checked;
    const qreal radius = qMin(6.0, r.height() / 2 - 1);

    if (style == "solid" || style == "record" || style == "stop") {
        QColor top = hot ? Pal::RaisedHi : Pal::Raised;
        QColor bottom = hot ? Pal::Raised : Pal::Panel;
        QColor border = hot ? Pal::Accent : Pal::Line;
        if (down) {
            top = Pal::AccentDark;
            bottom = Pal::AccentDark.darker(125);
            border = Pal::Accent;
        }
        drawPanel(p, r, radius, top, bottom, border);
        p.setPen(withAlpha(Qt::white, 18));
        p.drawLine(QPointF(radius, 1.5), QPointF(r.width() - radius, 1.5));
        const qreal s = r.height() * 0.36;
        const QRectF mark(r.height() * 0.5, (r.height() - s) / 2, s, s);
        p.setPen(Qt::NoPen);
        if (style == "record") {
            drawGlow(p, mark.adjusted(-s / 2, -s / 2, s / 2, s / 2),
                     withAlpha(Pal::Danger, hot ? 120 : 60));
            p.setBrush(Pal::Danger);
            p.drawEllipse(mark);
        } else if (style == "stop") {
            p.setBrush(hot ? Pal::Text : Pal::Muted);
            p.drawRoundedRect(mark, 2, 2);
        }
        return true;
    }
    if (style == "accent" || style == "done" || style == "fail") {
        QColor base = style == "accent" ? Pal::AccentDark
                      : style == "done" ? Pal::Ok.darker(160)
                                        : Pal::Danger.darker(160);
        if (hot)
            base = base.lighter(125);
        drawPanel(p, r, radius, base.lighter(112), base.darker(115), base.lighter(150));
        const qreal s = r.height() * 0.42;
        const QRectF mark(r.height() * 0.45, (r.height() - s) / 2, s, s);
        if (plain)
            return true;
        if (style == "done")
            drawCheckMark(p, mark, Pal::Text, 2);
        else if (style == "fail")
            drawCross(p, mark.adjusted(2, 2, -2, -2), Pal::Text, 2);
        return true;
    }
    if (style == "row" || style == "menu" || style == "submenu" || style == "entry") {
        if (down) {
            QLinearGradient fill(r.topLeft(), r.topRight());
            fill.setColorAt(0, withAlpha(Pal::Accent, 150));
            fill.setColorAt(1, withAlpha(Pal::AccentDark, 90));
            p.setPen(QPen(withAlpha(Pal::Accent, 200), 1));
            p.setBrush(fill);
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
            p.setPen(Qt::NoPen);
            p.setBrush(Pal::AccentLight);
            p.drawRect(QRectF(0, 2, 3, r.height() - 4));
        } else {
            p.setPen(QPen(withAlpha(Pal::Line, 150), 1));
            p.setBrush(withAlpha(Pal::Raised, style == "row" ? 170 : 120));
            p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        }
        if (style == "submenu") {
            const qreal cx = r.width() - 10;
            const qreal cy = r.height() / 2;
            p.setPen(iconPen(down ? Pal::Text : Pal::Muted, 1.6));
            p.drawLine(QPointF(cx - 3, cy - 4), QPointF(cx + 1, cy));
            p.drawLine(QPointF(cx + 1, cy), QPointF(cx - 3, cy + 4));
        }
        return true;
    }
    if (style == "rate") {
        const qreal rr = r.height() / 2 - 1;
        if (down) {
            drawPanel(p, r, rr, Pal::AccentDark.lighter(115), Pal::AccentDark, Pal::Accent);
        } else {
            drawPanel(p, r, rr, Pal::Raised, Pal::Panel, Pal::Line);
        }
        return true;
    }
    *error = QString("unknown button style \"%1\"").arg(style);
    return false;
}

bool paintNumber(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<normal|hover|pressed|label>", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    // The number is drawn by the button itself in black, so the disc stays light.
    if (args.at(0) == "label") {
        drawPanel(p, r.adjusted(2, 2, -2, -2), 4, Pal::Text, Pal::Muted.lighter(130), Pal::Line);
        return true;
    }
    PicState state;
    if (!stateArg(args.at(0), &state, error))
        return false;
    QColor face = QColor(206, 212, 220);
    if (state == PicState::Hover)
        face = Pal::AccentLight;
    else if (state != PicState::Normal)
        face = Pal::Accent;
    const QRectF disc = r.adjusted(5, 5, -5, -5);
    drawGlow(p, r, withAlpha(Pal::Accent, state == PicState::Normal ? 60 : 140));
    QLinearGradient fill(disc.topLeft(), disc.bottomLeft());
    fill.setColorAt(0, face.lighter(108));
    fill.setColorAt(1, face.darker(112));
    p.setPen(QPen(state == PicState::Normal ? Pal::Accent : Qt::white, 1.5));
    p.setBrush(fill);
    p.drawEllipse(disc);
    return true;
}

bool paintCheckBox(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 2, "<box|round> <off|on>", error))
        return false;
    const bool on = args.at(1) == "on";
    if (!on && args.at(1) != "off") {
        *error = "check state must be off or on";
        return false;
    }
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -1);
    if (args.at(0) == "box") {
        if (on) {
            drawPanel(p, r, 3, Pal::Accent, Pal::AccentDark, Pal::AccentLight);
            drawCheckMark(p, r, Qt::white, qMax(1.5, r.width() / 8));
        } else {
            drawPanel(p, r, 3, Pal::Panel, Pal::Base, Pal::Muted);
        }
        return true;
    }
    if (args.at(0) == "round") {
        p.setPen(QPen(on ? Pal::Accent : Pal::Muted, 1.2));
        p.setBrush(Pal::Base);
        p.drawEllipse(r);
        if (on) {
            const qreal inset = r.width() * 0.27;
            p.setPen(Qt::NoPen);
            p.setBrush(Pal::Accent);
            p.drawEllipse(r.adjusted(inset, inset, -inset, -inset));
        }
        return true;
    }
    *error = QString("unknown check box style \"%1\"").arg(args.at(0));
    return false;
}

bool paintCombo(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<back|list>", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    // Both are stretched as border images, so corners stay small.
    if (args.at(0) == "back") {
        drawPanel(p, r, 4, Pal::Raised, Pal::Panel, Pal::Line);
        p.setPen(withAlpha(Pal::Accent, 90));
        p.drawLine(QPointF(4, r.height() - 1.5), QPointF(r.width() - 4, r.height() - 1.5));
        return true;
    }
    if (args.at(0) == "list") {
        p.setPen(QPen(Pal::Line, 1));
        p.setBrush(Pal::Panel);
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        return true;
    }
    *error = QString("unknown combo part \"%1\"").arg(args.at(0));
    return false;
}

bool paintArrow(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<down|up>", error))
        return false;
    const bool up = args.at(0) == "up";
    if (!up && args.at(0) != "down") {
        *error = "arrow must point down or up";
        return false;
    }
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal top = 1.5;
    const qreal bottom = h - 1.5;
    QPainterPath chevron;
    chevron.moveTo(1.5, up ? bottom : top);
    chevron.lineTo(w / 2, up ? top : bottom);
    chevron.lineTo(w - 1.5, up ? bottom : top);
    p.setPen(iconPen(up ? Pal::Accent : Pal::Text, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(chevron);
    return true;
}

bool paintHandle(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<bar|round>", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    if (args.at(0) == "bar") {
        drawPanel(p, r, 2, Qt::white, Pal::Text, Pal::AccentDark);
        p.setPen(Qt::NoPen);
        p.setBrush(Pal::Accent);
        p.drawRect(QRectF(r.width() / 2 - 0.75, 4, 1.5, r.height() - 8));
        return true;
    }
    if (args.at(0) == "round") {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(Pal::Accent);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
        return true;
    }
    *error = QString("unknown handle \"%1\"").arg(args.at(0));
    return false;
}

bool paintSwitch(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<off|on>", error))
        return false;
    const bool on = args.at(0) == "on";
    if (!on && args.at(0) != "off") {
        *error = "switch must be off or on";
        return false;
    }
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal rr = r.height() / 2;
    p.setPen(QPen(on ? Pal::AccentLight : Pal::Line, 1));
    p.setBrush(on ? Pal::AccentDark : Pal::Panel);
    p.drawRoundedRect(r, rr, rr);
    const qreal d = r.height() - 4;
    const QRectF knob(on ? r.right() - d - 2 : r.left() + 2, r.top() + 2, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? Qt::white : Pal::Muted);
    p.drawEllipse(knob);
    return true;
}

bool paintTitle(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 0, "(none)", error))
        return false;
    // Two slanted bars: the section mark in front of every title.
    const qreal w = size.width();
    const qreal h = size.height();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 2; ++i) {
        const qreal x = i * w * 0.42;
        QPainterPath bar;
        bar.moveTo(x + h * 0.45, 0);
        bar.lineTo(x + h * 0.45 + w * 0.3, 0);
        bar.lineTo(x + w * 0.3, h);
        bar.lineTo(x, h);
        bar.closeSubpath();
        p.setBrush(i == 0 ? Pal::Accent : withAlpha(Pal::Accent, 120));
        p.drawPath(bar);
    }
    return true;
}

bool paintMarker(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<normal|hover|value>", error))
        return false;
    const QRectF r(0, 0, size.width(), size.height());
    if (args.at(0) == "value") {
        drawGlow(p, r, withAlpha(Pal::Accent, 70));
        p.setPen(QPen(Pal::Accent, 2));
        p.setBrush(Pal::Panel);
        p.drawEllipse(r.adjusted(3, 3, -3, -3));
        return true;
    }
    const bool hot = args.at(0) == "hover";
    if (!hot && args.at(0) != "normal") {
        *error = QString("unknown marker \"%1\"").arg(args.at(0));
        return false;
    }
    // A pin pointing down at the current DPI level.
    const qreal w = r.width();
    const qreal h = r.height();
    QPainterPath pin;
    pin.moveTo(w / 2, h - 2);
    pin.lineTo(w * 0.2, h * 0.45);
    pin.arcTo(QRectF(w * 0.2, 3, w * 0.6, w * 0.6), 180, -180);
    pin.closeSubpath();
    if (hot)
        drawGlow(p, r, withAlpha(Pal::Accent, 110));
    p.setPen(QPen(hot ? Qt::white : Pal::AccentLight, 1.2));
    p.setBrush(hot ? Pal::AccentLight : Pal::Accent);
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(Pal::Base);
    p.drawEllipse(QPointF(w / 2, 3 + w * 0.3), w * 0.11, w * 0.11);
    return true;
}

bool paintLevel(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<normal|selected>", error))
        return false;
    const bool selected = args.at(0) == "selected";
    if (!selected && args.at(0) != "normal") {
        *error = "level must be normal or selected";
        return false;
    }
    QRectF r(0, 0, size.width(), size.height());
    if (selected) {
        drawGlow(p, r, withAlpha(Pal::Accent, 90));
        r.adjust(5, 5, -5, -5);
        drawPanel(p, r, 6, Pal::RaisedHi, Pal::Raised, Pal::Accent);
    } else {
        r.adjust(1, 1, -1, -1);
        drawPanel(p, r, 5, Pal::Raised, Pal::Panel, Pal::Line);
    }
    return true;
}

bool paintSwatchFrame(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<normal|selected>", error))
        return false;
    const bool selected = args.at(0) == "selected";
    if (!selected && args.at(0) != "normal") {
        *error = "swatch frame must be normal or selected";
        return false;
    }
    // Drawn over the level colour: only gloss and an edge, so the colour shows.
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient gloss(r.topLeft(), r.bottomLeft());
    gloss.setColorAt(0, withAlpha(Qt::white, 80));
    gloss.setColorAt(0.5, withAlpha(Qt::white, 10));
    gloss.setColorAt(1, withAlpha(Qt::black, 50));
    p.setPen(QPen(selected ? Qt::white : withAlpha(Qt::black, 120), selected ? 1.5 : 1));
    p.setBrush(gloss);
    p.drawRoundedRect(r, 3, 3);
    return true;
}

bool paintSwatch(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    QColor color;
    if (!checkArgs(args, 1, "<r,g,b>", error))
        return false;
    if (!parseRgb(args.at(0), &color)) {
        *error = QString("bad colour \"%1\"").arg(args.at(0));
        return false;
    }
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(2, 2, -2, -2);
    drawPanel(p, r, 4, color.lighter(110), color.darker(115), withAlpha(Qt::white, 90));
    return true;
}

bool paintBadge(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    if (!checkArgs(args, 1, "<1K|2K|4K|8K>", error))
        return false;
    QColor tone;
    const QString rate = args.at(0);
    if (rate == "1K")
        tone = Pal::Muted;
    else if (rate == "2K")
        tone = QColor(90, 140, 235);
    else if (rate == "4K")
        tone = Pal::Accent;
    else if (rate == "8K")
        tone = Pal::Warn;
    else {
        *error = QString("unknown rate \"%1\"").arg(rate);
        return false;
    }
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -1);
    drawPanel(p, r, r.height() / 2, Pal::Raised, Pal::Base, tone);
    QFont font("DejaVu Sans");
    font.setPixelSize(qRound(r.height() * 0.5));
    font.setBold(true);
    p.setFont(font);
    p.setPen(tone.lighter(120));
    p.drawText(r, Qt::AlignCenter, rate + "Hz");
    return true;
}

bool paintDot(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    QColor color;
    // "full": a disc filling the picture, for a badge that carries a digit.
    const bool full = args.size() == 2 && args.at(1) == "full";
    if (!full && !checkArgs(args, 1, "<r,g,b> [full]", error))
        return false;
    if (!parseRgb(args.at(0), &color)) {
        *error = QString("bad colour \"%1\"").arg(args.at(0));
        return false;
    }
    const QRectF r(0, 0, size.width(), size.height());
    if (!full)
        drawGlow(p, r, withAlpha(color, 120));
    const qreal inset = full ? 0.5 : r.width() * 0.2;
    p.setPen(QPen(color.lighter(140), 0.8));
    p.setBrush(color);
    p.drawEllipse(r.adjusted(inset, inset, -inset, -inset));
    return true;
}

bool paintPicSlot(QPainter &p, const QSize &size, const QStringList &args, QString *error)
{
    PicState state;
    if (!checkArgs(args, 1, "<normal|checked>", error) || !stateArg(args.at(0), &state, error))
        return false;
    const bool on = state != PicState::Normal;
    const QRectF r = QRectF(0, 0, size.width(), size.height()).adjusted(1, 1, -1, -1);
    QPen edge(on ? Pal::Accent : Pal::Muted, on ? 2 : 1.2, on ? Qt::SolidLine : Qt::DashLine);
    p.setPen(edge);
    p.setBrush(on ? withAlpha(Pal::AccentDark, 90) : withAlpha(Pal::Panel, 200));
    p.drawRoundedRect(r, 6, 6);
    // A small landscape: the slot takes a picture.
    const qreal s = qMin(r.width(), r.height()) * 0.45;
    const QRectF icon(r.center().x() - s / 2, r.center().y() - s / 2, s, s * 0.8);
    p.setPen(iconPen(on ? Pal::AccentLight : Pal::Muted, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(icon, 2, 2);
    QPainterPath hills;
    hills.moveTo(icon.left() + 2, icon.bottom() - 2);
    hills.lineTo(icon.left() + s * 0.35, icon.top() + s * 0.4);
    hills.lineTo(icon.left() + s * 0.55, icon.top() + s * 0.58);
    hills.lineTo(icon.left() + s * 0.72, icon.top() + s * 0.45);
    hills.lineTo(icon.right() - 2, icon.bottom() - 2);
    p.drawPath(hills);
    p.drawEllipse(QPointF(icon.left() + s * 0.7, icon.top() + s * 0.22), s * 0.07, s * 0.07);
    return true;
}
