#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class Ui_SensorEffectB;

// A second, smaller look of the DPI light effect editor: the effect is picked
// with three check boxes (steady, breathing, off). It writes the same DPI
// light fields through the same setters, but never puts a control back after
// a refused write: the setter's offline notice is the only report.
class SensorEffectB : public QFrame
{
    Q_OBJECT

public:
    explicit SensorEffectB(QWidget *parent = nullptr);
    ~SensorEffectB() override;

    // Operations for a host; none writes to the device.
    void ShowEffectMode(int mode);
    void EnableSliders(bool enabled);
    void SetModeItemText(int index, const QString &text);
    void SetTitleText(const QString &text);
    void SetSpeedLabelText(const QString &text);
    void SetBrightnessLabelText(const QString &text);
    // These move the slider with its signals active, so its value slot runs.
    void SetSpeedValue(int value);
    void SetBrightnessValue(int value);

    QString PictureFolder;
    QButtonGroup *ModeGroup = nullptr;
    Ui_SensorEffectB *ui = nullptr;

private slots:
    // No widget of that name exists, so nothing connects it; kept for a host.
    void on_Model_currentIndexChanged(int index);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);
    void on_MM3_clicked(bool checked);
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);

private:
    // Visibility of the speed and brightness rows for effect mode 0, 1, 2.
    void ApplyModeVisibility(int mode);
    void WriteMode(int mode);
    static bool MayWrite();
};
