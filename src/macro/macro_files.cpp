// The per-macro files usersetting/MacroPage/<name>.ini: a first line with the
// repeat code, then one line per event ("10ms", or "<code> <kind> <0|1>").
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "buttons/AssignmentLabels.h"
#include "macro/KeyNames.h"

#include <QFile>
#include <QSaveFile>
#include <QtDebug>

namespace {

// A macro file holds at most a few hundred short lines; anything far larger
// is not a macro file and is not read into the list.
constexpr qint64 MaxMacroFileBytes = 1024 * 1024;

bool WriteWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Macro file could not be opened for writing:" << path;
        return false;
    }
    file.write(bytes);
    if (!file.commit()) {
        qWarning() << "Macro file could not be written:" << path;
        return false;
    }
    return true;
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
    return text.contains(QStringLiteral("ms"));
}

QString Macro::EventLines() const
{
    QString lines;
    for (int i = 0; i < ui->listWidgetKey->count(); ++i) {
        const QListWidgetItem *item = ui->listWidgetKey->item(i);
        if (IsDelayText(item->text())) {
            lines += item->text() + QLatin1Char('\n');
            continue;
        }
        for (const QString &piece : KeyNameToHidCode(item->text()))
            lines += piece + QLatin1Char(' ');
        lines += item->type() == PressType ? QStringLiteral("0\n") : QStringLiteral("1\n");
    }
    return lines;
}

void Macro::CreateMacroFile(const QString &)
{
    const QString path = MacroFilePathOf(CurrentMacroName());
    if (!ui->listWidgetHong->currentItem() || path.isEmpty())
        return;
    WriteWhole(path, QByteArray());
}

bool Macro::SaveMacroFile(const QString &, const QString &repeatCode)
{
    if (!ui->listWidgetHong->currentItem())
        return false;
    CurrentMacroFile = MacroFilePathOf(CurrentMacroName());
    if (CurrentMacroFile.isEmpty())
        return false;
    return WriteWhole(CurrentMacroFile, (repeatCode + QLatin1Char('\n') + EventLines()).toUtf8());
}

bool Macro::AppendMacroEvents(const QString &name)
{
    CurrentMacroFile = MacroFilePathOf(name);
    if (CurrentMacroFile.isEmpty() || !QFile::exists(CurrentMacroFile))
        return false;
    QFile current(CurrentMacroFile);
    if (!current.open(QIODevice::ReadOnly) || current.size() > MaxMacroFileBytes) {
        qWarning() << "Macro file could not be read for appending:" << CurrentMacroFile;
        return false;
    }
    QByteArray bytes = current.readAll();
    current.close();
    return WriteWhole(CurrentMacroFile, bytes + EventLines().toUtf8());
}

void Macro::LoadMacroFile(const QString &)
{
    PressIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroDown.png"));
    ReleaseIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroUp.png"));
    DelayIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroTime.png"));
    if (!ui->listWidgetHong->currentItem())
        return;
    ui->listWidgetKey->clear();
    CurrentMacroFile = MacroFilePathOf(CurrentMacroName());
    if (CurrentMacroFile.isEmpty())
        return;
    QFile file(CurrentMacroFile);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > MaxMacroFileBytes) {
        qWarning() << "Macro file too large, not loaded:" << CurrentMacroFile;
        return;
    }
    bool first = true;
    while (!file.atEnd()) {
        QByteArray raw = file.readLine();
        const int nul = raw.indexOf('\0');
        if (nul >= 0)
            raw.truncate(nul);
        if (raw.endsWith("\r\n")) // written on Windows
            raw.replace(raw.size() - 2, 2, "\n");
        const QStringList pieces =
            QString::fromUtf8(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (first) {
            first = false;
            if (pieces.isEmpty()) // only blanks: read like an empty file
                continue;
            const int code = pieces.first().trimmed().toInt();
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
            continue;
        }
        if (pieces.size() == 3) {
            const QString name = HidCodeToKeyName(pieces[0], pieces[1].toInt());
            if (pieces[2] == QStringLiteral("0\n"))
                ui->listWidgetKey->addItem(NewKeyItem(name, true));
            else if (pieces[2] == QStringLiteral("1\n"))
                ui->listWidgetKey->addItem(NewKeyItem(name, false));
        } else if (pieces.size() == 1) {
            QString text = pieces.first();
            text.remove(QLatin1Char('\n'));
            auto *item = new QListWidgetItem(DelayIcon, text, nullptr, PressType);
            ui->listWidgetKey->addItem(item);
        }
    }
}
