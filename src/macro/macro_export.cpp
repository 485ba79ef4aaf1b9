// Export and import of one macro (file layout: MacroExportFile).
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "macro/MacroExportFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtDebug>

namespace {

// Export and import share it, so that the import lists every exported file.
const DialogSeam::FileType MacroFileType{QStringLiteral("File(*.ini)"), QStringLiteral("ini")};

bool IsRepeatText(const QString &text)
{
    bool ok = false;
    const int code = text.toInt(&ok);
    return ok && text == QString::number(code) && code >= 0;
}

// The repeat code a macro file's first field stands for, as loading the file
// would set the repeat controls.
int RepeatCodeOfField(const MacroEventFile::Content &content)
{
    const int code = content.repeatField.toInt();
    if (code >= 253 && code <= 255)
        return code;
    return code >= 1 && code <= 250 ? code : 1;
}

} // namespace

// The macro the name belongs to: the events shown when it is the macro on
// the page, its file when the current item is another macro (a right-click
// makes an item current without loading it).
void Macro::ExPortMacro()
{
    const QString name = CurrentMacroName();
    if (name.isEmpty())
        return;
    QVector<MacroEvent> events;
    int repeat = 0;
    if (name == ShownMacro) {
        events = ListEvents();
        repeat = RepeatCode();
    } else {
        MacroEventFile::Content content;
        const QString source = MacroFilePathOf(name);
        if (source.isEmpty() || !MacroEventFile::ReadFile(source, &content)) {
            qWarning() << "Macro file to export cannot be read:" << source;
            ShowFailure("MacroExportFailed", "The macro could not be exported.");
            return;
        }
        events = content.events;
        repeat = RepeatCodeOfField(content);
    }
    const QString path =
        DialogSeam::getSaveFileName(this, QStringLiteral("FileSave"), name, MacroFileType);
    if (path.isEmpty())
        return;
    const QByteArray bytes = MacroExportFile::Write(name, QString::number(repeat), events,
                                                    PressIcon, ReleaseIcon, DelayIcon);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning() << "Macro export file could not be written:" << path << file.errorString();
        ShowFailure("MacroExportFailed", "The macro could not be exported.");
        return;
    }
    UpDateWarning notice;
    notice.SetText(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroExportDone"),
                                                      QStringLiteral("The macro was exported.")) +
                   QStringLiteral("\n") + QFileInfo(path).fileName());
    RunPlaced(notice, 100, 50);
}

// The whole file is read and checked before anything changes: a damaged or
// foreign file adds no macro and touches no file.
void Macro::InPortMacro()
{
    const QString path =
        DialogSeam::getOpenFileName(this, QStringLiteral("SelectFile"), MacroFileType);
    if (path.isEmpty())
        return;
    // Only a plain file of a size an export can have is opened: a pipe would
    // block, a huge file is no export.
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > MacroExportFile::MaxFileBytes ||
        !file.open(QIODevice::ReadOnly)) {
        qWarning() << "Macro import file is no plain file of an export's size, or unreadable:"
                   << path;
        ShowImportFailed();
        return;
    }
    const QByteArray bytes = file.read(MacroExportFile::MaxFileBytes + 1);
    file.close();
    MacroExportFile::Content content;
    QString error;
    if (!MacroExportFile::Read(bytes, &content, &error)) {
        qWarning() << "Macro import file refused:" << path << error;
        ShowImportFailed();
        return;
    }
    if (NameTaken(content.name)) {
        ShowSameMacro();
        return;
    }
    if (content.tag != QLatin1String(MacroExportFile::Tag) || !IsUsableName(content.name) ||
        !IsRepeatText(content.repeat)) {
        qWarning() << "Not a macro export file, or its name or repeat code is unusable:" << path;
        ShowImportFailed();
        return;
    }

    ui->listWidgetHong->addItem(content.name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    ui->listWidgetKey->clear();
    ShownMacro = content.name;
    ShowEvents(content.events);
    if (!SaveMacroFile(QString(), content.repeat)) {
        delete ui->listWidgetHong->takeItem(ui->listWidgetHong->count() - 1);
        ui->listWidgetHong->setCurrentRow(-1);
        ui->listWidgetKey->clear();
        ShownMacro.clear();
        ShowImportFailed();
    }
}
