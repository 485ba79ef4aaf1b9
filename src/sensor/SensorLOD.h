#pragma once

#include "device/DeviceField.h"

#include <QFrame>
#include <QString>

namespace Ui {
class SensorLOD;
}

// The lift-off distance chooser: "1mm" and "2mm", and "0.7mm" first for the
// sensors that offer it. A choice writes LodCode (1, 2, 3); a refused or
// unsent choice shows the entry of the distance the mouse holds again.
class SensorLOD : public QFrame
{
    Q_OBJECT

public:
    explicit SensorLOD(QWidget *parent = nullptr);
    ~SensorLOD() override;

    void Add07mmItem();
    void Remove07mmItem();
    void SetLodEnabled(bool enabled);
    // value = LodCode - 1 (0: 1 mm, 1: 2 mm, 2: 0.7 mm).
    void ShowLod(int value);
    void SetTitleText(const QString &text);
    void SetTipText(const QString &text);
    void SetTipPosition(int language);

    int CurrentLodValue() const { return LodField.Held(); }

    Ui::SensorLOD *ui = nullptr;

private slots:
    void on_LOD_currentIndexChanged(int index);

private:
    bool ThreeItems() const;
    int ItemOfValue(int value) const;
    void ShowItemOf(int value);
    void Announce(int value);

    QString PicturePath;
    DeviceField LodField;
};
