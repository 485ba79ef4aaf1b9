#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QColorDialog;
class QSpinBox;
class QToolButton;
class MySlider;
class Ui_SensorDPIB;

// A second look of the DPI level editor: eight rows (current-level check
// box, colour button, DPI slider, read-only value) and a level-count combo
// that hides the rows beyond the count. Changes go to the mouse at once
// through the field setters; nothing is put back when the mouse refuses a
// write (the setters show the offline notice). The host fills it through the
// Show/Set operations.
class SensorDPIB : public QFrame
{
    Q_OBJECT

public:
    explicit SensorDPIB(QWidget *parent = nullptr);
    ~SensorDPIB() override;

    static constexpr int RowCount = 8;

    // Host operations. A row outside 0..7 changes nothing. Signals stay
    // active unless named, so a changed slider, box or combo runs its slot.
    bool BlockLevelCountSignals(bool block);
    void ClearLevelCountItems();
    void InsertLevelCountItem(int index, const QString &text);
    void ShowLevelCountIndex(int index);
    void BlockSliderSignals(bool block);
    void EnableSliders(bool on);
    void SetSliderMinimum(int value);
    void SetSliderMaximum(int value);
    void ShowSliderValue(int value, int row);
    void ShowSpinValue(int value, int row);
    void ShowLevelValue(int row, const QString &value);
    void ShowLevelChecked(int row);
    // Makes a row the current level (its box checked with signals active),
    // after re-arming the first-change guard of the sliders.
    void SelectLevel(int row);
    void SetLevelColorText(int row, const QString &color);
    void ApplyLevelColor(int row);
    void ApplyAllLevelColors();
    void ShowPresetButtonColors();
    void SetCurrentLevelIndex(int row);
    void SetLevelCountValue(int count);
    // Rows 0..last shown, the others hidden; `last` outside 0..7 changes nothing.
    void ShowLevelRows(int last);
    void SetLabelText(const QString &text);

    QCheckBox *LevelBox(int row) const;
    QToolButton *ColorButton(int row) const;
    MySlider *LevelSlider(int row) const;
    QSpinBox *LevelSpin(int row) const;

    QColorDialog *ColorDialog = nullptr;
    QString PictureDir;
    QButtonGroup *LevelGroup = nullptr;
    int CurrentLevel = 1;
    int LevelCount = 1;
    QString LevelColors[RowCount];
    bool FirstValueChangeSeen = false;
    int PreviousCurrentLevel = 0;
    int ColorEditLevel = 0;
    Ui_SensorDPIB *ui = nullptr;

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderA_valueChanged(int value);
    void on_horizontalSliderB_valueChanged(int value);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderD_valueChanged(int value);
    void on_horizontalSliderE_valueChanged(int value);
    void on_horizontalSliderF_valueChanged(int value);
    void on_horizontalSliderG_valueChanged(int value);
    void on_horizontalSliderH_valueChanged(int value);
    void on_MA_toggled(bool checked);
    void on_MB_toggled(bool checked);
    void on_MC_toggled(bool checked);
    void on_MD_toggled(bool checked);
    void on_ME_toggled(bool checked);
    void on_MF_toggled(bool checked);
    void on_MG_toggled(bool checked);
    void on_MH_toggled(bool checked);
    void on_BlueButtonA_clicked();
    void SetColor(QColor color);
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_clicked();
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_clicked();

private:
    static bool ValidRow(int row) { return row >= 0 && row < RowCount; }
    void ApplyLook();
    void PaintButton(int row, const QString &color);
    void ExchangeRows(int previous, int index);
    void LevelValueChanged(int row, int value);
    void LevelToggled(int row, bool checked);
    void EditColor(int row);
    // The mouse does not answer while device data are shown and no page is
    // filling itself: the moment to report it instead of writing.
    static bool MouseSilent();

    QCheckBox *Boxes[RowCount] = {};
    QToolButton *Buttons[RowCount] = {};
    MySlider *Sliders[RowCount] = {};
    QSpinBox *Spins[RowCount] = {};
};
