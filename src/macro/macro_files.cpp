// The per-macro files usersetting/MacroPage/<name>.ini: a first line with the
// repeat code, then one line per event ("10ms", or "<code> <kind> <0|1>").
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "model/AssignmentLabels.h"
#include "model/MacroEventFile.h"

#include "platform/files/SafeFile.h"

#include <QFile>
#include <QtDebug>

namespace {

bool WriteWhole(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (SafeFile::write(path, bytes, &error))
        return true;
    qWarning() << "Macro file could not be written:" << path << error;
    return false;
}

} // namespace

QString Macro::MacroFilePathOf(const QString &name) const
{
    if (!AssignmentLabels::IsSafeMacroName(name))
        return QString();
    return MacroFileFolder + QLatin1Char('/') + name + QStringLiteral(".ini");
}

bool Macro::IsDelayText(const QString &text)
{
    return MacroEventFile::IsDelayText(text);
}

QVector<MacroEvent> Macro::ListEvents() const
{
    QVector<MacroEvent> events;
    for (int i = 0; i < ui->listWidgetKey->count(); ++i) {
        const QListWidgetItem *item = ui->listWidgetKey->item(i);
        MacroEvent event;
        event.text = item->text();
        event.release = item->type() != PressType;
        events.append(event);
    }
    return events;
}

void Macro::ShowEvents(const QVector<MacroEvent> &events)
{
    for (const MacroEvent &event : events) {
        if (event.delayLine)
            ui->listWidgetKey->addItem(
                new QListWidgetItem(DelayIcon, event.text, nullptr, PressType));
        else
            ui->listWidgetKey->addItem(NewKeyItem(event.text, !event.release));
    }
}

bool Macro::CreateMacroFile(const QString &)
{
    const QString path = MacroFilePathOf(CurrentMacroName());
    if (!ui->listWidgetHong->currentItem() || path.isEmpty())
        return false;
    return WriteWhole(path, QByteArray());
}

// The events of the list are those of the shown macro: only its file takes
// them, whichever item is current.
bool Macro::SaveMacroFile(const QString &, const QString &repeatCode)
{
    if (ShownMacro.isEmpty())
        return false;
    return WriteMacroEvents(ShownMacro, repeatCode, ListEvents());
}

bool Macro::WriteMacroEvents(const QString &name, const QString &repeatCode,
                             const QVector<MacroEvent> &events)
{
    CurrentMacroFile = MacroFilePathOf(name);
    if (CurrentMacroFile.isEmpty())
        return false;
    return WriteWhole(CurrentMacroFile, (repeatCode + QLatin1Char('\n')).toUtf8() +
                                            MacroEventFile::EventLines(events));
}

void Macro::LoadMacroFile(const QString &)
{
    PressIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroDown.png"));
    ReleaseIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroUp.png"));
    DelayIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroTime.png"));
    if (!ui->listWidgetHong->currentItem())
        return;
    ShownMacro = CurrentMacroName();
    LoadShownMacroFile();
}

void Macro::LoadShownMacroFile()
{
    ui->listWidgetKey->clear();
    CurrentMacroFile = MacroFilePathOf(ShownMacro);
    if (CurrentMacroFile.isEmpty() || !QFile::exists(CurrentMacroFile))
        return;
    MacroEventFile::Content content;
    if (!MacroEventFile::ReadFile(CurrentMacroFile, &content)) {
        qWarning() << "Macro file cannot be read or is too large, not loaded:" << CurrentMacroFile;
        return;
    }
    if (content.hasRepeatField) {
        const int code = content.repeatField.toInt();
        if (code == 254) {
            ui->ReUntilLoose->setChecked(true);
        } else if (code == 255) {
            ui->ReUntilClick->setChecked(true);
        } else if (code == 253) {
            ui->ReUntil->setChecked(true);
        } else {
            ui->ReNumber->setChecked(true);
            ui->NumberEdit->setValue(code >= 1 && code <= 250 ? code : 1);
        }
    }
    ShowEvents(content.events);
}
