#include "sensor/SensorDPI.h"

#include "common/ConfigIniStore.h"
#include "common/ThemeStyles.h"
#include "device/DeviceField.h"
#include "device/DeviceState.h"
#include "ui_SensorDPI.h"

#include <QButtonGroup>
#include <QCoreApplication>

namespace {

const QPoint Markers[8] = {{27, 154},  {118, 154}, {209, 154}, {300, 154},
                           {391, 154}, {483, 154}, {573, 154}, {664, 154}};
const char *const DefaultColors[8] = {"255,0,0",   "0,0,255",   "0,255,0", "255,255,0",
                                      "0,255,255", "255,0,255", "159,0,0", "0,212,252"};

} // namespace

SensorDPI::SensorDPI(QWidget *parent) : QFrame(parent), ui(new Ui::SensorDPI)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";

    const QString comboText = ThemeColorText("ComboxTextColor");
    const QString comboSelect = ThemeColorText("ComboxSelectColor");
    const QString comboBack = ThemeColorText("ComboxBackGroundColor");
    const QString labelColor = ThemeColorText("LabelColor");
    ButtonColorList = ConfigIniStore::GetInstance()->GetValueList("Option", "ButtonColor");
    ButtonColor = ThemeColorText("ButtonColor");
    const QString sliderColor = ThemeColorText("SliderColor");
    const QString editColor = ThemeColorText("LinEditColorSecond");

    for (int i = 0; i < 8; ++i) {
        MarkerPoints[i] = Markers[i];
        LevelColors[i] = QString::fromLatin1(DefaultColors[i]);
    }

    LevelGroup = new QButtonGroup(this);
    LevelGroup->setExclusive(true);
    SwatchGroup = new QButtonGroup(this);
    SwatchGroup->setExclusive(true);

    const QString p = PicturePath;
    ui->label->setStyleSheet("QLabel{color: rgb(" + labelColor + ";);}");
    ui->label_8->setStyleSheet(
        "#label_8{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
        p +
        "Level.png);}#label_8:hover{border:0px;background-position:center;"
        "background-repeat:no-repeat;background-image: url(" +
        p + "LevelHover.png);}");
    ui->ChooseEvent->setStyleSheet(
        "QComboBox{border: 1px solid gray; color: rgb(" + comboText + "); border-image: url(" + p +
        "ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; background:rgb(" +
        comboBack + ");} QComboBox::down-arrow{image: url(" + p +
        "Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(" + p +
        "MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox "
        "QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(" +
        comboText + "); border-image: url(" + p +
        "ComboboxTextBack.png);selection-background-color: rgb(" + comboSelect + "); }");
    ThemeStyles::SetComboList(ui->ChooseEvent, comboSelect);
    ui->horizontalSliderC->setStyleSheet(
        "QSlider::groove:horizontal { border-radius: 2px;  height: 5px;background:#ffffff}"
        "QSlider:handle:horizontal{ border-radius: 2px;width:  6px;height: 18px;  margin-top: "
        "-9px;margin-left: 0px; margin-bottom: -9px;margin-right: 0px; border-image: url(" +
        p + "HuaKuai.png);} QSlider:sub-page:horizontal{border-radius: 2px;background-color: rgb(" +
        sliderColor +
        ";);}QSlider:add-page:horizontal{border-radius: 2px;background-color: rgb(255, 255, "
        "255);}");
    ui->spinBoxA->setStyleSheet("QSpinBox{background-color: transparent;color: rgb(" + editColor +
                                ";);border: 1px  solid gray;}QSpinBox:hover{background-color: "
                                "transparent;color: rgb(" +
                                editColor + ";);border: 1px  solid gray;}");
    ui->ReduceLevelA->setStyleSheet("#ReduceLevelA{background-image: url(" + p +
                                    "Reduce.png);border:0px;background-position:center;"
                                    "background-repeat:no-repeat;}");
    ui->AddLevelA->setStyleSheet("#AddLevelA{background-image: url(" + p +
                                 "Add.png);border:0px;background-position:center;"
                                 "background-repeat:no-repeat;}");

    for (QWidget *keep :
         {static_cast<QWidget *>(ui->horizontalSliderC), static_cast<QWidget *>(ui->spinBoxA),
          static_cast<QWidget *>(ui->ReduceLevelA), static_cast<QWidget *>(ui->AddLevelA)}) {
        QSizePolicy policy = keep->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        keep->setSizePolicy(policy);
    }
    for (int i = 0; i < 8; ++i) {
        QToolButton *button = LevelButton(i);
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
        LevelRects[i] = button->geometry();
        SwatchRects[i] = Swatch(i)->geometry();
        LevelGroup->addButton(button);
        SwatchGroup->addButton(Swatch(i));
        button->setStyleSheet(
            "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
            "color: rgb(" +
            ButtonColor + ";);background-image: url(" + p + "MinA.png);}");
        Swatch(i)->setStyleSheet(
            "#" + Swatch(i)->objectName() +
            "{border:0px;border-radius:3px;background-position:center;background-repeat:no-"
            "repeat;background-color: rgb(255, 0, 0);background-image: url(" +
            p + "MinB.png);}");
    }
    DragArea = QRect(0, 0, 728, 194);
}

