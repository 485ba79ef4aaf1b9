// The event list: items, builders, the insert/amend/delete commands and the
// delay and repeat controls beside the list.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/SharedState.h"
#include "macro/AddDelayTime.h"
#include "macro/addKey.h"
#include "model/KeyNames.h"

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
    if (ShownMacro.isEmpty())
        return;
    const int n = ui->listWidgetKey->count();
    ui->listWidgetKey->insertItem(n, NewKeyItem(name, pressed));
    ui->listWidgetKey->setCurrentRow(n);
}

void Macro::AppendDelayItem(double ms)
{
    if (ShownMacro.isEmpty())
        return;
    const int n = ui->listWidgetKey->count();
    ui->listWidgetKey->insertItem(n, NewDelayItem(ms));
    ui->listWidgetKey->setCurrentRow(n - 1);
}

// Inserts pattern at row `at` (clamped to the list): 'P' a press and 'R' a
// release of name, 'D' a 10 ms delay. The list stays key, delay, key, ...:
// a delay is added between the pattern and a key next to it, and a delay of
// the pattern next to a delay of the list (or at the list's start) is left
// out, so no two keys and no two delays become neighbours.
void Macro::InsertPattern(int at, QString pattern, const QString &name)
{
    QListWidget *list = ui->listWidgetKey;
    const int n = list->count();
    at = qBound(0, at, n);
    auto isKey = [](QChar c) { return c != QLatin1Char('D'); };
    const QListWidgetItem *before = at > 0 ? list->item(at - 1) : nullptr;
    const QListWidgetItem *after = at < n ? list->item(at) : nullptr;
    if (!pattern.isEmpty() && !isKey(pattern.front()) && (!before || IsDelayText(before->text())))
        pattern.remove(0, 1);
    else if (!pattern.isEmpty() && isKey(pattern.front()) && before && !IsDelayText(before->text()))
        pattern.prepend(QLatin1Char('D'));
    if (!pattern.isEmpty() && !isKey(pattern.back()) && after && IsDelayText(after->text()))
        pattern.chop(1);
    else if (!pattern.isEmpty() && isKey(pattern.back()) && after && !IsDelayText(after->text()))
        pattern.append(QLatin1Char('D'));
    for (const QChar c : pattern) {
        QListWidgetItem *item =
            c == QLatin1Char('D') ? NewDelayItem(10) : NewKeyItem(name, c == QLatin1Char('P'));
        list->insertItem(at++, item);
    }
}

void Macro::InsertKeyEvent(const QString &name, bool pressed)
{
    QListWidget *list = ui->listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    const QString key = pressed ? QStringLiteral("P") : QStringLiteral("R");
    if (r == 0)
        InsertPattern(2, key + QLatin1Char('D'), name);
    else if (r == -1)
        InsertPattern(n, key + QLatin1Char('D'), name);
    else if (r == n - 1)
        InsertPattern(n, QLatin1Char('D') + key, name);
    else if (IsDelayText(list->item(r)->text()))
        InsertPattern(r + 1, key + QLatin1Char('D'), name);
    else
        InsertPattern(r + 2, key + QLatin1Char('D'), name);
    list->setCurrentRow(r);
}

void Macro::InsertKeyStroke(const QString &name)
{
    QListWidget *list = ui->listWidgetKey;
    const int r = list->currentRow();
    const int n = list->count();
    if (r == 0)
        InsertPattern(2, QStringLiteral("PDRD"), name);
    else if (r == -1 && n == 0)
        InsertPattern(0, QStringLiteral("PDR"), name);
    else if (r == -1 || r == n - 1)
        InsertPattern(n, QStringLiteral("DPDR"), name);
    else if (IsDelayText(list->item(r)->text()))
        InsertPattern(r + 1, QStringLiteral("PDRD"), name);
    else
        InsertPattern(r + 1, QStringLiteral("DPDR"), name);
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
    const bool macroSelected = !ShownMacro.isEmpty();
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
    // A dialog left with Esc, Cancel or its close button changes nothing,
    // so there is nothing new to save either.
    if (!IsDelayText(item->text())) {
        addKey dialog;
        if (RunPlaced(dialog, 50, 70) != QDialog::Accepted || !dialog.OkPressed)
            return;
        item->setText(dialog.KeyName);
    } else {
        AddDelayTime dialog;
        RunPlaced(dialog, 50, 70);
        if (!dialog.OkPressed)
            return;
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
    if (ShownMacro.isEmpty())
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
