#pragma once

// The controls of the sensor and advanced pages as the page tests drive
// them: one change per control, and the control's value as the simulated
// mouse holds it and as the page shows it.

#include "model/SensorConstants.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "ui_Advanced.h"
#include "ui_AngleMove.h"
#include "ui_KFPS20.h"
#include "ui_LongMode.h"
#include "ui_RippeControl.h"
#include "ui_Sensor.h"
#include "ui_SensorDPI.h"
#include "ui_SensorLOD.h"
#include "ui_SensorRate.h"
#include "ui_StopCloseTime.h"
#include "ui_StraightLine.h"

#include "platform/vidide/SimControl.h"

#include <QColorDialog>
#include <QMouseEvent>
#include <QtTest>

#include <functional>

enum Control
{
    Rate500,
    Lod2mm,
    RippleOn,
    AngleSnapOn,
    Level3,
    PlusStep,
    Sleep5Minutes,
    PerformanceOn,
    ModeHP,
    LongRangeOff,
    BlackLevel2,
    Angle10,
    Fps20KOn,
    CountFour,
    CountOneSwap,
    Slider1100,
    MinusStep,
    MarkerRight,
    PerformanceTime
};

struct SensorControls
{
    Sensor *sensor = nullptr;
    Advanced *advanced = nullptr;
    int Device = 0;
    // Runs inside Act just before the control's change is made.
    std::function<void()> BeforeChange;

    void Act(int control);
    // The field of the control as the mouse holds it, and as the page shows it.
    int MouseValue(int control, const FlashDataMap &m) const;
    int ShownValue(int control) const;
};

