#include "settings/LightModeSet.h"

#include "common/ConfigIniStore.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/ThemeStyles.h"
#include "hub/PostMsg.h"
#include "platform/ScreenPicker.h"
#include "ui_LightModeSet.h"

#include <QCoreApplication>
#include <QMouseEvent>

namespace {

struct Rgb
{
    int r, g, b;
};

// The same presets as the mouse light editor, A to N.
const Rgb Presets[14] = {{255, 0, 0},    {0, 255, 255},  {0, 255, 0},     {255, 0, 255},
                         {255, 255, 0},  {255, 80, 0},   {0, 0, 255},     {227, 0, 127},
                         {46, 166, 223}, {96, 25, 133},  {255, 255, 255}, {139, 178, 36},
                         {255, 155, 51}, {208, 113, 173}};

} // namespace

LightModeSet::LightModeSet(QWidget *parent) : QDialog(parent), ui(new Ui::LightModeSet)
{
    ui->setupUi(this);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/ScreeInfo/";
    setWindowFlags(Qt::SubWindow | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    const QString f = PictureFolder;
    const QString l = ThemeColorText("LabelColor");
    const QString s = ThemeColorText("SliderColor");
    for (QWidget *label : {ui->label, ui->label_2, ui->label_3, ui->label_6, ui->label_7,
                           ui->label_8, ui->label_10, ui->label_11, ui->label_12, ui->label_13})
        label->setStyleSheet("QLabel{color: rgb(" + l + ";);}");
    const QString tail = ");border:0px;background-position:center;background-repeat:no-repeat;}";
    for (QWidget *button : {ui->ReduceR, ui->ReduceG, ui->ReduceB})
        button->setStyleSheet("#" + button->objectName() + "{background-image: url(" + f +
                              "Reduce.png" + tail);
    for (QWidget *button : {ui->AddR, ui->AddG, ui->AddB})
        button->setStyleSheet("#" + button->objectName() + "{background-image: url(" + f +
                              "Add.png" + tail);
    LazyPictures::SetStyleSheet(
        ui->LightModeSetframe,
        "#LightModeSetframe{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
            f + "Back.png" + ");}");
    ui->CloseButton->setStyleSheet(ThemeStyles::CloseButton(f, "CloseButton.png"));
    const QString e = ThemeColorText("LinEditColorSecond");
    for (QWidget *box : {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox})
        box->setStyleSheet(ThemeStyles::ColourBox(e));
    on_LightMod_currentIndexChanged(ui->LightMod->currentIndex());
    const QString t = ThemeColorText("ComboxTextColor");
    const QString c = ThemeColorText("ComboxSelectColor");
    const QString g = ThemeColorText("ComboxBackGroundColor");
    ui->LightMod->setStyleSheet(ThemeStyles::Combo(f, t, g, c));
    ThemeStyles::SetComboList(ui->LightMod, c);
    for (QWidget *slider : {ui->horizontalLight, ui->horizontalSpeed})
        slider->setStyleSheet(ThemeStyles::Slider(f, s));
    ui->labelPreView->setStyleSheet("#labelPreView{background-image: url(" + f +
                                    "PreviewColor.png" +
                                    ");border:0px;background-position:center;background-repeat:no-"
                                    "repeat;}");
    const QList<QToolButton *> presets =
        findChildren<QToolButton *>(QRegularExpression(QStringLiteral("^toolButtonColor[A-N]$")));
    for (QToolButton *button : presets) {
        const QString letter = button->objectName().right(1);
        button->setStyleSheet("#" + button->objectName() +
                              "{border:0px;background-position:center;background-repeat:no-repeat;"
                              "background-image: url(" +
                              f + "Color" + letter + ".png" + ");}");
    }
    ui->label_7->setStyleSheet(
        "#label_7{border:0px;background-position:center;background-repeat:no-repeat;background-"
        "image: url(" +
        f + "ColorBoard.png" + ");}");
    ScaleWidgetFonts(this, FontScaleFactor());
}

LightModeSet::~LightModeSet() = default;

void LightModeSet::on_LightMod_currentIndexChanged(int index)
{
    bool light, speed, colour;
    switch (index) {
    case 0:
        light = speed = colour = false;
        break;
    case 1:
    case 4:
    case 5:
        light = speed = true;
        colour = false;
        break;
    case 2:
        light = speed = colour = true;
        break;
    case 3:
        light = colour = true;
        speed = false;
        break;
    default:
        return;
    }
    ui->horizontalLight->setVisible(light);
    ui->line->setVisible(!light);
    ui->horizontalSpeed->setVisible(speed);
    ui->line_2->setVisible(!speed);
    const QList<QWidget *> group = {
        ui->label_6,  ui->label_7, ui->label_8, ui->labelPreView, ui->label_11, ui->label_10,
        ui->label_12, ui->ReduceR, ui->ReduceG, ui->ReduceB,      ui->RSpinBox, ui->GSpinBox,
        ui->BSpinBox, ui->AddR,    ui->AddG,    ui->AddB,         ui->label_13};
    for (QWidget *widget : group)
        widget->setVisible(colour);
    for (QToolButton *button :
         findChildren<QToolButton *>(QRegularExpression(QStringLiteral("^toolButtonColor[A-N]$"))))
        button->setVisible(colour);
}

void LightModeSet::RepaintPreview()
{
    ui->labelPreView->setStyleSheet(
        "QLabel{background-color: rgb(" + QString::number(ui->RSpinBox->value()) + "," +
        QString::number(ui->GSpinBox->value()) + "," + QString::number(ui->BSpinBox->value()) +
        ");border: 2px solid  rgb(220,220,220);}");
}

void LightModeSet::SetColor(int r, int g, int b)
{
    ui->RSpinBox->setValue(r);
    ui->GSpinBox->setValue(g);
    ui->BSpinBox->setValue(b);
}

void LightModeSet::Preset(int index)
{
    SetColor(Presets[index].r, Presets[index].g, Presets[index].b);
}

void LightModeSet::on_AddR_clicked()
{
    ui->RSpinBox->setValue(ui->RSpinBox->value() + 1);
}
void LightModeSet::on_AddG_clicked()
{
    ui->GSpinBox->setValue(ui->GSpinBox->value() + 1);
}
void LightModeSet::on_AddB_clicked()
{
    ui->BSpinBox->setValue(ui->BSpinBox->value() + 1);
}
void LightModeSet::on_ReduceR_clicked()
{
    ui->RSpinBox->setValue(ui->RSpinBox->value() - 1);
}
void LightModeSet::on_ReduceG_clicked()
{
    ui->GSpinBox->setValue(ui->GSpinBox->value() - 1);
}
void LightModeSet::on_ReduceB_clicked()
{
    ui->BSpinBox->setValue(ui->BSpinBox->value() - 1);
}
void LightModeSet::on_RSpinBox_valueChanged(int)
{
    RepaintPreview();
}
void LightModeSet::on_GSpinBox_valueChanged(int)
{
    RepaintPreview();
}
void LightModeSet::on_BSpinBox_valueChanged(int)
{
    RepaintPreview();
}
void LightModeSet::on_toolButtonColorA_clicked()
{
    Preset(0);
}
void LightModeSet::on_toolButtonColorB_clicked()
{
    Preset(1);
}
void LightModeSet::on_toolButtonColorC_clicked()
{
    Preset(2);
}
void LightModeSet::on_toolButtonColorD_clicked()
{
    Preset(3);
}
void LightModeSet::on_toolButtonColorE_clicked()
{
    Preset(4);
}
void LightModeSet::on_toolButtonColorF_clicked()
{
    Preset(5);
}
void LightModeSet::on_toolButtonColorG_clicked()
{
    Preset(6);
}
void LightModeSet::on_toolButtonColorH_clicked()
{
    Preset(7);
}
void LightModeSet::on_toolButtonColorI_clicked()
{
    Preset(8);
}
void LightModeSet::on_toolButtonColorJ_clicked()
{
    Preset(9);
}
void LightModeSet::on_toolButtonColorK_clicked()
{
    Preset(10);
}
void LightModeSet::on_toolButtonColorL_clicked()
{
    Preset(11);
}
void LightModeSet::on_toolButtonColorM_clicked()
{
    Preset(12);
}
void LightModeSet::on_toolButtonColorN_clicked()
{
    Preset(13);
}

void LightModeSet::SlotAllLanguage(int) {}

void LightModeSet::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}

// The screen colour pick, without an online guard: the dialog writes nothing.
void LightModeSet::mousePressEvent(QMouseEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return;
    const QPoint p = event->pos();
    const bool inBox = ui->RSpinBox->geometry().contains(p) ||
                       ui->GSpinBox->geometry().contains(p) || ui->BSpinBox->geometry().contains(p);
    if (!inBox) {
        ui->RSpinBox->clearFocus();
        ui->GSpinBox->clearFocus();
        ui->BSpinBox->clearFocus();
        setFocus(Qt::OtherFocusReason);
    }
    if (!ui->label_7->geometry().contains(p))
        return;
    // The picker turns the cursor into the screen's own pixels and back for
    // Qt, as the light editors' colour boards do.
    const ScreenPicker::Pick pick = ScreenPicker::pickAtCursor();
    // No usable pixel: the boxes keep their colour.
    if (!pick.valid)
        return;
    SetColor(pick.colour.red(), pick.colour.green(), pick.colour.blue());
    RepaintPreview();
}
