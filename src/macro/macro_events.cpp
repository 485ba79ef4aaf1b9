// The event list: items, builders, the insert/amend/delete commands and the
// delay and repeat controls beside the list.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/SharedState.h"
#include "macro/AddDelayTime.h"
#include "macro/KeyNames.h"
#include "macro/addKey.h"

#include <QListWidgetItem>

namespace {

QString DelayText(double ms)
{
    return QString::number(ms, 'f', 0) + QStringLiteral("ms");
}

} // namespace

QListWidgetItem *Macro::NewKeyItem(const QString &name, bool pressed) const
{
    return new QListWidgetItem(pressed ? PressIcon : ReleaseIcon, name, nullptr,
                               pressed ? PressType : ReleaseType);
}

QListWidgetItem *Macro::NewDelayItem(double ms) const
{
    return new QListWidgetItem(DelayIcon, DelayText(ms), nullptr, PressType);
}

void Macro::AppendKeyItem(const QString &name, bool pressed)
{
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    const int n = ui->listWidgetKey->count();
    ui->listWidgetKey->insertItem(n, NewKeyItem(name, pressed));
    ui->listWidgetKey->setCurrentRow(n);
}

void Macro::AppendDelayItem(double ms)
{
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    const int n = ui->listWidgetKey->count();
    ui->listWidgetKey->insertItem(n, NewDelayItem(ms));
    ui->listWidgetKey->setCurrentRow(n - 1);
}

void Macro::InsertKeyEvent(const QString &name, bool pressed)
{
    QListWidget *list = ui->listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    int at = 0;
    bool delayFirst = false;
    if (r == 0) {
        at = 2;
    } else if (r == -1) {
        at = n;
    } else if (r == n - 1) {
        at = n;
        delayFirst = true;
    } else if (IsDelayText(list->item(r)->text())) {
        at = r + 1;
    } else {
        at = r + 2;
    }
    if (delayFirst) {
        list->insertItem(at, NewDelayItem(10));
        list->insertItem(at + 1, NewKeyItem(name, pressed));
    } else {
        list->insertItem(at, NewKeyItem(name, pressed));
        list->insertItem(at + 1, NewDelayItem(10));
    }
    list->setCurrentRow(r);
}

void Macro::InsertKeyStroke(const QString &name)
{
    QListWidget *list = ui->listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    // 'P' press, 'R' release, 'D' a 10 ms delay, inserted from row `at` on.
    QString pattern;
    int at = 0;
    if (r == 0) {
        at = 2;
        pattern = QStringLiteral("PDRD");
    } else if (r == -1 && n == 0) {
        at = 0;
        pattern = QStringLiteral("PDR");
    } else if (r == -1 || r == n - 1) {
        at = n;
        pattern = QStringLiteral("DPDR");
    } else if (IsDelayText(list->item(r)->text())) {
        at = r + 1;
        pattern = QStringLiteral("PDRD");
    } else {
        at = r + 1;
        pattern = QStringLiteral("DPDR");
    }
    for (const QChar c : pattern) {
        QListWidgetItem *item =
            c == QLatin1Char('D') ? NewDelayItem(10) : NewKeyItem(name, c == QLatin1Char('P'));
        list->insertItem(at++, item);
    }
    list->setCurrentRow(r);
}

void Macro::InsertDelay(double ms)
{
    QListWidget *list = ui->listWidgetKey;
    const int r = list->currentRow();
    if (r == -1) {
        list->insertItem(list->count(), NewDelayItem(ms));
        return;
    }
    if (r == 0)
        return;
    int target = r;
    if (!IsDelayText(list->item(r)->text())) {
        if (!IsDelayText(list->item(r - 1)->text())) {
            list->insertItem(r, NewDelayItem(ms));
            list->setCurrentRow(r);
            return;
        }
        target = r - 1;
    }
    delete list->takeItem(target);
    list->insertItem(target, NewDelayItem(ms));
    list->setCurrentRow(target);
}

void Macro::on_ChooseEvent_activated(int index)
{
    const bool macroSelected = ui->listWidgetHong->currentRow() >= 0;
    if (index == 1 || index == 2) {
        addKey dialog;
        const int result = RunPlaced(dialog, 50, 70);
        if (result == QDialog::Accepted && dialog.OkPressed && macroSelected) {
            EventsChanged = true;
            InsertKeyEvent(dialog.KeyName, index == 1);
            ActivateSave();
        }
    } else if (index == 3) {
        AddDelayTime dialog;
        RunPlaced(dialog, 50, 70);
        if (dialog.OkPressed && macroSelected && ui->listWidgetKey->currentRow() >= 0) {
            EventsChanged = true;
            InsertDelay(dialog.DelayValue);
            ActivateSave();
        }
    } else if (index >= 4 && index <= 8) {
        const QString *names[] = {&MouseLeftName, &MouseRightName, &MouseMiddleName,
                                  &MouseForwardName, &MouseBackName};
        if (macroSelected) {
            EventsChanged = true;
            InsertKeyStroke(*names[index - 4]);
            ActivateSave();
        }
    }
}

void Macro::on_Amend_clicked()
{
    if (MacroRecording) {
        ShowStopRecordFirst();
        return;
    }
    QListWidgetItem *item = ui->listWidgetKey->currentItem();
    if (!item)
        return;
    if (!IsDelayText(item->text())) {
        addKey dialog;
        if (RunPlaced(dialog, 50, 70) == QDialog::Accepted && dialog.OkPressed)
            item->setText(dialog.KeyName);
    } else {
        AddDelayTime dialog;
        RunPlaced(dialog, 50, 70);
        if (dialog.OkPressed)
            item->setText(DelayText(dialog.DelayValue));
    }
    ActivateSave();
}

void Macro::on_DeleteKey_clicked()
{
    if (MacroRecording) {
        ShowStopRecordFirst();
        return;
    }
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    QListWidget *list = ui->listWidgetKey;
    const int n = list->count();
    if (n < 4) {
        list->clear();
        EventsChanged = true;
        ActivateSave();
        return;
    }
    const int r = list->currentRow();
    if (r < 0)
        return;
    int first = r;
    if (IsDelayText(list->item(r)->text()) && r != n - 1)
        first = r - 1; // the delay and the key before it
    else if (r == n - 1)
        first = r - 1; // the last row and the one before it
    delete list->takeItem(first + 1);
    delete list->takeItem(first);
    list->setCurrentRow(qMin(first, list->count() - 1));
    EventsChanged = true;
    ActivateSave();
}

void Macro::on_DelayTime_valueChanged(int value)
{
    if (value > 65535)
        ui->DelayTime->setValue(65535);
}

void Macro::on_NumberEdit_valueChanged(int)
{
    RepeatModeChanged = true;
    ActivateSave();
}

void Macro::on_listWidgetKey_itemChanged(QListWidgetItem *)
{
    EventsChanged = true;
}
