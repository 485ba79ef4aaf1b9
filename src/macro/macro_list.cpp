// Whole macros: select, new, rename, delete, save, the list's context menu.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/DeleteConfirm.h"
#include "common/DialogPlacement.h"
#include "common/LabelCatalogue.h"
#include "common/SameMacro.h"
#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "common/UpDateWarning.h"
#include "hub/PostMsg.h"
#include "macro/QuestionDialog.h"
#include "model/MacroFiles.h"

#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QtDebug>

QString Macro::CurrentMacroName() const
{
    const QListWidgetItem *item = ui->listWidgetHong->currentItem();
    return item ? item->text() : QString();
}

// A name is taken when the list shows it, or when a file of that name is
// already in the folder (a macro the listing skips, or one that differs only
// in letter case on a file system that ignores case): a new or renamed macro
// must never take over another macro's file.
bool Macro::NameTaken(const QString &name) const
{
    for (int i = 0; i < ui->listWidgetHong->count(); ++i) {
        if (ui->listWidgetHong->item(i)->text() == name)
            return true;
    }
    const QString path = MacroFilePathOf(name);
    return !path.isEmpty() && QFile::exists(path);
}

void Macro::ShowSameMacro()
{
    // Placed where the name dialog (300 x 140) would be.
    SameMacro notice;
    DialogPlacement::centreOver(&notice, this, (notice.width() - 300) / 2 - 100,
                                (notice.height() - 140) / 2 - 50);
    notice.exec();
}

void Macro::ShowNotice(const QString &text)
{
    UpDateWarning notice;
    notice.SetText(text);
    RunPlaced(notice, 100, 50);
}

bool Macro::RefuseLinkedFolder()
{
    const QString link = MacroFolderLink();
    if (link.isEmpty())
        return false;
    qWarning() << "Macro folder reached through a link; nothing read or written:" << link;
    ShowNotice(StorageNotice::Text(StorageNotice::Kind::MacroFolder, link));
    return true;
}

bool Macro::IsUsableName(const QString &name) const
{
    return IsListedMacroName(name) && !MacroFilePathOf(name).isEmpty();
}

QListWidgetItem *Macro::ShownItem() const
{
    if (ShownMacro.isEmpty())
        return nullptr;
    return ui->listWidgetHong->findItems(ShownMacro, Qt::MatchExactly).value(0);
}

// A right-click makes another item current for the menu's commands only:
// afterwards the list marks the macro whose events it shows again.
void Macro::SelectShownMacro()
{
    if (QListWidgetItem *item = ShownItem())
        ui->listWidgetHong->setCurrentItem(item);
    else
        ui->listWidgetHong->setCurrentRow(-1);
}

void Macro::ShowNoMacro()
{
    ShownMacro.clear();
    ui->listWidgetKey->clear();
    ui->listWidgetHong->setCurrentRow(-1);
    ApplyShownState();
}

// The repeat controls and Save belong to the shown macro: without one there
// is nothing they could change or write.
void Macro::ApplyShownState()
{
    const bool shown = !ShownMacro.isEmpty();
    const bool editable = shown && !MacroRecording;
    for (QWidget *w :
         {static_cast<QWidget *>(ui->ReUntilLoose), static_cast<QWidget *>(ui->ReUntilClick),
          static_cast<QWidget *>(ui->ReUntil), static_cast<QWidget *>(ui->ReNumber),
          static_cast<QWidget *>(ui->NumberEdit)})
        w->setEnabled(editable);
    if (!shown)
        SetSaveIdle();
}

void Macro::on_listWidgetHong_clicked(const QModelIndex &)
{
    if (!ui->listWidgetHong->currentItem()) {
        ShowNoMacro();
        return;
    }
    // Its events could not be read: none is shown, and the user learns why.
    if (RefuseLinkedFolder()) {
        ShowNoMacro();
        return;
    }
    ShownMacro = CurrentMacroName();
    ReloadShownMacro();
}

// Loading is no change: the repeat controls' signals stay blocked meanwhile.
void Macro::ReloadShownMacro()
{
    SetSaveIdle();
    const bool groupBlocked = RepeatModeGroup->blockSignals(true);
    const bool editBlocked = ui->NumberEdit->blockSignals(true);
    LoadShownMacroFile();
    RepeatModeGroup->blockSignals(groupBlocked);
    ui->NumberEdit->blockSignals(editBlocked);
    ApplyShownState();
}

QString Macro::AskFreeMacroName(int promptMode)
{
    QuestionDialog dialog;
    dialog.SetPromptMode(promptMode);
    RunPlaced(dialog, 100, 50);
    const QString name = dialog.EnteredName;
    if (name.isEmpty())
        return QString();
    if (!IsUsableName(name)) {
        qWarning() << "Macro name refused, it cannot be a listed macro file name:" << name;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("DialogMacroNameNotAllowed")));
        return QString();
    }
    if (NameTaken(name)) {
        ShowSameMacro();
        return QString();
    }
    return name;
}

