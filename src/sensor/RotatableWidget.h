#pragma once

#include <QString>
#include <QWidget>

// A picture drawn scaled to the widget and turned about its centre by whole
// degrees; visible child widgets are drawn turned with it.
class RotatableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit RotatableWidget(QWidget *parent = nullptr);
    ~RotatableWidget() override;

    void setPixmapPath(const QString &path);
    // Stored as 0..359; repaints at once so the picture follows a drag.
    void setAngle(int degrees);
    int angle() const { return m_angle; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_angle = 0;
    QString m_pixmapPath;
};
