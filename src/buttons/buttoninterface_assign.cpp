// Function assignment: the common path of the menu entries, the mirrors, the
// DPI codes and the writers that restore a button's default function.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/KeyCombination.h"
#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "model/AssignmentLabels.h"

#include <QButtonGroup>
#include <QDebug>
#include <QScrollBar>

#include <cstring>
#include <functional>

namespace {

// A function reaches the button only while writes are open; a mouse that
// does not take it is reported once, and the button keeps what it had.
bool WriteAssignment(const std::function<bool()> &write)
{
    return DeviceField::WritesOpen() && DeviceField::Write(write);
}

const QString ShownBar = QStringLiteral("QScrollBar {width:10px;}");

const unsigned char EventEntry[3] = {5, 0, 0};

} // namespace

int Buttoninterface::DpiValueToCode(int dpi) const
{
    return AssignmentLabels::DpiValueToCode(SensorDefineNames, SensorDefineValues, SensorModel,
                                            dpi);
}

void Buttoninterface::StoreKeyMirrors(int k, int category, int param1, int param2)
{
    if (k < 0 || k >= SelectorCount)
        return;
    // A reset leaves Param2Mirror empty and a model may offer fewer keys than
    // the page has selectors: the mirrors grow to hold every written key.
    for (QVector<int> *mirror : {&CategoryMirror, &Param1Mirror, &Param2Mirror}) {
        if (mirror->size() <= k)
            mirror->resize(k + 1);
    }
    CategoryMirror[k] = category;
    Param1Mirror[k] = param1;
    Param2Mirror[k] = param2;
}

void Buttoninterface::UncheckFunctionMenu()
{
    SubMenuGroup->setExclusive(false);
    for (QAbstractButton *b : SubMenuGroup->buttons()) {
        if (b != ui->VolumeUp_14 && b != ui->VolumeDown_14)
            b->setChecked(false);
    }
    for (QToolButton *b : MacroButtons)
        b->setChecked(false);
    SubMenuGroup->setExclusive(true);
}

int Buttoninterface::CheckedKey() const
{
    // List order of the selectors; the fourth and fifth are crossed.
    const QToolButton *const order[] = {ui->FireKey,  ui->RightKey,  ui->BackKey,  ui->StartPause,
                                        ui->TopMusic, ui->BackMusic, ui->Button7,  ui->Button8,
                                        ui->Button9,  ui->Button10,  ui->Button11, ui->Button12};
    const int keys[] = {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11};
    for (int i = 0; i < SelectorCount; ++i) {
        if (order[i]->isChecked())
            return keys[i];
    }
    return -1;
}

bool Buttoninterface::RefuseLastLeft(int k, bool newIsLeft)
{
    if (newIsLeft)
        return false;
    // The selection guard keeps the last left button from being picked; this
    // one also covers a selection made before the labels changed.
    return LeftButtonGuard(SelectorOfKey(k));
}

void Buttoninterface::AssignEntry(bool checked, bool clearSubEntries, int category, int param1,
                                  int param2, const QString &label, QScrollArea *barArea)
{
    if (!checked)
        return;
    if (clearSubEntries)
        UncheckFunctionMenu();
    const int k = CheckedKey();
    if (k >= 0 && !RefuseLastLeft(k, category == 1 && param1 == 1)) {
        if (WriteAssignment([&] { return SetKeyAssign(k, category, param1, param2); })) {
            SelectorOfKey(k)->setText(label);
            StoreKeyMirrors(k, category, param1, param2);
        }
    }
    ui->stackedWidget->setCurrentIndex(0);
    QScrollArea *area = barArea ? barArea : ui->scrollArea_11;
    area->verticalScrollBar()->setStyleSheet(ShownBar);
    ui->stackedWidget_2->setCurrentIndex(4);
}

bool Buttoninterface::WriteEvents(int k, const KeyEventBlock &block, const QString &label)
{
    if (!WriteAssignment([&] {
            return SetKeyEvents(k, EventEntry, reinterpret_cast<const unsigned char *>(&block));
        }))
        return false;
    StoreKeyMirrors(k, 5, 0, 0);
    SelectorOfKey(k)->setText(label);
    return true;
}

void Buttoninterface::AssignMultimedia(bool checked, int usage, QToolButton *entry)
{
    if (!checked)
        return;
    const int k = CheckedKey();
    if (k >= 0 && !RefuseLastLeft(k, false))
        WriteEvents(k, KeyCombination::ConsumerBlock(usage), entry->text());
    CloseMenu();
}

void Buttoninterface::AssignDpiLock(bool checked, int dpi)
{
    if (!checked)
        return;
    const int code = DpiValueToCode(dpi);
    // The key entry holds one byte: a code beyond it would lock another DPI.
    if (code < 0 || code > 0xFF) {
        qWarning() << "DPI" << dpi << "has the sensor code" << code
                   << "which a key cannot hold; not assigned";
        CloseMenu();
        UpDateWarning notice;
        notice.SetText(KeyLabels[CurrentLanguage].value(QStringLiteral("DpiLockRefused")).arg(dpi));
        PlaceDialog(&notice, 75, 65);
        notice.exec();
        return;
    }
    AssignEntry(checked, false, 10, code, 0,
                ui->DPI_4->text() + QStringLiteral("-") + QString::number(dpi));
}