SensorDPI::~SensorDPI()
{
    delete ui;
}

QToolButton *SensorDPI::LevelButton(int level) const
{
    QToolButton *const buttons[8] = {ui->BlueButton,      ui->BrightRedButton,  ui->RedButton,
                                     ui->YellowButton,    ui->GreenButton,      ui->PurpleButton,
                                     ui->LightBlueButton, ui->LightYellowButton};
    return (level >= 0 && level < 8) ? buttons[level] : nullptr;
}

QToolButton *SensorDPI::Swatch(int level) const
{
    QToolButton *const swatches[8] = {
        ui->BlueButtonA,  ui->BrightRedButtonA, ui->RedButtonA,       ui->YellowButtonA,
        ui->GreenButtonA, ui->PurpleButtonA,    ui->LightBlueButtonA, ui->LightYellowButtonA};
    return (level >= 0 && level < 8) ? swatches[level] : nullptr;
}

QString SensorDPI::LevelColor(int level) const
{
    return (level >= 0 && level < 8) ? LevelColors[level] : QString();
}

int SensorDPI::LevelValue(int level) const
{
    QToolButton *button = LevelButton(level);
    if (!button)
        return 0;
    bool ok = false;
    const int value = button->text().toInt(&ok, 10);
    return ok ? value : 0;
}

bool SensorDPI::BlockCountSignals(bool block)
{
    return ui->ChooseEvent->blockSignals(block);
}

void SensorDPI::ClearCountItems()
{
    ui->ChooseEvent->blockSignals(true);
    ui->ChooseEvent->clear();
    ui->ChooseEvent->blockSignals(false);
}

bool SensorDPI::BlockSliderSignals(bool block)
{
    return ui->horizontalSliderC->blockSignals(block);
}

void SensorDPI::SetSliderEnabled(bool enabled)
{
    ui->horizontalSliderC->setEnabled(enabled);
}

void SensorDPI::SetSliderMaximum(int value)
{
    ui->horizontalSliderC->setMaximum(value);
}

void SensorDPI::SetSliderMinimum(int value)
{
    ui->horizontalSliderC->setMinimum(value);
}

void SensorDPI::SetSliderValue(int value)
{
    DeviceField::Silently(ui->horizontalSliderC, [&] { ui->horizontalSliderC->setValue(value); });
}

void SensorDPI::LoadDefaultLevels()
{
    const QString group = "Drive" + QString::number(CurrentDeviceInfo.DriveIndex + 1);
    ConfigIniStore *store = ConfigIniStore::GetInstance();
    const QStringList colours = store->GetValueList(group, "DPIColor");
    // Only whole triples count: an incomplete last one leaves its level alone.
    for (int k = 0; k < 8 && 3 * k + 2 < colours.size(); ++k)
        LevelColors[k] =
            colours.at(3 * k) + "," + colours.at(3 * k + 1) + "," + colours.at(3 * k + 2);
    const QStringList grades = store->GetValueList(group, "DPIGrade");
    if (grades.size() < 8)
        return;
    for (int level = 0; level < 8; ++level) {
        Swatch(level)->setGeometry(SwatchRects[level].x(), SwatchRects[level].y(), 50, 12);
        StyleSwatch(level, false, false);
        LevelButton(level)->setText(grades.at(level));
    }
}

