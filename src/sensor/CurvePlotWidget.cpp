#include "sensor/CurvePlotWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

QString CurveAxisTitleX;
QString CurveAxisTitleY;

namespace {

double Distance(const QPointF &a, const QPointF &b)
{
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

CurvePlotWidget::CurvePlotWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_MouseTracking);
    generateDemoPoints();
}

CurvePlotWidget::~CurvePlotWidget() = default;

void CurvePlotWidget::setEditable(bool on)
{
    m_editable = on ? 1 : 0;
}

void CurvePlotWidget::setPoints(const QList<QPointF> &points)
{
    m_points = points;
    m_selectedIndex = -1;
    m_hoverIndex = -1;
    update();
}

void CurvePlotWidget::generateDemoPoints()
{
    m_points.clear();
    for (int i = 0; i < 8; ++i) {
        const double x = i * (m_xMax - m_xMin) / 7 + m_xMin;
        const double y = double(QRandomGenerator::global()->bounded(50) + 10);
        m_points.append(QPointF(x, y));
    }
}

// A plot no larger than its margins has no area to map into.
bool CurvePlotWidget::plotHasArea() const
{
    return width() - 2 * m_margin > 0 && height() - 2 * m_margin > 0;
}

QPointF CurvePlotWidget::dataToScreen(const QPointF &p) const
{
    const int w = width() - 2 * m_margin;
    const int h = height() - 2 * m_margin;
    const double sx = (p.x() - m_xMin) * w / (m_xMax - m_xMin) + m_margin;
    const double sy = (height() - m_margin) - (p.y() - m_yMin) * h / (m_yMax - m_yMin);
    return QPointF(sx, sy);
}

QPointF CurvePlotWidget::screenToData(const QPointF &p) const
{
    const int w = qMax(1, width() - 2 * m_margin);
    const int h = qMax(1, height() - 2 * m_margin);
    const double x = (m_xMax - m_xMin) * (p.x() - m_margin) / w + m_xMin;
    const double y = m_yMax - (m_yMax - m_yMin) * (p.y() - m_margin) / h;
    return QPointF(x, y);
}

QPainterPath CurvePlotWidget::buildSmoothPath(const QList<QPointF> &points) const
{
    QPainterPath path;
    const int n = points.size();
    if (n < 2)
        return path;
    QList<QPointF> s;
    for (const QPointF &p : points)
        s.append(dataToScreen(p));
    path.moveTo(s[0]);
    for (int i = 0; i + 1 < n; ++i) {
        const QPointF p0 = s[i];
        const QPointF p1 = s[i + 1];
        const QPointF prev = i == 0 ? s[i] : s[i - 1];
        const QPointF next = i == n - 2 ? s[i + 1] : s[i + 2];
        const QPointF c1 = p0 + (p1 - prev) / 6;
        const QPointF c2 = p1 - (next - p0) / 6;
        path.cubicTo(c1, c2, p1);
    }
    return path;
}

void CurvePlotWidget::paintEvent(QPaintEvent *)
{
    if (!plotHasArea())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGrid(painter);
    drawAxes(painter);
    drawCurve(painter);
    drawPoints(painter);
    drawPointLabels(painter);
}

void CurvePlotWidget::resizeEvent(QResizeEvent *)
{
    update();
}

void CurvePlotWidget::drawGrid(QPainter &painter)
{
    QColor colour(255, 255, 255);
    colour.setAlpha(100);
    painter.setPen(QPen(colour, 1, Qt::DashLine));
    for (double v : m_xTicks)
        painter.drawLine(dataToScreen(QPointF(v, m_yMax)), dataToScreen(QPointF(v, m_yMin)));
    for (double v : m_yTicks)
        painter.drawLine(dataToScreen(QPointF(m_xMin, v)), dataToScreen(QPointF(m_xMax, v)));
}