QToolButton *Buttoninterface::MultimediaEntryOfLowByte(int lowByte) const
{
    QToolButton *const entries[KeyCombination::MultimediaUsageCount] = {
        ui->Player,        ui->StartPause_2,  ui->BackMusic_2,  ui->TopMusic_2,   ui->Mute,
        ui->VolumeUp,      ui->VolumeDown,    ui->VolumeDown_4, ui->VolumeDown_5, ui->VolumeDown_6,
        ui->VolumeDown_3,  ui->VolumeDown_8,  ui->VolumeDown_9, ui->VolumeDown_7, ui->VolumeDown_10,
        ui->VolumeDown_12, ui->VolumeDown_13, ui->VolumeDown_11};
    for (int i = 0; i < KeyCombination::MultimediaUsageCount; ++i) {
        if ((KeyCombination::MultimediaUsages[i] & 0xFF) == lowByte)
            return entries[i];
    }
    return nullptr;
}

bool Buttoninterface::RestoreMultimediaKey(int k, int lowByte)
{
    const int usage = KeyCombination::MultimediaUsageOfLowByte(lowByte);
    if (usage == 0 || !SelectorOfKey(k))
        return false;
    return WriteEvents(k, KeyCombination::ConsumerBlock(usage),
                       MultimediaEntryOfLowByte(lowByte)->text());
}

bool Buttoninterface::RestoreCombinationKey(int k, const QString &text)
{
    ui->stackedWidget_2->setCurrentIndex(4);
    UncheckFunctionMenu();
    bool written = false;
    KeyEventBlock block;
    if (!SelectorOfKey(k)) {
        // nothing to write
    } else if (!KeyCombination::Parse(text, &block)) {
        qWarning() << "key combination" << text << "has more than three keys; not assigned";
    } else {
        written = WriteEvents(k, block, text);
    }
    ui->stackedWidget->setCurrentWidget(ui->page_2);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(ShownBar);
    ui->stackedWidget_2->setCurrentIndex(4);
    return written;
}

bool Buttoninterface::RestoreDefaultKey(int k)
{
    if (!SelectorOfKey(k))
        return false;

    // The model's own event-block default (Config.ini KeyParam<k+1> starting
    // with "0x05"): 3 items name a consumer usage, 4 items a combination.
    if (k < 6) {
        const QStringList list = ConfigIniStore::GetInstance()->GetValueList(
            DriveGroup(), QStringLiteral("KeyParam") + QString::number(k + 1));
        const KeyCombination::EventDefault d = KeyCombination::EventDefaultOf(list);
        switch (d.kind) {
        case KeyCombination::EventDefault::Kind::Multimedia:
            return RestoreMultimediaKey(k, d.lowByte);
        case KeyCombination::EventDefault::Kind::Combination:
            return RestoreCombinationKey(k, d.text);
        case KeyCombination::EventDefault::Kind::Unusable:
            // Left as it is, the button would keep playing the deleted
            // macro's record: the fixed default below applies instead.
            qWarning() << "Config.ini" << DriveGroup() << "KeyParam" << k + 1
                       << "is no usable default:" << list;
            break;
        case KeyCombination::EventDefault::Kind::NotListed:
            break;
        }
    }

    struct Default
    {
        int category;
        int param1;
        int param2;
        QAbstractButton *entry;
    };
    const Default defaults[SelectorCount] = {
        {1, 1, 0, ui->LeftKey_3},
        {1, 2, 0, ui->RightKey_3},
        {1, 4, 0, ui->MidKey},
        {1, 8, 0, ui->BackKey_2},
        {1, 16, 0, ui->ForWardKey},
        {2, 1, 0, ui->VolumeUp_8},
        {2, 2, 0, ui->VolumeUp_9},
        {2, 3, 0, ui->VolumeUp_10},
        {7, 0, 0, ui->DPI_2},
        {7, 0, 0, ui->DPI_2},
        {4, FireKeyInterval, FireKeyTimes, ui->DPI_6},
        {0, 0, 0, ui->DPI_5},
    };
    const Default &d = defaults[k];
    // The function and the cleared event block go to the device in one
    // guarded write.
    const unsigned char entry[3] = {uint8_t(d.category), uint8_t(d.param1), uint8_t(d.param2)};
    KeyEventBlock empty;
    std::memset(&empty, 0, sizeof(empty));
    if (!WriteAssignment([&] {
            return SetKeyEvents(k, entry, reinterpret_cast<const unsigned char *>(&empty));
        }))
        return false;
    SelectorOfKey(k)->setText(d.entry->text());
    StoreKeyMirrors(k, d.category, d.param1, d.param2);
    return true;
}
