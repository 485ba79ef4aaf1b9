#include "unbuilt/SensorDPIB.h"
#include "ui_SensorDPIB.h"

#include "common/ConfigIniStore.h"
#include "unbuilt/UnbuiltLook.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QListView>

namespace {

const char *const InitialColors[SensorDPIB::RowCount] = {
    "#ff0000", "#ffff00", "#ffaa00", "#00ff00", "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};
const char *const PresetColors[SensorDPIB::RowCount] = {"#ff0000", "#00ffff", "#00ff00", "#ffffff",
                                                        "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};

} // namespace

SensorDPIB::SensorDPIB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorDPIB)
{
    ui->setupUi(this);
    PictureDir = UnbuiltLook::sensorPictureFolder();

    Boxes[0] = ui->MA, Boxes[1] = ui->MB, Boxes[2] = ui->MC, Boxes[3] = ui->MD;
    Boxes[4] = ui->ME, Boxes[5] = ui->MF, Boxes[6] = ui->MG, Boxes[7] = ui->MH;
    Buttons[0] = ui->BlueButtonA, Buttons[1] = ui->BrightRedButtonA;
    Buttons[2] = ui->RedButtonA, Buttons[3] = ui->YellowButtonA;
    Buttons[4] = ui->GreenButtonA, Buttons[5] = ui->PurpleButtonA;
    Buttons[6] = ui->LightBlueButtonA, Buttons[7] = ui->LightYellowButtonA;
    Sliders[0] = ui->horizontalSliderA, Sliders[1] = ui->horizontalSliderB;
    Sliders[2] = ui->horizontalSliderC, Sliders[3] = ui->horizontalSliderD;
    Sliders[4] = ui->horizontalSliderE, Sliders[5] = ui->horizontalSliderF;
    Sliders[6] = ui->horizontalSliderG, Sliders[7] = ui->horizontalSliderH;
    Spins[0] = ui->spinBoxA, Spins[1] = ui->spinBoxB, Spins[2] = ui->spinBoxC;
    Spins[3] = ui->spinBoxD, Spins[4] = ui->spinBoxE, Spins[5] = ui->spinBoxF;
    Spins[6] = ui->spinBoxG, Spins[7] = ui->spinBoxH;

    for (int row = 0; row < RowCount; ++row)
        LevelColors[row] = QString::fromLatin1(InitialColors[row]);

    LevelGroup = new QButtonGroup(this);
    LevelGroup->setExclusive(true);
    ColorDialog = new QColorDialog(this);
    connect(ColorDialog, SIGNAL(colorSelected(QColor)), this, SLOT(SetColor(QColor)));

    ApplyLook();
    for (QCheckBox *box : Boxes)
        LevelGroup->addButton(box);
}

SensorDPIB::~SensorDPIB()
{
    delete ui;
}

void SensorDPIB::ApplyLook()
{
    const QString comboText = ThemeColorText(QStringLiteral("ComboxTextColor"));
    const QString comboSelect = ThemeColorText(QStringLiteral("ComboxSelectColor"));
    const QString comboBack = ThemeColorText(QStringLiteral("ComboxBackGroundColor"));
    const QString labelColour = ThemeColorText(QStringLiteral("LabelColor"));
    const QString sliderColour = ThemeColorText(QStringLiteral("SliderColor"));
    const QString spinColour = ThemeColorText(QStringLiteral("LinEditColorSecond"));

    ui->label->setStyleSheet(UnbuiltLook::labelStyle(labelColour));
    ui->ChooseEvent->setStyleSheet(
        UnbuiltLook::comboStyle(comboText, comboBack, comboSelect, PictureDir));
    auto *view = new QListView(ui->ChooseEvent);
    view->setStyleSheet(UnbuiltLook::comboListStyle(comboSelect));
    ui->ChooseEvent->setView(view);
    ui->ChooseEvent->setMaxVisibleItems(5);

    const QString sliderStyle = UnbuiltLook::editorSliderStyle(sliderColour, PictureDir);
    const QString spinStyle = UnbuiltLook::borderedSpinStyle(spinColour);
    const QString boxStyle = UnbuiltLook::checkBoxStyle(labelColour, PictureDir);
    for (int row = 0; row < RowCount; ++row) {
        Sliders[row]->setStyleSheet(sliderStyle);
        Spins[row]->setStyleSheet(spinStyle);
        Boxes[row]->setStyleSheet(boxStyle);
        // Every button starts red, whatever LevelColors holds, until the
        // host applies the level colours.
        Buttons[row]->setStyleSheet(
            QStringLiteral("#") + Buttons[row]->objectName() +
            QStringLiteral("{border:0px;border-radius:3px;background-position:center;"
                           "background-repeat:no-repeat;background-color: rgb(255, 0, 0);}"));
    }
}

QCheckBox *SensorDPIB::LevelBox(int row) const
{
    return ValidRow(row) ? Boxes[row] : nullptr;
}

QToolButton *SensorDPIB::ColorButton(int row) const
{
    return ValidRow(row) ? Buttons[row] : nullptr;
}

MySlider *SensorDPIB::LevelSlider(int row) const
{
    return ValidRow(row) ? Sliders[row] : nullptr;
}

QSpinBox *SensorDPIB::LevelSpin(int row) const
{
    return ValidRow(row) ? Spins[row] : nullptr;
}

bool SensorDPIB::BlockLevelCountSignals(bool block)
{
    return ui->ChooseEvent->blockSignals(block);
}

void SensorDPIB::ClearLevelCountItems()
{
    const bool was = ui->ChooseEvent->blockSignals(true);
    ui->ChooseEvent->clear();
    ui->ChooseEvent->blockSignals(was);
}

void SensorDPIB::InsertLevelCountItem(int index, const QString &text)
{
    ui->ChooseEvent->insertItem(index, text);
}

void SensorDPIB::ShowLevelCountIndex(int index)
{
    ui->ChooseEvent->setCurrentIndex(index);
}

void SensorDPIB::BlockSliderSignals(bool block)
{
    for (MySlider *slider : Sliders)
        slider->blockSignals(block);
}

void SensorDPIB::EnableSliders(bool on)
{
    for (MySlider *slider : Sliders)
        slider->setEnabled(on);
}

void SensorDPIB::SetSliderMinimum(int value)
{
    for (MySlider *slider : Sliders)
        slider->setMinimum(value);
}

void SensorDPIB::SetSliderMaximum(int value)
{
    for (MySlider *slider : Sliders)
        slider->setMaximum(value);
}

void SensorDPIB::ShowSliderValue(int value, int row)
{
    if (ValidRow(row))
        Sliders[row]->setValue(value);
}

void SensorDPIB::ShowSpinValue(int value, int row)
{
    if (ValidRow(row))
        Spins[row]->setValue(value);
}

void SensorDPIB::ShowLevelValue(int row, const QString &value)
{
    if (!ValidRow(row))
        return;
    const int number = value.toInt(nullptr, 10);
    Sliders[row]->setValue(number);
    Spins[row]->setValue(number);
}

void SensorDPIB::ShowLevelChecked(int row)
{
    if (ValidRow(row))
        Boxes[row]->setChecked(true);
}

void SensorDPIB::SetLevelColorText(int row, const QString &color)
{
    if (ValidRow(row))
        LevelColors[row] = color;
}

void SensorDPIB::PaintButton(int row, const QString &color)
{
    Buttons[row]->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;"
                       "background-repeat:no-repeat;background-color:") +
        color + QStringLiteral(";}"));
}

void SensorDPIB::ApplyLevelColor(int row)
{
    if (ValidRow(row))
        PaintButton(row, LevelColors[row]);
}

void SensorDPIB::ApplyAllLevelColors()
{
    for (int row = 0; row < RowCount; ++row)
        ApplyLevelColor(row);
}

void SensorDPIB::ShowPresetButtonColors()
{
    for (int row = 0; row < RowCount; ++row)
        PaintButton(row, QString::fromLatin1(PresetColors[row]));
}

void SensorDPIB::SetCurrentLevelIndex(int row)
{
    if (ValidRow(row))
        CurrentLevel = row;
}

void SensorDPIB::SetLevelCountValue(int count)
{
    LevelCount = count;
}

void SensorDPIB::ShowLevelRows(int last)
{
    if (!ValidRow(last))
        return;
    for (int row = 0; row < RowCount; ++row) {
        const bool shown = row <= last;
        Boxes[row]->setVisible(shown);
        Buttons[row]->setVisible(shown);
        Sliders[row]->setVisible(shown);
        Spins[row]->setVisible(shown);
    }
}

void SensorDPIB::SetLabelText(const QString &text)
{
    ui->label->setText(text);
}
