#include "unbuilt/PieChartWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace {

const double MinimumRadius = 20.0;
// How close to the rim a press must be to grab it.
const double RimTolerance = 5.0;

} // namespace

PieChartWidget::PieChartWidget(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(300, 300);
}

PieChartWidget::~PieChartWidget() = default;

double PieChartWidget::DistanceToCenter(const QPointF &point) const
{
    return QLineF(point, Center).length();
}

void PieChartWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Center = QPointF(rect().center());
    Radius = qMax(qMin(width(), height()) * 0.25, MinimumRadius);
}

void PieChartWidget::mousePressEvent(QMouseEvent *event)
{
    if (qAbs(DistanceToCenter(event->localPos()) - Radius) < RimTolerance) {
        Dragging = true;
        setCursor(Qt::SizeAllCursor);
    }
}

void PieChartWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!Dragging)
        return;
    const double limit = qMin(width(), height()) / 2 - 5;
    double r = qMin(DistanceToCenter(event->localPos()), limit);
    if (r <= MinimumRadius)
        r = MinimumRadius;
    if (!qFuzzyCompare(r, Radius)) {
        Radius = r;
        update();
    }
}

void PieChartWidget::mouseReleaseEvent(QMouseEvent *)
{
    Dragging = false;
    setCursor(Qt::ArrowCursor);
}

void PieChartWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF circle(Center.x() - Radius, Center.y() - Radius, 2 * Radius, 2 * Radius);
    QRadialGradient gradient(Center, Radius);
    gradient.setColorAt(0, QColor(50, 150, 255));
    gradient.setColorAt(1, QColor(0, 80, 200));
    painter.setBrush(gradient);
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    // Qt's pie angles are in sixteenths of a degree.
    painter.drawPie(circle, StartAngle * 16, SpanAngle * 16);

    painter.setBrush(Qt::red);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(Center, 5, 5);

    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
    for (const int degrees : {StartAngle, StartAngle + SpanAngle}) {
        const double a = qDegreesToRadians(double(degrees));
        painter.drawLine(Center, Center + QPointF(Radius * qCos(a), Radius * qSin(a)));
    }
}
