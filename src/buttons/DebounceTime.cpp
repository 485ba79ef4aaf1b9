#include "buttons/DebounceTime.h"
#include "ui_DebounceTime.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/LessThree.h"
#include "common/SharedState.h"
#include "common/ThemeStyles.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"

#include <QCoreApplication>
#include <QSignalBlocker>

DebounceTime::DebounceTime(QWidget *parent) : QFrame(parent), ui(new Ui_DebounceTime)
{
    ui->setupUi(this);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/";

    const QString text = ThemeColorText("ComboxTextColor");
    const QString background = ThemeColorText("ComboxBackGroundColor");
    const QString selection = ThemeColorText("ComboxSelectColor");
    ui->Debunce->setStyleSheet(ThemeStyles::Combo(PictureFolder, text, background, selection));
    ThemeStyles::SetComboList(ui->Debunce, selection);

    DebounceField = DeviceField(
        ui->Debunce, [](int ms) { return SetDebounceTime(ms); },
        [this](int ms) { ui->Debunce->setCurrentIndex(ms); },
        [this](int ms) {
            emit PostMsg::GetInstance()->SigDebunce(ms < 0 ? QString()
                                                           : ui->Debunce->currentText());
        });
}

DebounceTime::~DebounceTime()
{
    delete ui;
}

int DebounceTime::CurrentIndex() const
{
    return ui->Debunce->currentIndex();
}

void DebounceTime::SetCurrentDebounce(int ms)
{
    // No item for this value: show none rather than a wrong one.
    DebounceField.Fill(ms < 0 || ms >= ui->Debunce->count() ? -1 : ms);
}

void DebounceTime::SetItemText(int index, const QString &suffix)
{
    if (index < 0 || index >= ui->Debunce->count())
        return;
    ui->Debunce->setItemText(index, QString::number(index) + suffix);
}

void DebounceTime::on_Debunce_currentIndexChanged(int index)
{
    if (index < 0 || !DebounceField.Change(index))
        return;
    if (index <= 7) {
        LessThree notice;
        DialogPlacement::centreOver(&notice, this, -409, -202);
        notice.exec();
    }
}
