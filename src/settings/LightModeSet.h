#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class LightModeSet;
}

// A pure editing surface with the controls of the mouse light editor: mode,
// brightness, speed, a custom colour with presets and a screen colour pick.
// It reads no device data and writes nothing; its controls act only on each
// other. The settings page keeps one hidden.
class LightModeSet : public QDialog
{
    Q_OBJECT

public:
    explicit LightModeSet(QWidget *parent = nullptr);
    ~LightModeSet() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int);
    void on_GSpinBox_valueChanged(int);
    void on_BSpinBox_valueChanged(int);
    void on_toolButtonColorA_clicked();
    void on_toolButtonColorB_clicked();
    void on_toolButtonColorC_clicked();
    void on_toolButtonColorD_clicked();
    void on_toolButtonColorE_clicked();
    void on_toolButtonColorF_clicked();
    void on_toolButtonColorG_clicked();
    void on_toolButtonColorH_clicked();
    void on_toolButtonColorI_clicked();
    void on_toolButtonColorJ_clicked();
    void on_toolButtonColorK_clicked();
    void on_toolButtonColorL_clicked();
    void on_toolButtonColorM_clicked();
    void on_toolButtonColorN_clicked();
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();
    void on_LightMod_currentIndexChanged(int index);

private:
    void SetColor(int r, int g, int b);
    void Preset(int index);
    void RepaintPreview();

    std::unique_ptr<Ui::LightModeSet> ui;
    QString PictureFolder;
};
