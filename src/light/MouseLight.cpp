#include "light/MouseLight.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"
#include "light/ColourBoardPress.h"
#include "light/LightState.h"
#include "light/LightStyles.h"

#include "ui_MouseLight.h"

#include <QButtonGroup>
#include <QSignalBlocker>

MouseLight::MouseLight(QWidget *parent)
    : QFrame(parent), ui(new Ui::MouseLight), PresetGroup(new QButtonGroup(this))
{
    ui->setupUi(this);
    PresetGroup->setExclusive(true);
    PictureFolder = LightStyles::LightFolder();

    ui->line->hide();
    ui->line_2->hide();
    ui->TitleButton_4->setStyleSheet(LightStyles::Title("TitleButton_4", PictureFolder));
    // Construction never writes: only the controls of the first mode show.
    applyVisibility(ui->LightMod->currentIndex());
    applyTheme();
    bindControls();

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

MouseLight::~MouseLight()
{
    delete ui;
}

void MouseLight::applyTheme()
{
    const QString d = PictureFolder;
    const QString text = ThemeColorText("ComboxTextColor");
    const QString select = ThemeColorText("ComboxSelectColor");
    const QString back = ThemeColorText("ComboxBackGroundColor");
    const QString label = ThemeColorText("LabelColor");
    const QString edit = ThemeColorText("LinEditColorSecond");
    const QString slider = ThemeColorText("SliderColor");

    ui->LightMod->setStyleSheet(LightStyles::Combo(d, text, back, select));
    LightStyles::SetComboList(ui->LightMod, select);
    for (QLabel *l :
         {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_6, ui->label_8, ui->label_13})
        l->setStyleSheet(LightStyles::Label(label));
    ui->LightSpinBox_2->setStyleSheet(LightStyles::ValueBox(label));
    ui->SpeedSpinBox_2->setStyleSheet(LightStyles::ValueBox(label));
    for (QSpinBox *box : {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox})
        box->setStyleSheet(LightStyles::ColourBox(edit));
    ui->horizontalLight->setStyleSheet(LightStyles::Slider(d, slider));
    ui->horizontalSpeed->setStyleSheet(LightStyles::Slider(d, slider));
    ui->RippeControl->setStyleSheet(
        "#RippeControl{color: rgb(255, 255, "
        "255);border:0px;background-position:center;background-repeat:no-repeat;background-image: "
        "url(" +
        d + "Close.png" + ");}#RippeControl:checked {background-image: url(" + d + "Open.png" +
        ");}");
    ui->label_7->setStyleSheet(
        "#label_7{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
        d + "ColorBoard.png" + ");}");
    for (QWidget *w : {static_cast<QWidget *>(ui->ReduceR), static_cast<QWidget *>(ui->ReduceG),
                       static_cast<QWidget *>(ui->ReduceB)})
        w->setStyleSheet(LightStyles::Picture(w->objectName(), d, "Reduce.png"));
    for (QWidget *w : {static_cast<QWidget *>(ui->AddR), static_cast<QWidget *>(ui->AddG),
                       static_cast<QWidget *>(ui->AddB)})
        w->setStyleSheet(LightStyles::Picture(w->objectName(), d, "Add.png"));
    ui->labelPreView->setStyleSheet(LightStyles::Picture("labelPreView", d, "PreviewColor.png"));
    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        const QString name = QStringLiteral("toolButtonColor") + letter;
        if (QWidget *button = findChild<QWidget *>(name))
            button->setStyleSheet(
                LightStyles::PresetButton(name, d, QStringLiteral("Color") + letter + ".png"));
    }
}

