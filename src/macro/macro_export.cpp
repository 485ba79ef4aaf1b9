// Export and import of one macro (file layout: MacroExportFile).
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "macro/MacroExportFile.h"
#include "platform/files/SafeFile.h"

#include <QFileInfo>
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
            ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroExportFailed")));
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
    QString error;
    if (!SafeFile::writeChosen(path, bytes, &error)) {
        qWarning() << "Macro export file could not be written:" << path << error;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroExportFailed")));
        return;
    }
    UpDateWarning notice;
    notice.SetText(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroExportDone")) +
                   QStringLiteral("\n") + QFileInfo(path).fileName());
    RunPlaced(notice, 100, 50);
}

// The whole file is read and checked before anything changes: a damaged or
// foreign file adds no macro and touches no file.
void Macro::InPortMacro()
{
    if (RefuseLinkedFolder())
        return;
    const QString path =
        DialogSeam::getOpenFileName(this, QStringLiteral("SelectFile"), MacroFileType);
    if (path.isEmpty())
        return;
    // Only a plain file of a size an export can have is read, also through
    // the user's links: a pipe would block, a huge file is no export.
    QByteArray bytes;
    QString error;
    if (SafeFile::readChosen(path, MacroExportFile::MaxFileBytes, &bytes, &error) !=
        SafeFile::Status::Ok) {
        qWarning() << "Macro import file is no plain file of an export's size, or unreadable:"
                   << path << error;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("DialogMacroFileError")));
        return;
    }
    MacroExportFile::Content content;
    if (!MacroExportFile::Read(bytes, &content, &error)) {
        qWarning() << "Macro import file refused:" << path << error;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("DialogMacroFileError")));
        return;
    }
    if (NameTaken(content.name)) {
        ShowSameMacro();
        return;
    }
    if (content.tag != QLatin1String(MacroExportFile::Tag) || !IsRepeatText(content.repeat)) {
        qWarning() << "Not a macro export file, or its repeat code is unusable:" << path;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("DialogMacroFileError")));
        return;
    }
    if (!IsUsableName(content.name)) {
        qWarning() << "Imported macro name refused, it cannot be a listed macro file name:"
                   << content.name;
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("DialogMacroNameNotAllowed")));
        return;
    }
    // The file first: a macro that could not be stored is not listed, and
    // the macro shown until now keeps its events.
    if (!WriteMacroEvents(content.name, content.repeat, content.events)) {
        ShowNotice(MacroLabels[CurrentLanguage].value(QStringLiteral("MacroSaveFailed")));
        return;
    }
    // Shown as selecting it would show it, repeat mode included, so a later
    // Save keeps the imported repeat code.
    ui->listWidgetHong->addItem(content.name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    on_listWidgetHong_clicked(QModelIndex());
}
