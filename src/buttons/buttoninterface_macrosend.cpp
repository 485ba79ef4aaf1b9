// Following a macro's rename and save on the buttons bound to it, and
// sending a saved macro the mouse could not take when the mouse is back.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroBinding.h"
#include "buttons/MacroSyncLedger.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceField.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "model/AssignmentLabels.h"
#include "platform/vidide/VidIde.h"

#include <QDebug>
#include <QHash>
#include <QToolButton>

#include <cstring>
#include <functional>

namespace {

// Sends a macro again to each of its bound keys, all in one guarded write:
// the first key the mouse does not take stops the rest, so a mouse that is
// away or refuses gives one notice, however many buttons hold the macro.
// Returns the keys the mouse took.
QList<int> ResendToKeys(const QList<int> &keys, const std::function<bool(int)> &send)
{
    QList<int> taken;
    DeviceField::Write([&] {
        for (int k : keys) {
            if (!send(k))
                return false;
            taken << k;
        }
        return true;
    });
    return taken;
}

// The ledger keeps one record per macro name, so it may say the mouse holds
// the file's macro only when every bound button took it: a button left with
// the old copy would otherwise make the next read rebuild the file from it.
bool AllTook(const QList<int> &keys, const QList<int> &taken)
{
    return !taken.isEmpty() && taken.size() == keys.size();
}

// The ledger's digest of the copy key k of block holds.
QByteArray CopyDigest(const FlashDataMap &block, int k)
{
    return MacroSyncLedger::DeviceDigest(block.Keys[k].Param2,
                                         reinterpret_cast<const unsigned char *>(&block.Macros[k]),
                                         int(sizeof(MacroRecord)));
}

QList<QByteArray> CopyDigests(const QList<int> &keys)
{
    const FlashDataMap block = FlashDataSnapshot();
    QList<QByteArray> digests;
    for (int k : keys)
        digests << CopyDigest(block, k);
    return digests;
}

} // namespace

QList<int> Buttoninterface::KeysHolding(const QString &name) const
{
    // Bound by its label, or holding a copy the file replaced: a rename the
    // mouse did not take left that copy, and its label, under the old name.
    const QList<int> bound = KeysBoundTo(name);
    const FlashDataMap block = FlashDataSnapshot();
    const int shown = CurrentKeyNumber();
    QList<int> keys;
    for (int k : {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11}) {
        const bool macroKey = k < shown && k < CategoryMirror.size() && CategoryMirror.at(k) == 6 &&
                              block.Keys[k].Category == 6;
        if (bound.contains(k) ||
            (macroKey && MacroLedger->replacedBy(CopyDigest(block, k)) == name))
            keys << k;
    }
    return keys;
}

void Buttoninterface::SlotMacroRename(QString Rename, QString Name)
{
    // What waits for the mouse is the file's macro, under its new name.
    MacroLedger->renameMacro(Rename, Name);
    const QList<int> keys = KeysBoundTo(Rename);
    // A save the mouse has not taken yet: the whole file goes, new name and
    // all; the buttons' copies under the old name are what it replaces.
    if (MacroLedger->isPending(Name)) {
        SendMacroFromFile(Name, keys);
        return;
    }
    if (keys.isEmpty())
        return;
    const QByteArray nameBytes = Name.toLocal8Bit();
    if (nameBytes.size() > int(sizeof(MacroRecord::MacroNameBytes)) ||
        !AssignmentLabels::IsSafeMacroName(Name)) {
        qWarning() << "macro name" << Name << "does not fit a device record; buttons keep"
                   << Rename;
        return;
    }
    const QList<QByteArray> replaced = CopyDigests(keys);
    QByteArray digest;
    const QList<int> taken = ResendToKeys(keys, [&](int k) {
        const FlashDataMap block = FlashDataSnapshot();
        MacroRecord record = block.Macros[k];
        std::memset(record.MacroNameBytes, 0, sizeof(record.MacroNameBytes));
        std::memcpy(record.MacroNameBytes, nameBytes.constData(), size_t(nameBytes.size()));
        record.MacroNameLength = uint8_t(nameBytes.size());
        const KeyAssign &key = block.Keys[k];
        const unsigned char entry[3] = {key.Category, key.Param1, key.Param2};
        const auto *bytes = reinterpret_cast<const unsigned char *>(&record);
        digest = MacroSyncLedger::DeviceDigest(key.Param2, bytes, int(sizeof(record)));
        return SetKeyMacro(k, entry, bytes);
    });
    // The label follows the device: a key the mouse did not take keeps the
    // old name until the mouse, read again, takes the file under the new one.
    for (int k : taken)
        SelectorOfKey(k)->setText(MacroLabelPrefix + Name);
    if (AllTook(keys, taken))
        MacroLedger->recordSynced(Name, digest, MacroSyncLedger::Change::Renamed, replaced);
    else
        MacroLedger->markPending(Name, replaced);
}

