#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QWidget>

class QPainter;

// Axis titles every curve plot draws (set by the advanced page's language slot).
extern QString CurveAxisTitleX;
extern QString CurveAxisTitleY;

// A smoothed curve through points over the range 0..7000 x 0..70, with grid,
// axes, tinted area and info boxes; with editing on, points can be dragged.
// Shows only: nothing reads its points.
class CurvePlotWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CurvePlotWidget(QWidget *parent = nullptr);
    ~CurvePlotWidget() override;

    void setEditable(bool on);
    bool editable() const { return m_editable != 0; }
    const QList<QPointF> &points() const { return m_points; }
    void setPoints(const QList<QPointF> &points);
    int selectedIndex() const { return m_selectedIndex; }
    int hoverIndex() const { return m_hoverIndex; }

    QPointF dataToScreen(const QPointF &p) const;
    QPointF screenToData(const QPointF &p) const;
    QPainterPath buildSmoothPath(const QList<QPointF> &points) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void generateDemoPoints();
    void drawGrid(QPainter &painter);
    void drawAxes(QPainter &painter);
    void drawCurve(QPainter &painter);
    void drawPoints(QPainter &painter);
    void drawPointLabels(QPainter &painter);
    bool plotHasArea() const;

    int m_editable = 0;
    QList<QPointF> m_points;
    int m_selectedIndex = -1;
    double m_xMin = 0;
    double m_xMax = 7000;
    double m_yMin = 0;
    double m_yMax = 70;
    QList<double> m_xTicks{0, 500, 1000, 2000, 3000, 4000, 5000, 6000, 7000};
    QList<double> m_yTicks{0, 5, 10, 20, 30, 40, 50, 60, 70};
    int m_margin = 80;
    int m_hoverIndex = -1;
};
