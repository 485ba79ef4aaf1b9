#include "PicStyle.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

bool parseState(const QString &text, PicState *state)
{
    static const QHash<QString, PicState> states = {{"normal", PicState::Normal},
                                                    {"hover", PicState::Hover},
                                                    {"pressed", PicState::Pressed},
                                                    {"checked", PicState::Checked}};
    const auto it = states.constFind(text);
    if (it == states.constEnd())
        return false;
    *state = it.value();
    return true;
}

bool parseRgb(const QString &text, QColor *color)
{
    const QStringList parts = text.split(',');
    if (parts.size() != 3)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = parts.at(i).toInt(&ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return false;
    }
    *color = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void drawPanel(QPainter &p, const QRectF &rect, qreal radius, const QColor &top,
               const QColor &bottom, const QColor &border)
{
    QLinearGradient fill(rect.topLeft(), rect.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(border.alpha() ? QPen(border, 1) : Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(inner, radius, radius);
}

void drawGlow(QPainter &p, const QRectF &rect, const QColor &color)
{
    // Drawn in a unit circle stretched to rect, so the glow fades to nothing
    // at the whole edge of a wide or tall rect too.
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QRadialGradient glow(QPointF(0, 0), 1);
    glow.setColorAt(0, color);
    glow.setColorAt(1, withAlpha(color, 0));
    p.save();
    p.translate(rect.center());
    p.scale(rect.width() / 2, rect.height() / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, 0), 1, 1);
    p.restore();
}

QPen iconPen(const QColor &color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

bool checkArgs(const QStringList &args, int count, const QString &usage, QString *error)
{
    if (args.size() == count)
        return true;
    *error = QString("expected arguments: %1").arg(usage);
    return false;
}

Painter painterForKind(const QString &kind)
{
    static const QHash<QString, Painter> painters = {{"background", paintBackground},
                                                     {"glyph", paintGlyph},
                                                     {"button", paintButton},
                                                     {"number", paintNumber},
                                                     {"checkbox", paintCheckBox},
                                                     {"combo", paintCombo},
                                                     {"arrow", paintArrow},
                                                     {"handle", paintHandle},
                                                     {"switch", paintSwitch},
                                                     {"title", paintTitle},
                                                     {"marker", paintMarker},
                                                     {"level", paintLevel},
                                                     {"swatchframe", paintSwatchFrame},
                                                     {"swatch", paintSwatch},
                                                     {"badge", paintBadge},
                                                     {"dot", paintDot},
                                                     {"picslot", paintPicSlot},
                                                     {"battery", paintBattery},
                                                     {"charge", paintCharge},
                                                     {"logo", paintLogo},
                                                     {"colorboard", paintColorBoard},
                                                     {"preview", paintPreview},
                                                     {"receiver", paintReceiver},
                                                     {"colorbar", paintColorBar},
                                                     {"anglepad", paintAnglePad},
                                                     {"event", paintEvent},
                                                     {"mouse", paintMouse},
                                                     {"card", paintCard},
                                                     {"component", paintComponent}};
    return painters.value(kind, nullptr);
}
