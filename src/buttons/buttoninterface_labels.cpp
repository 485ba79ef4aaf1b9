// The assignment label decoder: the text of a selector from the assignment
// of its key.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroSyncLedger.h"
#include "common/StorageNotice.h"
#include "hub/PostMsg.h"
#include "model/AssignmentLabels.h"
#include "model/MacroFiles.h"

#include <QDebug>

namespace {

struct ConsumerEntry
{
    int lowByte;
    QToolButton *Ui_Buttoninterface::*entry;
};

// Only the low byte of the usage is compared: the entries' usages differ in it.
const ConsumerEntry ConsumerEntries[] = {
    {0x83, &Ui_Buttoninterface::Player},        {0xCD, &Ui_Buttoninterface::StartPause_2},
    {0xB5, &Ui_Buttoninterface::BackMusic_2},   {0xB6, &Ui_Buttoninterface::TopMusic_2},
    {0xB7, &Ui_Buttoninterface::Mute},          {0xE2, &Ui_Buttoninterface::VolumeUp},
    {0xE9, &Ui_Buttoninterface::VolumeDown},    {0xEA, &Ui_Buttoninterface::VolumeDown_4},
    {0x8A, &Ui_Buttoninterface::VolumeDown_5},  {0x92, &Ui_Buttoninterface::VolumeDown_6},
    {0x94, &Ui_Buttoninterface::VolumeDown_3},  {0x23, &Ui_Buttoninterface::VolumeDown_8},
    {0x21, &Ui_Buttoninterface::VolumeDown_9},  {0x24, &Ui_Buttoninterface::VolumeDown_10},
    {0x25, &Ui_Buttoninterface::VolumeDown_7},  {0x26, &Ui_Buttoninterface::VolumeDown_12},
    {0x27, &Ui_Buttoninterface::VolumeDown_13}, {0x2A, &Ui_Buttoninterface::VolumeDown_11},
};

} // namespace

QString Buttoninterface::KeyCodeName(int code, int kind)
{
    return AssignmentLabels::KeyCodeName(code, kind);
}

int Buttoninterface::DpiCodeToValue(int code) const
{
    return AssignmentLabels::DpiCodeToValue(SensorDefineNames, SensorDefineValues, SensorModel,
                                            code);
}

