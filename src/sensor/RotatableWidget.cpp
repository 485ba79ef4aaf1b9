#include "sensor/RotatableWidget.h"

#include <QPainter>
#include <QPixmap>

#include <cmath>

RotatableWidget::RotatableWidget(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

RotatableWidget::~RotatableWidget() = default;

void RotatableWidget::setPixmapPath(const QString &path)
{
    m_pixmapPath = path;
    update();
}

void RotatableWidget::setAngle(int degrees)
{
    int a = degrees % 360;
    if (a < 0)
        a += 360;
    m_angle = a;
    updateGeometry();
    repaint();
}

QSize RotatableWidget::sizeHint() const
{
    const QSize base = QWidget::sizeHint();
    if (!base.isValid())
        return base;
    const int w = base.width();
    const int h = base.height();
    if (m_angle % 180 == 0)
        return base;
    if (m_angle % 90 == 0)
        return QSize(h, w);
    const double t = m_angle * 0.017453292519943295;
    const double c = std::fabs(std::cos(t));
    const double s = std::fabs(std::sin(t));
    return QSize(int(std::floor(w * c + h * s + 0.5)), int(std::floor(w * s + h * c + 0.5)));
}

QSize RotatableWidget::minimumSizeHint() const
{
    return sizeHint();
}

void RotatableWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const int cx = width() / 2;
    const int cy = height() / 2;
    painter.translate(cx, cy);
    painter.rotate(m_angle);
    painter.translate(-cx, -cy);
    if (!m_pixmapPath.isEmpty()) {
        QPixmap pixmap(m_pixmapPath);
        if (!pixmap.isNull())
            painter.drawPixmap(
                QRect(0, 0, width(), height()),
                pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    const QList<QWidget *> descendants = findChildren<QWidget *>();
    for (QWidget *child : descendants) {
        if (!child->isVisible())
            continue;
        painter.save();
        painter.translate(child->pos());
        child->render(&painter, QPoint(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
        painter.restore();
    }
}
