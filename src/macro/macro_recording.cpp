// Recording a macro from the keyboard through the page's keyboard hook.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/ExeIsRun.h"
#include "common/KeyNumberLimit.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"
#include "model/KeyNames.h"
#include "platform/KeyboardHook.h"

namespace {

// The strokes a device macro record holds.
constexpr int MaxRecordedKeys = 70;

} // namespace

void Macro::SetRecordingControlsEnabled(bool enabled)
{
    for (QWidget *w :
         {static_cast<QWidget *>(ui->AutoInsertDelay), static_cast<QWidget *>(ui->DefaultDelay),
          static_cast<QWidget *>(ui->ReUntilLoose), static_cast<QWidget *>(ui->ReUntilClick),
          static_cast<QWidget *>(ui->ReUntil), static_cast<QWidget *>(ui->ReNumber)})
        w->setEnabled(enabled);
}

void Macro::on_StartRecord_clicked()
{
    if (ShownMacro.isEmpty()) {
        ExeIsRun notice;
        notice.ShowSelectMacroFirst();
        RunPlaced(notice, 100, 50);
        return;
    }
    SetRecordingControlsEnabled(false);
    emit PostMsg::GetInstance()->SigStartRecord(0);
    KeyEventCount = 0;
    ui->ChooseEvent->setEnabled(false);
    EventsChanged = true;
    RecordHook->SetCallback(
        [this](int keyCode, bool down, bool repeat) { UpdateCapslockTip(keyCode, down, repeat); });
    RecordHook->Install();
    ui->StartRecord->hide();
    ui->StopRecord->show();
    MacroRecording = true;
    FirstEventPending = true;
    ui->listWidgetKey->clear();
    ui->DelayTime->setEnabled(false);
    ui->NumberEdit->setEnabled(false);
    ui->listWidgetHong->setEnabled(false);
    DownKeys.clear();
    HeldKeys.clear();
}

void Macro::on_StopRecord_clicked()
{
    // A key still held when the recording ends would stay down on the mouse.
    if (MacroRecording) {
        RecordHook->DeliverHeldBack();
        ReleaseHeldKeys();
    }
    SetRecordingControlsEnabled(true);
    emit PostMsg::GetInstance()->SigStartRecord(1);
    RecordHook->Uninstall();
    KeyEventCount = 0;
    ui->StopRecord->hide();
    ui->StartRecord->show();
    ui->DelayTime->setEnabled(true);
    ui->NumberEdit->setEnabled(true);
    ui->listWidgetHong->setEnabled(true);
    MacroRecording = false;
    ui->ChooseEvent->setEnabled(true);
    ActivateSave();
    DownKeys.clear();
    HeldKeys.clear();
}

void Macro::ReleaseHeldKeys()
{
    while (!HeldKeys.isEmpty()) {
        AppendDelayItem(ui->DelayTime->value());
        AppendKeyItem(HeldKeys.takeLast().second, false);
        ++KeyEventCount;
    }
}

void Macro::UpdateCapslockTip(int keyCode, bool downOrUp, bool)
{
    // Pauses run from one key event to the next as they reached the program;
    // the hook may report an event a moment late.
    QElapsedTimer eventClock = RecordHook->EventClock();
    if (!eventClock.isValid())
        eventClock.start();
    if (!MacroRecording) {
        DelayTimer = eventClock;
        return;
    }
    // A held key repeats its key-down: only the first one counts. A release
    // of a key that went down before the recording has no press to end.
    if (downOrUp) {
        if (DownKeys.contains(keyCode))
            return;
        DownKeys.append(keyCode);
    } else if (!DownKeys.removeOne(keyCode)) {
        return;
    }

    if (FirstEventPending) {
        FirstEventPending = false;
    } else {
        const double delay = ui->AutoInsertDelay->isChecked()
                                 ? double(qMax<qint64>(0, DelayTimer.msecsTo(eventClock)))
                                 : double(ui->DelayTime->value());
        AppendDelayItem(delay);
    }
    DelayTimer = eventClock;

    QString name;
    if (!VirtualKeyToKeyName(keyCode, &name)) {
        // The pause before this key stays; the next key gets none of its own.
        FirstEventPending = true;
        return;
    }
    ++KeyEventCount;
    AppendKeyItem(name, downOrUp);
    if (downOrUp) {
        HeldKeys.append(qMakePair(keyCode, name));
    } else {
        for (int i = 0; i < HeldKeys.size(); ++i) {
            if (HeldKeys.at(i).first == keyCode) {
                HeldKeys.removeAt(i);
                break;
            }
        }
    }
    // Every key held needs its release within the limit: once only those
    // releases fit, they end the capture.
    if (KeyEventCount + HeldKeys.size() >= MaxRecordedKeys) {
        ReleaseHeldKeys();
        MacroRecording = false;
        KeyEventCount = 0;
        DownKeys.clear();
        RecordHook->Uninstall();
        KeyNumberLimit notice;
        RunPlaced(notice, 100, 50);
    }
}
