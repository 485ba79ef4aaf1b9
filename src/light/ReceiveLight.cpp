#include "light/ReceiveLight.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"
#include "light/ColourBoardPress.h"
#include "light/LightState.h"
#include "light/LightStyles.h"

#include "ui_ReceiveLight.h"

ReceiveLight::ReceiveLight(QWidget *parent) : QFrame(parent), ui(new Ui::ReceiveLight)
{
    ui->setupUi(this);
    PictureFolder = LightStyles::LightFolder();
    ui->line_3->hide();
    ui->line_4->hide();
    ui->TitleButton_5->setStyleSheet(LightStyles::Title("TitleButton_5", PictureFolder));
    applyTheme();
    bindControls();
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

ReceiveLight::~ReceiveLight()
{
    delete ui;
}

void ReceiveLight::applyTheme()
{
    const QString d = PictureFolder;
    const QString text = ThemeColorText("ComboxTextColor");
    const QString select = ThemeColorText("ComboxSelectColor");
    const QString back = ThemeColorText("ComboxBackGroundColor");
    ui->LightMod_2->setStyleSheet(LightStyles::Combo(d, text, back, select));
    LightStyles::SetComboList(ui->LightMod_2, select);

    const QString label = ThemeColorText("LabelColor");
    for (QLabel *l : {ui->label_9, ui->label_14, ui->label_15, ui->label_23, ui->label_20,
                      ui->label_21, ui->label_22, ui->label_18, ui->label_19})
        l->setStyleSheet(LightStyles::Label(label));
    ui->SpeedSpinBox_3->setStyleSheet(LightStyles::ValueBox(label));
    ui->LightSpinBox_3->setStyleSheet(LightStyles::ValueBox(label));

    const QString edit = ThemeColorText("LinEditColorSecond");
    for (QSpinBox *box : {ui->RSpinBox_2, ui->GSpinBox_2, ui->BSpinBox_2})
        box->setStyleSheet(LightStyles::ColourBox(edit));

    const QString slider = ThemeColorText("SliderColor");
    ui->horizontalLight_2->setStyleSheet(LightStyles::Slider(d, slider));
    ui->horizontalSpeed_2->setStyleSheet(LightStyles::Slider(d, slider));

    ui->label_24->setStyleSheet(
        "#label_24{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
        d + "ColorBoard.png" + ");}");
    for (QWidget *w : {static_cast<QWidget *>(ui->ReduceR_2), static_cast<QWidget *>(ui->ReduceG_2),
                       static_cast<QWidget *>(ui->ReduceB_2)})
        w->setStyleSheet(LightStyles::Picture(w->objectName(), d, "Reduce.png"));
    for (QWidget *w : {static_cast<QWidget *>(ui->AddR_2), static_cast<QWidget *>(ui->AddG_2),
                       static_cast<QWidget *>(ui->AddB_2)})
        w->setStyleSheet(LightStyles::Picture(w->objectName(), d, "Add.png"));
    ui->labelPreView_2->setStyleSheet(
        LightStyles::Picture("labelPreView_2", d, "PreviewColor.png"));
    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        const QString name = QStringLiteral("toolButtonColor") + letter + "_2";
        if (QWidget *button = findChild<QWidget *>(name))
            button->setStyleSheet(
                LightStyles::PresetButton(name, d, QStringLiteral("Color") + letter + ".png"));
    }
}

void ReceiveLight::SlotAllLanguage(int index)
{
    LabelMap &modes = LightModeOptionsLabels[index];
    for (int i = 0; i < ui->LightMod_2->count() && i < 7; ++i)
        ui->LightMod_2->setItemText(i, modes[QString::number(i)]);
    LabelMap &light = LightLabels[index];
    ui->label_9->setText(light["receiverLight"]);
    ui->label_14->setText(light["Brightness"]);
    ui->label_15->setText(light["Speed"]);
    ui->label_23->setText(light["Preview"]);
    ui->label_18->setText(light["CustomColor"]);
    ui->label_22->setText(light["Preset"]);
}

void ReceiveLight::BlockEditorSignals(bool block)
{
    for (QObject *o :
         {static_cast<QObject *>(ui->horizontalLight_2),
          static_cast<QObject *>(ui->horizontalSpeed_2), static_cast<QObject *>(ui->RSpinBox_2),
          static_cast<QObject *>(ui->GSpinBox_2), static_cast<QObject *>(ui->BSpinBox_2)})
        o->blockSignals(block);
}

void ReceiveLight::ShowLightMode(int index)
{
    ModeField.Fill(index);
}

void ReceiveLight::ShowBrightness(int value)
{
    BrightnessField.Fill(value);
}

void ReceiveLight::ShowBrightnessValue(int value)
{
    ui->LightSpinBox_3->setValue(value);
}

void ReceiveLight::ShowSpeed(int value)
{
    SpeedField.Fill(value);
}

void ReceiveLight::ShowSpeedValue(int value)
{
    ui->SpeedSpinBox_3->setValue(value);
}

void ReceiveLight::ShowColor(int r, int g, int b)
{
    Colour.Fill(r, g, b);
}

void ReceiveLight::EnableSliders(bool enabled)
{
    ui->horizontalLight_2->setEnabled(enabled);
    ui->horizontalSpeed_2->setEnabled(enabled);
}

void ReceiveLight::applyVisibility(int mode)
{
    if (mode < 0 || mode > 6)
        return;
    const bool colour = mode == 2 || mode == 3;
    const bool brightness = mode != 0;
    const bool speed = mode == 1 || mode == 2 || mode == 4 || mode == 5;
    const QList<QWidget *> colourSet = {
        ui->label_23,  ui->label_24, ui->label_18,   ui->labelPreView_2, ui->label_19,
        ui->label_20,  ui->label_21, ui->RSpinBox_2, ui->GSpinBox_2,     ui->BSpinBox_2,
        ui->AddR_2,    ui->AddG_2,   ui->AddB_2,     ui->ReduceR_2,      ui->ReduceG_2,
        ui->ReduceB_2, ui->label_22};
    for (QWidget *w : colourSet)
        w->setVisible(colour);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMN");
    for (const QChar letter : letters) {
        if (QWidget *button =
                findChild<QWidget *>(QStringLiteral("toolButtonColor") + letter + "_2"))
            button->setVisible(colour);
    }
    ui->horizontalLight_2->setVisible(brightness);
    ui->LightSpinBox_3->setVisible(brightness);
    ui->line_3->setVisible(!brightness);
    ui->horizontalSpeed_2->setVisible(speed);
    ui->SpeedSpinBox_3->setVisible(speed);
    ui->line_4->setVisible(!speed);
}

void ReceiveLight::mousePressEvent(QMouseEvent *event)
{
    ColourBoardWidgets w;
    w.editor = this;
    w.board = ui->label_24;
    w.red = ui->RSpinBox_2;
    w.green = ui->GSpinBox_2;
    w.blue = ui->BSpinBox_2;
    w.valueBoxes = {ui->LightSpinBox_3, ui->SpeedSpinBox_3};
    w.preview = ui->labelPreView_2;
    w.offlineGuard = true;
    w.apply = [this](int r, int g, int b) { Colour.Change(r, g, b); };
    HandleColourBoardPress(w, event);
}
