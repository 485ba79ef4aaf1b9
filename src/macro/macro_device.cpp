// Conversions between the event list and the device's macro record.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/KeyNumberLimit.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "model/AssignmentLabels.h"

#include <QtDebug>

#include <cstring>

namespace {

constexpr int NameBytes = int(sizeof(MacroRecord::MacroNameBytes));

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
    // The record is built from the event list: only for the macro it shows.
    if (ShownMacro.isEmpty() || MacroName != ShownMacro || !DeviceDataReady)
        return;

    MacroRecord record;
    std::memset(&record, 0, sizeof record);
    const QByteArray name = NameBytesOf(MacroName);
    record.MacroNameLength = uint8_t(name.size());
    std::memcpy(record.MacroNameBytes, name.constData(), size_t(name.size()));
    // Each row counts by its kind, not its position: a key inserted next to
    // another key is a stroke of its own, never a pause.
    if (!MacroEventFile::FillStrokes(ListEvents(), &record)) {
        // A cut macro would play something the user never made; refuse it.
        qWarning() << "Macro" << MacroName << "has more events than the device holds";
        KeyNumberLimit notice;
        RunPlaced(notice, 100, 50);
        return;
    }
    if (!SetKeyMacro(index, entry, reinterpret_cast<const unsigned char *>(&record)))
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

    // A name that cannot be a file name of the macro folder is not taken over.
    if (!AssignmentLabels::IsSafeMacroName(name)) {
        qWarning() << "Macro name from the device refused:" << name;
        emit PostMsg::GetInstance()->SigAddMacroButton();
        return;
    }
    // The event list and a running recording belong to the user: the device
    // copy, already in its file, joins the macro list only. The file is
    // written whole by the button page before this, so that a failed write
    // leaves the old file (or none) rather than a macro without its events.
    if (ui->listWidgetHong->findItems(name, Qt::MatchExactly).isEmpty()) {
        const int current = ui->listWidgetHong->currentRow();
        ui->listWidgetHong->insertItem(current >= 0 ? current + 1 : ui->listWidgetHong->count(),
                                       name);
    }
    // The shown macro follows its new file unless the user is changing it.
    const bool editing = MacroRecording || EventsChanged || RepeatModeChanged;
    if (name == ShownMacro && !editing)
        ReloadShownMacro();
    emit PostMsg::GetInstance()->SigAddMacroButton();
}
