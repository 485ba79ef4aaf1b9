#pragma once

#include <QPointF>
#include <QWidget>

// A pie slice of fixed angles filled with a radial gradient, with a red dot
// at its centre and its two radii dashed. Dragging the rim changes the
// radius; every resize puts it back to a quarter of the smaller side.
class PieChartWidget : public QWidget
{
    Q_OBJECT

public:
    explicit PieChartWidget(QWidget *parent = nullptr);
    ~PieChartWidget() override;

    QPointF Center;
    double Radius = 20.0;
    int StartAngle = 0;
    int SpanAngle = 120;
    bool Dragging = false;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    double DistanceToCenter(const QPointF &point) const;
};
