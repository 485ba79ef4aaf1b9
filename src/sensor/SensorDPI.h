#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QColorDialog;
class QToolButton;

namespace Ui {
class SensorDPI;
}

// The DPI row of the sensor page: eight levels (value in the level button's
// text, colour on the swatch below it), the level-count combo, the value
// slider with its number box and minus/plus buttons, and the current-level
// marker that can be dragged. Writes go through the field setters; while the
// page fills the row (SensorPageFilling set) the slots only change the look.
// The row shows what the mouse holds: a refused or unsent change is put back.
class SensorDPI : public QFrame
{
    Q_OBJECT

public:
    explicit SensorDPI(QWidget *parent = nullptr);
    ~SensorDPI() override;

    // Simple control operations of the page.
    bool BlockCountSignals(bool block);
    void ClearCountItems();
    bool BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    void SetSliderMaximum(int value);
    void SetSliderMinimum(int value);
    void SetSliderValue(int value);
    void LoadDefaultLevels();

    // Looks.
    void ShowCurrentLevel(int level);
    void ApplySwatchStyle0();
    void ApplySwatchStyle1();
    void ApplySwatchStyle2();
    void ApplySwatchStyle3();
    void ApplySwatchStyle4();
    void ApplySwatchStyle5();
    void ApplySwatchStyle6();
    void ApplySwatchStyle7();
    void ShrinkOtherSwatches(int level);
    void ShowLevels(int lastIndex);

    // Filling.
    void SetTitleText(const QString &text);
    void InsertCountItem(int index, const QString &text);
    void SetCountIndex(int index);
    void SetCurrentLevelMember(int level);
    void SetLevelText(int level, const QString &text);
    void SetLevelColorHex(int level, const QString &colour);
    void SetSpinBoxValue(int value);
    void EnableSlider();
    void MoveMarkerToLevel(int number);
    void ShowSelectedSwatch(int level);
    void SelectLevel(int level);
    // Selects a level as the user's choice; true when the mouse took it.
    bool SelectDraggedLevel(int level);

    // Read access for the page and tests.
    int CurrentLevelValue() const { return CurrentLevel; }
    QString LevelColor(int level) const;
    QToolButton *LevelButton(int level) const;
    QToolButton *Swatch(int level) const;
    // The colour dialog of the current level's swatch, built when first asked
    // for: a colour dialog is a large window that most starts never open.
    QColorDialog *ColourDialog();

    Ui::SensorDPI *ui = nullptr;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderC_sliderMoved(int position);
    void on_ReduceLevelA_clicked();
    void on_AddLevelA_clicked();
    void on_BlueButton_toggled(bool checked);
    void on_BlueButton_clicked();
    void on_BrightRedButton_toggled(bool checked);
    void on_BrightRedButton_clicked();
    void on_RedButton_toggled(bool checked);
    void on_RedButton_clicked();
    void on_YellowButton_toggled(bool checked);
    void on_YellowButton_clicked();
    void on_GreenButton_toggled(bool checked);
    void on_GreenButton_clicked();
    void on_PurpleButton_toggled(bool checked);
    void on_PurpleButton_clicked();
    void on_LightBlueButton_toggled(bool checked);
    void on_LightBlueButton_clicked();
    void on_LightYellowButton_toggled(bool checked);
    void on_LightYellowButton_clicked();
    void on_BlueButtonA_toggled(bool checked);
    void on_BlueButtonA_clicked();
    void on_BrightRedButtonA_toggled(bool checked);
    void on_BrightRedButtonA_clicked();
    void on_RedButtonA_toggled(bool checked);
    void on_RedButtonA_clicked();
    void on_YellowButtonA_toggled(bool checked);
    void on_YellowButtonA_clicked();
    void on_GreenButtonA_toggled(bool checked);
    void on_GreenButtonA_clicked();
    void on_PurpleButtonA_toggled(bool checked);
    void on_PurpleButtonA_clicked();
    void on_LightBlueButtonA_toggled(bool checked);
    void on_LightBlueButtonA_clicked();
    void on_LightYellowButtonA_toggled(bool checked);
    void on_LightYellowButtonA_clicked();
    void SetColor(QColor color);

private:
    // One body per family of the eight slots above.
    void LevelToggled(int level, bool checked);
    void LevelClicked();
    void SwatchToggled(int level, bool checked);
    void SwatchClicked(int level);
    void ApplySwatchStyle(int level);
    void StyleLevelButton(int level, bool selected);
    void StyleSwatch(int level, bool selected, bool moveIt);
    int LevelValue(int level) const;
    int CheckedLevel() const;
    // The value box and the slider show `value`; the slider stays silent.
    void ShowSliderValue(int value);
    void StepTo(int value);

    QString PicturePath;
    QButtonGroup *LevelGroup = nullptr;
    QButtonGroup *SwatchGroup = nullptr;
    QColorDialog *ColorDialog = nullptr;
    QStringList ButtonColorList;
    QString ButtonColor;
    QRect LevelRects[8];
    QRect SwatchRects[8];
    QPoint MarkerPoints[8];
    QRect DragArea;
    bool Dragging = false;
    QPoint DragOffset;
    int CurrentLevel = 1;
    QString LevelColors[8];
    // Start value the count combo goes back to before the first fill.
    int CountIndex = 0;
};
