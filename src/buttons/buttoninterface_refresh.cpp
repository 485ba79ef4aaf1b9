// Filling the page from a parameter block, from the defaults, and the profile
// box and mouse picture.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroSyncLedger.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"

#include <QSignalBlocker>

namespace {

// Defaults of keys 0..11: left, right, middle, back, forward, DPI cycle, DPI
// up, DPI down, report-rate switch twice, fire key (interval 10), disabled.
const int DefaultCategories[Buttoninterface::SelectorCount] = {1, 1, 1, 1, 1, 2, 2, 2, 7, 7, 4, 0};
const int DefaultParam1[Buttoninterface::SelectorCount] = {1, 2, 4, 8, 16, 1, 2, 3, 0, 0, 10, 0};
const int DefaultDebounceMs = 8;

} // namespace

QString Buttoninterface::DriveGroup() const
{
    return QStringLiteral("Drive") + QString::number(CurrentDeviceInfo.DriveIndex + 1);
}

int Buttoninterface::CurrentKeyNumber() const
{
    bool ok = false;
    const int n = ConfigIniStore::GetInstance()->GetValue(DriveGroup(), "KeyNumber").toInt(&ok);
    // The page has twelve selectors (and the key table sixteen entries); a
    // larger number would label keys that have no selector.
    if (!ok || n < 0)
        return 0;
    return qMin(n, int(SelectorCount));
}

void Buttoninterface::LoadMirrors(const FlashDataMap &DataMap)
{
    // Every selector gets its entry, whatever KeyNumber says, so that a
    // selector or a menu entry never indexes past the mirrors.
    CategoryMirror.fill(0, SelectorCount);
    Param1Mirror.fill(0, SelectorCount);
    Param2Mirror.fill(0, SelectorCount);
    for (int k = 0; k < SelectorCount; ++k) {
        CategoryMirror[k] = DataMap.Keys[k].Category;
        Param1Mirror[k] = DataMap.Keys[k].Param1;
        Param2Mirror[k] = DataMap.Keys[k].Param2;
    }
}

void Buttoninterface::FillFromBlock(const FlashDataMap &DataMap)
{
    const int n = CurrentKeyNumber();
    MacrosReplacedOnRead.clear();
    LoadMirrors(DataMap);
    for (int k = 0; k < n; ++k)
        DecodeKeyAssignment(k, CategoryMirror.at(k), Param1Mirror.at(k), Param2Mirror.at(k),
                            DataMap);
    ui->DebunceButton->SetCurrentDebounce(DataMap.DebounceMs);
}

void Buttoninterface::SlotUpDataButtonUIButton(FlashDataMap DataMap)
{
    ButtonPageUpdated = false;
    ButtonPageFilling = true;
    emit PostMsg::GetInstance()->SigLightToFrom(DataMap.SleepTimeCode * 10);
    SensorModel = ConfigIniStore::GetInstance()->GetValue(DriveGroup(), "Sensor");
    FillFromBlock(DataMap);
    ButtonPageUpdated = true;
    ButtonPageFilling = false;
    // The mouse was read again (back from sleep, chosen again): macros saved
    // or renamed while it could not take them, and those whose older copies
    // it holds, go to it now, from the event loop, once the read's own fill
    // is done.
    if (!MacroLedger->pendingNames().isEmpty() || !MacrosReplacedOnRead.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { SendPendingMacros(); }, Qt::QueuedConnection);
}

void Buttoninterface::SlotUpDataButtonUIB(FlashDataMap DataMap)
{
    ButtonPageFilling = true;
    SensorModel = ConfigIniStore::GetInstance()->GetValue(DriveGroup(), "Sensor");
    emit PostMsg::GetInstance()->SigLightToFrom(DataMap.SleepTimeCode * 10);
    FillFromBlock(DataMap);
    ButtonPageFilling = false;
}

void Buttoninterface::SlotFormResetButton()
{
    ButtonPageFilling = true;
    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(4);

    CategoryMirror.fill(0, SelectorCount);
    Param1Mirror.fill(0, SelectorCount);
    Param2Mirror.fill(0, SelectorCount);
    for (int k = 0; k < SelectorCount; ++k) {
        CategoryMirror[k] = DefaultCategories[k];
        Param1Mirror[k] = DefaultParam1[k];
    }
    // Without device data the selectors show the defaults just loaded, not
    // whatever the previous device left on them. None of the defaults needs
    // the event blocks or macro records, so an empty block is passed.
    const FlashDataMap empty{};
    for (int k = 0; k < SelectorCount; ++k)
        DecodeKeyAssignment(k, CategoryMirror.at(k), Param1Mirror.at(k), Param2Mirror.at(k), empty);

    ui->DebunceButton->SetCurrentDebounce(DefaultDebounceMs);
    emit PostMsg::GetInstance()->SigLightToFrom(60);
    ButtonPageFilling = false;
}

void Buttoninterface::SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable)
{
    MyConmboBox *box = ui->ProjectChoose;
    {
        // A programmatic change is not a user's choice of profile.
        const QSignalBlocker blocker(box);
        box->clear();
        if (ToTalItem > 0) {
            for (int i = 0; i < ToTalItem; ++i)
                box->insertItem(i, ProfileNamePrefix + QString::number(i + 1));
        } else if (ToTalItem == 0) {
            box->insertItem(0, ProfileNamePrefix + QStringLiteral("1"));
        }
    }
    box->setEnabled(ItemEnable);
    // The mouse's own profile; the summary panel learns its name.
    ProfileField.Fill(ToTalItem > 0 ? SelectIndex : box->currentIndex());
}

void Buttoninterface::SlotMouseIndex(int index)
{
    ui->widget->setStyleSheet(
        "#widget{border:0px;background-position:center;background-repeat:no-repeat;background-"
        "image: url(" +
        PictureFolder + "mouse" + QString::number(index) + ".png" + ");}");
}
