// Conversions between the event list and the device's macro record.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "app/PostMsg.h"
#include "buttons/AssignmentLabels.h"
#include "common/KeyNumberLimit.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "macro/KeyNames.h"

#include <QtDebug>

#include <cstring>

namespace {

constexpr int MaxStrokes = 70;
constexpr int NameBytes = 30;

// The local 8-bit bytes of name, cut before the first character that would
// not fit whole into the record's name field.
QByteArray NameBytesOf(const QString &name)
{
    QByteArray bytes = name.toLocal8Bit();
    if (bytes.size() <= NameBytes)
        return bytes;
    int n = 0;
    while (n < name.size()) {
        const int step = (name.at(n).isHighSurrogate() && n + 1 < name.size()) ? 2 : 1;
        if (name.left(n + step).toLocal8Bit().size() > NameBytes)
            break;
        n += step;
    }
    return name.left(n).toLocal8Bit();
}

} // namespace

void Macro::SlotMacroDownLoadData(QString MacroName, int index)
{
    if (index < 0 || index >= 16)
        return;
    const FlashDataMap current = FlashDataSnapshot();
    unsigned char entry[sizeof(KeyAssign)];
    std::memcpy(entry, &current.Keys[index], sizeof entry);

    MacroName.remove(QChar(0));
    if (!ui->listWidgetHong->currentItem() || MacroName != CurrentMacroName() || !DeviceDataReady)
        return;

    unsigned char record[sizeof(MacroRecord)];
    std::memset(record, 0, sizeof record);
    const QByteArray name = NameBytesOf(MacroName);
    record[offsetof(MacroRecord, MacroNameLength)] = uint8_t(name.size());
    std::memcpy(record + offsetof(MacroRecord, MacroNameBytes), name.constData(),
                size_t(name.size()));

    const int items = ui->listWidgetKey->count();
    // Key items on even rows, delays on odd rows; a trailing delay still
    // opens a stroke of its own.
    const int strokes = items > 0 ? items / 2 + 1 : 0;
    if (strokes > MaxStrokes) {
        // A cut macro would play something the user never made; refuse it.
        qWarning() << "Macro" << MacroName << "has more events than the device holds";
        KeyNumberLimit notice;
        RunPlaced(notice, 100, 50);
        return;
    }
    int i = 0;
    for (int j = 0; j < items; ++j) {
        const QListWidgetItem *item = ui->listWidgetKey->item(j);
        unsigned char *stroke =
            record + offsetof(MacroRecord, Strokes) + size_t(i) * sizeof(KeyStroke);
        if (j % 2 == 0) {
            KeyNameToStroke(item->text(), i, record, int(sizeof record));
            stroke[offsetof(KeyStroke, Action)] = item->type() == PressType ? 0 : 1;
            const uint32_t none = 0;
            std::memcpy(stroke + offsetof(KeyStroke, DelayMs), &none, sizeof none);
        } else {
            QString text = item->text();
            text.remove(QStringLiteral("ms"));
            const uint32_t delay = text.toUInt();
            std::memcpy(stroke + offsetof(KeyStroke, DelayMs), &delay, sizeof delay);
            ++i;
        }
    }
    record[offsetof(MacroRecord, StrokeCount)] = uint8_t(strokes);
    if (!SetKeyMacro(index, entry, record))
        qWarning() << "Macro" << MacroName << "not stored for button" << index;
}

void Macro::SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer)
{
    if (KeyNumer < 0 || KeyNumer >= 16)
        return;
    const MacroRecord &record = DataMap.Macros[KeyNumer];
    QString name = AssignmentLabels::MacroNameFromBytes(record.MacroNameBytes,
                                                        int(sizeof record.MacroNameBytes));
    name.remove(QChar(0));

    ui->listWidgetKey->clear();
    // A name that cannot be a file name of the macro folder is not taken over.
    const bool usable = AssignmentLabels::IsSafeMacroName(name);
    if (usable) {
        QList<QListWidgetItem *> found = ui->listWidgetHong->findItems(name, Qt::MatchExactly);
        if (!found.isEmpty()) {
            ui->listWidgetHong->setCurrentItem(found.first());
        } else {
            const int current = ui->listWidgetHong->currentRow();
            const int at = current >= 0 ? current + 1 : ui->listWidgetHong->count();
            ui->listWidgetHong->insertItem(at, name);
            ui->listWidgetHong->setCurrentRow(current >= 0 ? current : at);
        }

        const int count = qMin(int(record.StrokeCount), MaxStrokes);
        for (int s = 0; s < count; ++s) {
            const KeyStroke &stroke = record.Strokes[s];
            const QString text = stroke.Kind == 4 ? MouseBitToKeyName(stroke.Code)
                                                  : DeviceCodeToKeyName(stroke.Code, stroke.Kind);
            AppendKeyItem(text, stroke.Action == 0);
            if (s + 1 < count)
                AppendDelayItem(stroke.DelayMs);
        }
        AppendMacroEvents(name);
    } else {
        qWarning() << "Macro name from the device refused:" << name;
    }
    ui->listWidgetHong->setCurrentRow(-1);
    emit PostMsg::GetInstance()->SigAddMacroButton();
    ui->listWidgetKey->clear();
}