void Buttoninterface::DecodeKeyAssignment(int k, int category, int param1, int param2,
                                          FlashDataMap DataMap)
{
    QToolButton *selector = SelectorOfKey(k);
    if (!selector)
        return;

    auto textOf = [](QAbstractButton *entry) { return entry->text(); };
    switch (category) {
    case 0:
        selector->setText(textOf(ui->DPI_5));
        break;
    case 1:
        switch (param1) {
        case 1:
            selector->setText(textOf(ui->LeftKey_3));
            break;
        case 2:
            selector->setText(textOf(ui->RightKey_3));
            break;
        case 4:
            selector->setText(textOf(ui->MidKey));
            break;
        case 8:
            selector->setText(textOf(ui->BackKey_2));
            break;
        case 16:
            selector->setText(textOf(ui->ForWardKey));
            break;
        default:
            break;
        }
        break;
    case 2:
        switch (param1) {
        case 1:
            selector->setText(textOf(ui->VolumeUp_8));
            break;
        case 2:
            selector->setText(textOf(ui->VolumeUp_9));
            break;
        case 3:
            selector->setText(textOf(ui->VolumeUp_10));
            break;
        default:
            break;
        }
        break;
    case 3:
        if (param1 == 1)
            selector->setText(textOf(ui->VolumeUp_2));
        else if (param1 == 2)
            selector->setText(textOf(ui->VolumeDown_2));
        break;
    case 4:
        selector->setText(textOf(ui->DPI_6));
        break;
    case 5: {
        const KeyEventBlock &block = DataMap.KeyEvents[k];
        if (block.Strokes[0].Kind == 2) {
            const int low = block.Strokes[0].Code & 0xFF;
            for (const ConsumerEntry &e : ConsumerEntries) {
                if (e.lowByte == low) {
                    selector->setText(textOf(ui->*(e.entry)));
                    break;
                }
            }
            break;
        }
        // Presses of the combination's keys, then their releases: the first
        // half names the keys. A block holds six strokes at most, whatever its
        // count claims.
        const int keys = AssignmentLabels::BoundedStrokeCount(block.StrokeCount) / 2;
        QString text;
        for (int i = 0; i < keys; ++i) {
            const QString name = KeyCodeName(block.Strokes[i].Code & 0xFF, block.Strokes[i].Kind);
            text += i == 0 ? name : QStringLiteral("+") + name;
        }
        selector->setText(text);
        break;
    }
    case 6: {
        const MacroRecord &record = DataMap.Macros[k];
        const QString name = AssignmentLabels::MacroNameFromBytes(
            record.MacroNameBytes, int(sizeof(record.MacroNameBytes)));
        selector->setText(MacroLabelPrefix + name);
        SyncMacroFile(k, param2, DataMap, name);
        break;
    }
    case 7:
        selector->setText(textOf(ui->DPI_2));
        break;
    case 8:
        switch (param1) {
        case 0:
            selector->setText(textOf(ui->VolumeUp_4));
            break;
        case 1:
            selector->setText(textOf(ui->VolumeUp_5));
            break;
        case 3:
            selector->setText(textOf(ui->VolumeUp_6));
            break;
        case 4:
            selector->setText(textOf(ui->VolumeUp_7));
            break;
        default:
            break;
        }
        break;
    case 9:
        selector->setText(textOf(ui->DPI_3));
        break;
    case 10:
        selector->setText(textOf(ui->DPI_4) + QStringLiteral("-") +
                          QString::number(DpiCodeToValue(param1)));
        break;
    case 11:
        if (param1 == 1)
            selector->setText(textOf(ui->VolumeUp_14));
        else if (param1 == 2)
            selector->setText(textOf(ui->VolumeDown_14));
        break;
    default:
        break;
    }
}

void Buttoninterface::SyncMacroFile(int k, int param2, const FlashDataMap &DataMap,
                                    const QString &name)
{
    // The name becomes a file name: one that is empty or would leave the
    // macro folder is not written anywhere.
    if (!AssignmentLabels::IsSafeMacroName(name)) {
        qWarning() << "Macro of key" << k << "has no usable name; its file is not rebuilt:" << name;
        return;
    }
    const MacroRecord &record = DataMap.Macros[k];
    const QByteArray digest = MacroSyncLedger::DeviceDigest(
        param2, reinterpret_cast<const unsigned char *>(&record), int(sizeof(MacroRecord)));
    switch (MacroLedger->decide(name, digest)) {
    case MacroSyncLedger::Decision::Rebuild:
        break;
    case MacroSyncLedger::Decision::Replaced:
        // An older copy of a file's macro (maybe under the file's former
        // name): the file goes to the button once the fill is done.
        MacrosReplacedOnRead.insert(MacroLedger->replacedBy(digest));
        return;
    case MacroSyncLedger::Decision::UpToDate:
    case MacroSyncLedger::Decision::KeepLocalEdit:
    case MacroSyncLedger::Decision::KeepUnknownFile:
        return;
    }
    // Repeat line and events in one write: a failure leaves the file as it
    // was (or none), never a macro without its events, and is not recorded,
    // so the next read tries again.
    if (!WriteDeviceMacroFile(name, param2, record)) {
        StorageNotice::Report(StorageNotice::Kind::Macros, MacroFilePath(name));
        return;
    }
    emit PostMsg::GetInstance()->SigButtonToMacro(DataMap, k);
    MacroLedger->recordSynced(name, digest, MacroSyncLedger::Change::Rebuilt);
}
