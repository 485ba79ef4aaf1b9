#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

// The one dark theme of every picture: graphite surfaces, light grey text and
// a single teal accent (the same accent as Config.ini's selection colours).
namespace Pal {
const QColor Base(17, 19, 24);
const QColor Panel(27, 30, 37);
const QColor Raised(38, 42, 51);
const QColor RaisedHi(50, 55, 66);
const QColor Line(62, 68, 80);
const QColor Text(220, 224, 230);
const QColor Muted(132, 140, 153);
const QColor Accent(38, 198, 218);
const QColor AccentDark(22, 128, 142);
const QColor AccentLight(128, 228, 240);
const QColor Danger(232, 78, 70);
const QColor Ok(70, 196, 120);
const QColor Warn(245, 176, 32);
} // namespace Pal

enum class PicState
{
    Normal,
    Hover,
    Pressed,
    Checked
};

// Parses "normal", "hover", "pressed" or "checked".
bool parseState(const QString &text, PicState *state);
// Parses "r,g,b" with each part 0..255.
bool parseRgb(const QString &text, QColor *color);

QColor withAlpha(QColor color, int alpha);
QColor mix(const QColor &a, const QColor &b, qreal t);

// A rounded panel with a vertical gradient and a one-pixel border.
void drawPanel(QPainter &p, const QRectF &rect, qreal radius, const QColor &top,
               const QColor &bottom, const QColor &border);
// A soft radial glow centred in rect.
void drawGlow(QPainter &p, const QRectF &rect, const QColor &color);
// Pen for line icons, round caps and joins.
QPen iconPen(const QColor &color, qreal width);
// True when args holds exactly count items; otherwise sets *error to the usage.
bool checkArgs(const QStringList &args, int count, const QString &usage, QString *error);

// Every painter draws one picture of the given size onto a transparent
// image. It returns false and sets *error when the table line's arguments do
// not fit the kind.
using Painter = bool (*)(QPainter &p, const QSize &size, const QStringList &args, QString *error);

bool paintBackground(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintGlyph(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintButton(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintNumber(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintCheckBox(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintCombo(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintArrow(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintHandle(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintSwitch(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintTitle(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintMarker(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintLevel(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintSwatchFrame(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintSwatch(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintBadge(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintDot(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintPicSlot(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintBattery(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintCharge(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintLogo(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintColorBoard(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintPreview(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintReceiver(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintColorBar(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintAnglePad(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintEvent(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintMouse(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintCard(QPainter &p, const QSize &size, const QStringList &args, QString *error);
bool paintComponent(QPainter &p, const QSize &size, const QStringList &args, QString *error);

// The painter of a table kind, or nullptr for an unknown kind.
Painter painterForKind(const QString &kind);