void MouseLight::SlotAllLanguage(int index)
{
    LabelMap &light = LightLabels[index];
    ui->label->setText(light["LightMode"]);
    LabelMap &modes = LightModeOptionsLabels[index];
    for (int i = 0; i < ui->LightMod->count() && i < 7; ++i)
        ui->LightMod->setItemText(i, modes[QString::number(i)]);
    ui->label_2->setText(light["Brightness"]);
    ui->label_3->setText(light["Speed"]);
    ui->label_4->setText(light["MovingOffLight"]);
    ui->label_6->setText(light["Preview"]);
    ui->label_8->setText(light["CustomColor"]);
    ui->label_13->setText(light["Preset"]);
    ui->label_11->setText("R:");
    ui->label_10->setText("G:");
    ui->label_12->setText("B:");
}

void MouseLight::BlockEditorSignals(bool block)
{
    for (QObject *o :
         {static_cast<QObject *>(ui->horizontalLight), static_cast<QObject *>(ui->horizontalSpeed),
          static_cast<QObject *>(ui->RSpinBox), static_cast<QObject *>(ui->GSpinBox),
          static_cast<QObject *>(ui->BSpinBox)})
        o->blockSignals(block);
}

void MouseLight::EnableSliders(bool enabled)
{
    ui->horizontalLight->setEnabled(enabled);
    ui->horizontalSpeed->setEnabled(enabled);
}

void MouseLight::ShowLightMode(int index)
{
    ModeField.Fill(index);
}

void MouseLight::ShowBrightness(int value)
{
    BrightnessField.Fill(value);
}

void MouseLight::ShowBrightnessValue(int value)
{
    ui->LightSpinBox_2->setValue(value);
}

void MouseLight::ShowSpeed(int value)
{
    SpeedField.Fill(value);
}

void MouseLight::ShowSpeedValue(int value)
{
    ui->SpeedSpinBox_2->setValue(value);
}

void MouseLight::ShowColor(int r, int g, int b)
{
    Colour.Fill(r, g, b);
}

void MouseLight::ShowLightOffWhileMoving(bool on)
{
    OffWhileMovingField.Fill(on ? 1 : 0);
}

void MouseLight::GroupPresetButtons()
{
    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        if (auto *button = findChild<QAbstractButton *>(QStringLiteral("toolButtonColor") + letter))
            PresetGroup->addButton(button);
    }
}

void MouseLight::applyVisibility(int mode)
{
    if (mode < 0 || mode > 6)
        return;
    const bool colour = mode == 2 || mode == 3;
    const bool brightness = mode != 0;
    const bool speed = mode == 1 || mode == 2 || mode == 4 || mode == 5;
    const QList<QWidget *> colourSet = {
        ui->label_6,  ui->label_7,  ui->label_8,  ui->labelPreView, ui->label_11, ui->label_10,
        ui->label_12, ui->RSpinBox, ui->GSpinBox, ui->BSpinBox,     ui->AddR,     ui->AddG,
        ui->AddB,     ui->ReduceR,  ui->ReduceG,  ui->ReduceB,      ui->label_13};
    for (QWidget *w : colourSet)
        w->setVisible(colour);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        if (QWidget *button = findChild<QWidget *>(QStringLiteral("toolButtonColor") + letter))
            button->setVisible(colour);
    }
    ui->horizontalLight->setVisible(brightness);
    ui->LightSpinBox_2->setVisible(brightness);
    ui->line->setVisible(!brightness);
    ui->horizontalSpeed->setVisible(speed);
    ui->SpeedSpinBox_2->setVisible(speed);
    ui->line_2->setVisible(!speed);
}

void MouseLight::mousePressEvent(QMouseEvent *event)
{
    ColourBoardWidgets w;
    w.editor = this;
    w.board = ui->label_7;
    w.red = ui->RSpinBox;
    w.green = ui->GSpinBox;
    w.blue = ui->BSpinBox;
    w.valueBoxes = {ui->LightSpinBox_2, ui->SpeedSpinBox_2};
    w.preview = ui->labelPreView;
    w.offlineGuard = true;
    w.apply = [this](int r, int g, int b) { Colour.Change(r, g, b); };
    HandleColourBoardPress(w, event);
}