void CurvePlotWidget::drawAxes(QPainter &painter)
{
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine));
    const QPointF o = dataToScreen(QPointF(m_xMin, m_yMin));
    const QPointF x = dataToScreen(QPointF(m_xMax, m_yMin));
    const QPointF y = dataToScreen(QPointF(m_xMin, m_yMax));
    painter.drawLine(o, x);
    painter.drawLine(o, y);
    painter.setPen(QPen(Qt::white, 1));
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);
    for (double v : m_xTicks) {
        const QPointF p = dataToScreen(QPointF(v, m_yMin));
        painter.drawLine(p, p + QPointF(0, 5));
        painter.drawText(int(p.x() - 15), int(p.y() + 20), QString::number(int(v)));
    }
    for (double v : m_yTicks) {
        const QPointF p = dataToScreen(QPointF(m_xMin, v));
        painter.drawLine(p, p + QPointF(-5, 0));
        painter.drawText(int(p.x() - 30), int(p.y() + 5), QString::number(int(v)));
    }
    painter.drawText(int(x.x() * 0.5), int(x.y() + 40), CurveAxisTitleX);
    painter.save();
    painter.translate(int(y.x()), int(y.y() * 0.5));
    painter.rotate(270);
    painter.drawText(int(y.x() - 240), int(y.y() * 0.5 - 80), CurveAxisTitleY);
    painter.restore();
}

void CurvePlotWidget::drawCurve(QPainter &painter)
{
    if (m_points.size() < 2)
        return;
    const QPainterPath path = buildSmoothPath(m_points);
    QPainterPath area = path;
    area.lineTo(dataToScreen(m_points.last()));
    area.lineTo(dataToScreen(QPointF(m_points.last().x(), m_yMin)));
    area.lineTo(dataToScreen(QPointF(m_points.first().x(), m_yMin)));
    area.closeSubpath();
    QColor tint(255, 192, 203);
    tint.setAlpha(100);
    painter.fillPath(area, tint);
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void CurvePlotWidget::drawPoints(QPainter &painter)
{
    for (int i = 0; i < m_points.size(); ++i) {
        const QPoint centre = dataToScreen(m_points.at(i)).toPoint();
        painter.setBrush(Qt::yellow);
        painter.setPen(i == m_selectedIndex ? QPen(Qt::red, 2) : QPen(Qt::black, 1));
        painter.drawEllipse(centre, 8, 8);
    }
}

void CurvePlotWidget::drawPointLabels(QPainter &painter)
{
    const auto box = [&](int index, bool selected) {
        if (index < 0 || index >= m_points.size())
            return;
        const QPointF d = m_points.at(index);
        const QString text =
            selected ? QString("X: %1, Y: %2").arg(d.x(), 0, 'f', 1).arg(d.y(), 0, 'f', 1)
                     : QString("X: %1\nY: %2").arg(d.x(), 0, 'f', 1).arg(d.y(), 0, 'f', 1);
        const QPointF s = dataToScreen(d);
        QRect rect(int(s.x() - 60), int(s.y() - 80), 120, 50);
        rect.adjust(-20, -20, 20, 20);
        painter.setPen(Qt::white);
        QColor fill(0, 0, 0);
        fill.setAlpha(180);
        painter.setBrush(fill);
        QFont font = painter.font();
        font.setPointSize(10);
        painter.setFont(font);
        painter.drawRoundedRect(rect, 3, 3);
        painter.drawText(rect,
                         selected ? int(Qt::AlignCenter)
                                  : int(Qt::AlignLeft | Qt::AlignHCenter | Qt::AlignVCenter),
                         text);
    };
    if (m_selectedIndex != -1)
        box(m_selectedIndex, true);
    if (m_hoverIndex != -1)
        box(m_hoverIndex, false);
}

void CurvePlotWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_editable != 0 && event->button() == Qt::LeftButton) {
        const QPointF d = screenToData(event->pos());
        for (int i = 0; i < m_points.size(); ++i) {
            if (Distance(d, m_points.at(i)) < 50) {
                m_selectedIndex = i;
                setCursor(Qt::ClosedHandCursor);
                update();
                return;
            }
        }
    }
    m_selectedIndex = -1;
    setCursor(Qt::ArrowCursor);
    QWidget::mousePressEvent(event);
}

void CurvePlotWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF d = screenToData(event->pos());
    if (m_editable != 0 && m_selectedIndex != -1) {
        m_points[m_selectedIndex] =
            QPointF(qBound(m_xMin, d.x(), m_xMax), qBound(m_yMin, d.y(), m_yMax));
        update();
        return;
    }
    for (int i = 0; i < m_points.size(); ++i) {
        if (Distance(d, m_points.at(i)) < 60) {
            m_hoverIndex = i;
            update();
            return;
        }
        m_hoverIndex = -1;
        update();
    }
    m_hoverIndex = -1;
    setCursor(Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void CurvePlotWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_selectedIndex != -1) {
        m_selectedIndex = -1;
        setCursor(Qt::ArrowCursor);
        update();
    }
    QWidget::mouseReleaseEvent(event);
}
