#include "macro/addKey.h"

#include "ui_addKey.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"
#include "model/KeyNames.h"
#include "platform/KeyboardHook.h"

#include <QKeyEvent>

addKey::addKey(QWidget *parent) : NoticeDialog(parent), ui(new Ui::addKey)
{
    ui->setupUi(this);

    Hook = new KeyboardHook(this);
    Hook->SetCallback(
        [this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });
    Hook->Install();

    Look look;
    look.frame = ui->addKeyA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong, ui->NewHong_2};
    applyLook(look);
    ui->lineEdit->setStyleSheet(QStringLiteral("QLineEdit{color: rgb(") +
                                ThemeColorText(QStringLiteral("LinEditColor")) +
                                QStringLiteral(";);}"));
    ui->lineEdit->setFocus(Qt::ActiveWindowFocusReason);

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    scaleFonts();
}

addKey::~addKey()
{
    Hook->Uninstall();
}

// However the dialog ends, no key reaches it afterwards.
void addKey::done(int result)
{
    Hook->Uninstall();
    NoticeDialog::done(result);
}

void addKey::on_CloseButton_clicked()
{
    OkPressed = false;
    reject();
}

void addKey::on_NewHong_clicked()
{
    OkPressed = true;
    accept();
}

void addKey::on_NewHong_2_clicked()
{
    OkPressed = false;
    reject();
}

void addKey::UpdateCapslockTip(int keyCode, bool, bool)
{
    QString name;
    if (!VirtualKeyToKeyName(keyCode, &name))
        name.clear();
    ui->lineEdit->setText(name);
    KeyName = name;
}

void addKey::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index][QStringLiteral("EnterKey")]);
    ui->NewHong->setText(CommonLabels[index][QStringLiteral("OK")]);
    ui->NewHong_2->setText(CommonLabels[index][QStringLiteral("Cancel")]);
}

// Escape and F12 are keys the user may want to name; they must not end or
// disturb the dialog.
void addKey::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    NoticeDialog::keyPressEvent(event);
}