// Looks.

void SensorDPI::StyleLevelButton(int level, bool selected)
{
    QToolButton *button = LevelButton(level);
    if (!button)
        return;
    const QRect r = LevelRects[level];
    if (selected)
        button->setGeometry(r.x() - 7, r.y() - 7, 68, 70);
    else
        button->setGeometry(r.x(), r.y(), 54, 56);
    button->setStyleSheet("QToolButton{border:0px;border-radius:3px;background-position:center;"
                          "background-repeat:no-repeat;color: rgb(" +
                          ButtonColor + ";);background-image: url(" + PicturePath +
                          (selected ? "MaxA.png" : "MinA.png") + ");}");
}

void SensorDPI::StyleSwatch(int level, bool selected, bool moveIt)
{
    QToolButton *swatch = Swatch(level);
    if (!swatch)
        return;
    if (moveIt) {
        const QRect r = SwatchRects[level];
        if (selected)
            swatch->setGeometry(r.x() - 8, r.y() + 6, 66, 14);
        else
            swatch->setGeometry(r.x(), r.y(), 50, 12);
    }
    swatch->setStyleSheet("QToolButton{border:0px;border-radius:3px;background-position:center;"
                          "background-repeat:no-repeat;background-color:rgb(" +
                          LevelColors[level] + ");background-image: url(" + PicturePath +
                          (selected ? "MaxB.png" : "MinB.png") + ");}");
}

void SensorDPI::ShowCurrentLevel(int level)
{
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < 8; ++i)
        buttons << LevelButton(i) << Swatch(i);
    for (QAbstractButton *b : buttons)
        b->blockSignals(true);
    if (level >= 0 && level < 8) {
        ShowSliderValue(LevelValue(level));
        LevelButton(level)->setChecked(true);
        Swatch(level)->setChecked(true);
        for (int i = 0; i < 8; ++i) {
            StyleLevelButton(i, i == level);
            StyleSwatch(i, i == level, true);
        }
        ui->label_8->move(MarkerPoints[level]);
    }
    for (QAbstractButton *b : buttons)
        b->blockSignals(false);
}

void SensorDPI::ApplySwatchStyle(int level)
{
    StyleSwatch(level, Swatch(level)->isChecked(), false);
}

void SensorDPI::ApplySwatchStyle0()
{
    ApplySwatchStyle(0);
}
void SensorDPI::ApplySwatchStyle1()
{
    ApplySwatchStyle(1);
}
void SensorDPI::ApplySwatchStyle2()
{
    ApplySwatchStyle(2);
}
void SensorDPI::ApplySwatchStyle3()
{
    ApplySwatchStyle(3);
}
void SensorDPI::ApplySwatchStyle4()
{
    ApplySwatchStyle(4);
}
void SensorDPI::ApplySwatchStyle5()
{
    ApplySwatchStyle(5);
}
void SensorDPI::ApplySwatchStyle6()
{
    ApplySwatchStyle(6);
}
void SensorDPI::ApplySwatchStyle7()
{
    ApplySwatchStyle(7);
}

void SensorDPI::ShrinkOtherSwatches(int level)
{
    if (level < 0 || level > 7)
        return;
    for (int i = 0; i < 8; ++i) {
        if (i != level)
            StyleSwatch(i, false, true);
    }
}

void SensorDPI::ShowLevels(int lastIndex)
{
    if (lastIndex < 0 || lastIndex > 7)
        return;
    for (int i = 0; i < 8; ++i) {
        LevelButton(i)->setVisible(i <= lastIndex);
        Swatch(i)->setVisible(i <= lastIndex);
    }
}