void Macro::on_NewHong_clicked()
{
    if (MacroRecording) {
        ShowStopRecordFirst();
        return;
    }
    if (RefuseLinkedFolder())
        return;
    const QString name = AskFreeMacroName(0);
    if (name.isEmpty())
        return;
    ui->listWidgetHong->addItem(name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    // A macro without its file would be gone at the next start: it is not
    // listed, and the shown macro stays as it was.
    if (!CreateMacroFile()) {
        delete ui->listWidgetHong->takeItem(ui->listWidgetHong->count() - 1);
        SelectShownMacro();
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroSaveFailed")));
        return;
    }
    ui->listWidgetKey->clear();
    ShownMacro = name;
    ApplyShownState();
    ui->ReNumber->setChecked(true);
    ui->NumberEdit->setValue(1);
}

void Macro::CreateMewMacro()
{
    on_NewHong_clicked();
}

void Macro::RenameMacro()
{
    QListWidgetItem *item = ui->listWidgetHong->currentItem();
    if (!item || RefuseLinkedFolder())
        return;
    const QString name = AskFreeMacroName(1);
    if (name.isEmpty())
        return;
    const QString newPath = MacroFilePathOf(name);
    const QString old = item->text();
    const QString oldPath = MacroFilePathOf(old);
    // The list, the file and the buttons bound to the macro move together or
    // not at all.
    if (!oldPath.isEmpty() && QFile::exists(oldPath) && !QFile::rename(oldPath, newPath)) {
        qWarning() << "Macro file could not be renamed:" << oldPath << "to" << newPath;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroRenameFailed")));
        return;
    }
    item->setText(name);
    if (ShownMacro == old)
        ShownMacro = name;
    emit PostMsg::GetInstance()->SigMacroRename(old, name);
}

void Macro::on_DeleteHong_clicked()
{
    if (MacroRecording) {
        ShowStopRecordFirst();
        return;
    }
    QListWidgetItem *item = ui->listWidgetHong->currentItem();
    if (!item || RefuseLinkedFolder())
        return;
    DeleteConfirm confirm;
    RunPlaced(confirm, 100, 50);
    if (!confirm.OkChosen)
        return;
    const QString name = item->text();
    const QString path = MacroFilePathOf(name);
    // A file that stays would bring the macro back at the next start: the
    // macro and its buttons stay as they are, and the user is told.
    QFile file(path);
    if (!path.isEmpty() && file.exists() && !file.remove()) {
        qWarning() << "Macro file could not be removed:" << path << file.errorString();
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroDeleteFailed")));
        return;
    }
    emit PostMsg::GetInstance()->SigDeleteMacroButton(MacroButtonPrefix + name);
    delete ui->listWidgetHong->takeItem(ui->listWidgetHong->row(item));
    // Deleting another macro (after a right-click) leaves the shown one, its
    // events and its unsaved changes as they are.
    if (ShownMacro == name)
        ShowNoMacro();
    else
        SelectShownMacro();
}

void Macro::DeleteMacro()
{
    on_DeleteHong_clicked();
}

int Macro::RepeatCode() const
{
    if (ui->ReUntilLoose->isChecked())
        return 254;
    if (ui->ReUntilClick->isChecked())
        return 255;
    if (ui->ReUntil->isChecked())
        return 253;
    return ui->NumberEdit->value();
}

// The file is replaced whole (never emptied first), so a failed write keeps
// the macro as it was, and the buttons are only told of a change that was
// stored.
void Macro::on_Save_clicked()
{
    if (MacroRecording) {
        ShowStopRecordFirst();
        return;
    }
    SetSaveIdle();
    // The event list holds the events loaded or recorded for the shown macro
    // and nothing else: only that macro is written, and without one nothing.
    QListWidgetItem *shown = ShownItem();
    if (!shown)
        return;
    if (RefuseLinkedFolder()) {
        ActivateSave();
        return;
    }
    ui->listWidgetHong->setCurrentItem(shown);
    const QString name = ShownMacro;
    if (!SaveMacroFile(QString(), QString::number(RepeatCode()))) {
        ActivateSave();
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroSaveFailed")));
        return;
    }
    if (EventsChanged) {
        emit PostMsg::GetInstance()->SigUpDataMacro(name, 0);
        EventsChanged = false;
    }
    if (RepeatModeChanged) {
        emit PostMsg::GetInstance()->SigUpDataMacro(name, 1);
        RepeatModeChanged = false;
    }
}

void Macro::on_listWidgetHong_customContextMenuRequested(const QPoint &pos)
{
    QMenu menu(this);
    auto add = [&](const QString &text, const char *slot) {
        QAction *action = menu.addAction(text);
        action->setFont(ui->listWidgetHong->font());
        connect(action, SIGNAL(triggered()), this, slot);
    };
    if (ui->listWidgetHong->itemAt(pos)) {
        add(MenuExportText, SLOT(ExPortMacro()));
        add(MenuRenameText, SLOT(RenameMacro()));
        add(MenuDeleteText, SLOT(DeleteMacro()));
    } else {
        add(MenuNewText, SLOT(CreateMewMacro()));
        add(MenuImportText, SLOT(InPortMacro()));
    }
    menu.exec(QCursor::pos());
    SelectShownMacro();
}