void Buttoninterface::SlotUpDataMacro(QString MacroName, int index)
{
    if (index != 0 && index != 1)
        return;
    const QList<int> keys = KeysBoundTo(MacroName);
    const QList<int> holding = KeysHolding(MacroName);
    if (holding.isEmpty()) {
        // Another mouse may hold it: it gets the saved file when read.
        MacroLedger->fileSaved(MacroName);
        return;
    }
    // An earlier save or rename still waits for the mouse: the whole file
    // goes, so nothing of that change is left behind.
    if (MacroLedger->isPending(MacroName) || holding != keys) {
        SendMacroFromFile(MacroName);
        return;
    }
    const QList<QByteArray> replaced = CopyDigests(keys);
    QList<int> taken;
    QByteArray digest;
    if (index == 0) {
        // The saved file is the edited macro, whatever the macro page shows
        // by now: each bound button gets the record read from it, with its
        // entry unchanged.
        MacroRecord record;
        const MacroBinding::LoadResult loaded = MacroBinding::LoadRecord(MacroName, &record);
        if (loaded != MacroBinding::LoadResult::Ok) {
            qWarning() << "macro" << MacroName
                       << "not sent to its buttons:" << MacroBinding::Describe(loaded);
            ShowMacroRefusal(MacroName,
                             MacroLabels[CurrentLanguage].value(MacroBinding::RefusalKey(loaded)));
            return;
        }
        const auto *bytes = reinterpret_cast<const unsigned char *>(&record);
        taken = ResendToKeys(keys, [&](int k) {
            const KeyAssign key = FlashDataSnapshot().Keys[k];
            const unsigned char entry[3] = {key.Category, key.Param1, key.Param2};
            digest = MacroSyncLedger::DeviceDigest(key.Param2, bytes, int(sizeof(record)));
            return SetKeyMacro(k, entry, bytes);
        });
    } else {
        const QString code = MacroBinding::ReadRepeatCode(MacroName);
        int mode = 0;
        if (!MacroBinding::RepeatCodeOf(code, &mode)) {
            qWarning() << "macro" << MacroName << "has a repeat code beyond a byte:" << code
                       << "; bound buttons keep theirs";
            return;
        }
        QHash<int, KeyAssign> entries;
        taken = ResendToKeys(keys, [&](int k) {
            const FlashDataMap block = FlashDataSnapshot();
            const KeyAssign &key = block.Keys[k];
            const unsigned char entry[3] = {key.Category, key.Param1, uint8_t(mode)};
            const auto *bytes = reinterpret_cast<const unsigned char *>(&block.Macros[k]);
            entries[k] = key;
            digest = MacroSyncLedger::DeviceDigest(mode, bytes, int(sizeof(MacroRecord)));
            return SetKeyMacro(k, entry, bytes);
        });
        for (int k : taken)
            StoreKeyMirrors(k, entries.value(k).Category, entries.value(k).Param1, mode);
    }
    if (AllTook(keys, taken))
        MacroLedger->recordSynced(MacroName, digest, MacroSyncLedger::Change::Sent, replaced);
    else
        // Saved all the same: it goes to the mouse when the mouse is back.
        MacroLedger->markPending(MacroName, replaced);
}

bool Buttoninterface::SendMacroFromFile(const QString &name, const QList<int> &renamedKeys)
{
    QList<int> keys = KeysHolding(name);
    for (int k : renamedKeys) {
        if (!keys.contains(k))
            keys << k;
    }
    if (keys.isEmpty()) {
        // No button of this mouse holds it any more; another mouse still
        // holding a replaced copy gets it when it is read.
        MacroLedger->forgetPending(name);
        return true;
    }
    MacroRecord record;
    const MacroBinding::LoadResult loaded = MacroBinding::LoadRecord(name, &record);
    if (loaded != MacroBinding::LoadResult::Ok) {
        // The buttons keep the copy they hold.
        qWarning() << "macro" << name
                   << "not sent to its buttons:" << MacroBinding::Describe(loaded);
        MacroLedger->forgetMacro(name);
        ShowMacroRefusal(name,
                         MacroLabels[CurrentLanguage].value(MacroBinding::RefusalKey(loaded)));
        return true;
    }
    // The file's repeat mode with its events; one no entry can hold leaves
    // each button its own.
    const QString code = MacroBinding::ReadRepeatCode(name);
    int fileMode = -1;
    if (!MacroBinding::RepeatCodeOf(code, &fileMode)) {
        qWarning() << "macro" << name << "has a repeat code beyond a byte:" << code
                   << "; bound buttons keep theirs";
        fileMode = -1;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(&record);
    const QList<QByteArray> replaced = CopyDigests(keys);
    QByteArray digest;
    QHash<int, KeyAssign> entries;
    const QList<int> taken = ResendToKeys(keys, [&](int k) {
        const FlashDataMap block = FlashDataSnapshot();
        KeyAssign key = block.Keys[k];
        if (fileMode >= 0)
            key.Param2 = uint8_t(fileMode);
        const unsigned char entry[3] = {key.Category, key.Param1, key.Param2};
        entries[k] = key;
        digest = MacroSyncLedger::DeviceDigest(key.Param2, bytes, int(sizeof(record)));
        // A button that holds the file's macro already needs no write.
        if (digest == CopyDigest(block, k))
            return true;
        return SetKeyMacro(k, entry, bytes);
    });
    for (int k : taken) {
        SelectorOfKey(k)->setText(MacroLabelPrefix + name);
        StoreKeyMirrors(k, entries.value(k).Category, entries.value(k).Param1,
                        entries.value(k).Param2);
    }
    if (!AllTook(keys, taken)) {
        MacroLedger->markPending(name, replaced);
        return false;
    }
    MacroLedger->recordSynced(name, digest, MacroSyncLedger::Change::Sent, replaced);
    return true;
}

void Buttoninterface::SendPendingMacros()
{
    // The older copies this read found, with the macros that wait anyway.
    const QSet<QString> found = MacrosReplacedOnRead;
    MacrosReplacedOnRead.clear();
    // Only to a mouse that answers and whose own settings the page shows: a
    // fill from the values kept of an absent mouse sends nothing.
    if (!DeviceField::WritesOpen() || !FlashDataBelongsToCurrentDevice() ||
        !UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr))
        return;
    QStringList names = MacroLedger->pendingNames();
    for (const QString &name : found) {
        if (!names.contains(name))
            names << name;
    }
    for (const QString &name : names) {
        // A mouse that does not take one is told once, and tried again at
        // its next read.
        if (!SendMacroFromFile(name))
            return;
    }
}