inline void SensorControls::Act(int control)
{
    Ui::Sensor *ui = sensor->ui;
    SensorDPI *dpi = ui->frameDpi;
    const auto change = [this] {
        if (BeforeChange)
            BeforeChange();
    };
    switch (control) {
    case Rate500:
        change();
        ui->frameRate->ui->Button500HZ->click();
        break;
    case Lod2mm:
        change();
        ui->frameLOD->ui->LOD->setCurrentIndex(2);
        break;
    case RippleOn:
        change();
        ui->frame->ui->RippeControl_2->click();
        break;
    case AngleSnapOn:
        change();
        ui->frame_4->ui->StraightLine_2->click();
        break;
    case Level3:
        change();
        dpi->LevelButton(3)->click();
        break;
    case PlusStep:
        change();
        dpi->ui->AddLevelA->click();
        break;
    case MinusStep:
        change();
        dpi->ui->ReduceLevelA->click();
        break;
    case Slider1100:
        // The first slider change after the read, as a wheel turn or a
        // release of the handle makes it.
        change();
        dpi->ui->horizontalSliderC->setValue(1100);
        break;
    case Sleep5Minutes: {
        QComboBox *combo = advanced->ui->frameClose->ui->StopClose;
        change();
        combo->setCurrentIndex(5);
        emit combo->activated(5);
        break;
    }
    case PerformanceOn:
        change();
        ui->Performance->click();
        break;
    case PerformanceTime:
        change();
        ui->PerformanceOpen->setCurrentIndex(5);
        break;
    case ModeHP:
        change();
        ui->ModelChoose->setCurrentIndex(1);
        break;
    case LongRangeOff:
        change();
        advanced->ui->FrameLongMode->ui->checkBox->click();
        break;
    case BlackLevel2:
        // The swatch selects its level and opens the colour dialog.
        dpi->Swatch(2)->click();
        QVERIFY(dpi->ColourDialog()->isVisible());
        change();
        emit dpi->ColourDialog()->colorSelected(QColor(0, 0, 0));
        dpi->ColourDialog()->hide();
        break;
    case Angle10:
        change();
        advanced->ui->FrameAngle->ui->AngleSet->setValue(10);
        break;
    case Fps20KOn:
        change();
        advanced->ui->FrameFPS->ui->KFPS->click();
        break;
    case CountFour:
        change();
        dpi->ui->ChooseEvent->setCurrentIndex(3);
        break;
    case CountOneSwap:
        // Level 1 is current: it trades places with level 0.
        change();
        dpi->ui->ChooseEvent->setCurrentIndex(0);
        break;
    case MarkerRight: {
        // The marker of level 1 stands at x 118; dropped one level right.
        QMouseEvent press(QEvent::MouseButtonPress, QPoint(133, 169), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dpi, &press);
        QMouseEvent move(QEvent::MouseMove, QPoint(224, 169), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(dpi, &move);
        change();
        QMouseEvent release(QEvent::MouseButtonRelease, QPoint(224, 169), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dpi, &release);
        break;
    }
    }
}

inline int SensorControls::MouseValue(int control, const FlashDataMap &m) const
{
    switch (control) {
    case Rate500:
        return m.ReportRateCode;
    case Lod2mm:
        return m.LodCode;
    case RippleOn:
        return m.RippleControlOn;
    case AngleSnapOn:
        return m.StraightLineOn;
    case Level3:
    case MarkerRight:
        return m.CurrentDpiLevel;
    case PlusStep:
        return m.DpiLevels[1].XCode;
    case MinusStep:
    case Slider1100:
        return DecodeDpiLevel(m.DpiLevels[1].XCode, m.DpiLevels[1].Flags);
    case Sleep5Minutes:
        return m.SleepTimeCode;
    case PerformanceOn:
        return m.PerformanceOn;
    case PerformanceTime:
        return m.PerformanceTimeCode;
    case ModeHP:
        return m.SensorModeIndex;
    case LongRangeOff:
        return SimLongRange(Device) ? 1 : 0;
    case BlackLevel2:
        return (m.DpiLevels[2].ColorR << 16) | (m.DpiLevels[2].ColorG << 8) | m.DpiLevels[2].ColorB;
    case Angle10:
        return m.AngleDegrees;
    case Fps20KOn:
        return m.Scan20KOn;
    case CountFour:
    case CountOneSwap:
        return 10 * m.DpiLevelCount + m.CurrentDpiLevel;
    }
    return -1;
}

inline int SensorControls::ShownValue(int control) const
{
    Ui::Sensor *ui = sensor->ui;
    SensorDPI *dpi = ui->frameDpi;
    switch (control) {
    case Rate500:
        return ui->frameRate->CurrentRateIndex() * 10 +
               ui->frameRate->RateButton(ui->frameRate->CurrentRateIndex())->isChecked();
    case Lod2mm:
        return ui->frameLOD->ui->LOD->currentIndex();
    case RippleOn:
        return ui->frame->ui->RippeControl_2->isChecked();
    case AngleSnapOn:
        return ui->frame_4->ui->StraightLine_2->isChecked();
    case Level3:
    case MarkerRight:
        // The level, its button and the marker agree.
        if (!dpi->LevelButton(dpi->CurrentLevelValue())->isChecked() ||
            dpi->ui->label_8->x() / 91 != dpi->CurrentLevelValue())
            return -1;
        return dpi->CurrentLevelValue();
    case PlusStep:
    case MinusStep:
    case Slider1100:
        // The box, the slider and the level button show one value.
        if (dpi->ui->horizontalSliderC->value() != dpi->ui->spinBoxA->value() ||
            dpi->LevelButton(1)->text().toInt() != dpi->ui->spinBoxA->value())
            return -1;
        return dpi->ui->spinBoxA->value();
    case Sleep5Minutes:
        return advanced->ui->frameClose->ui->StopClose->currentIndex();
    case PerformanceOn:
        return ui->Performance->isChecked();
    case PerformanceTime:
        return ui->PerformanceOpen->currentIndex();
    case ModeHP:
        return ui->ModelChoose->currentIndex();
    case LongRangeOff:
        return advanced->ui->FrameLongMode->ui->checkBox->isChecked();
    case BlackLevel2:
        return dpi->LevelColor(2) == QLatin1String("0,0,0");
    case Angle10:
        return advanced->ui->FrameAngle->ui->AngleSet->value();
    case Fps20KOn:
        return advanced->ui->FrameFPS->ui->KFPS->isChecked();
    case CountFour:
    case CountOneSwap:
        return 10 * (dpi->ui->ChooseEvent->currentIndex() + 1) + dpi->CurrentLevelValue();
    }
    return -1;
}
