// Export and import of one macro as a Qt data stream: three fixed byte
// blocks (tag "Zudod", name, repeat code), the item count, then each event
// item's text, icon and, for key items, its press flag.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "buttons/AssignmentLabels.h"
#include "common/DialogSeam.h"
#include "macro/MacroExportFile.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <QVector>
#include <QtDebug>

namespace {

const char ExportTag[] = "Zudod";
constexpr int TagBlockSize = 12;
constexpr int NameBlockSize = 48;
constexpr int RepeatBlockSize = 12;

QByteArray Block(const QByteArray &text, int size)
{
    QByteArray block = text.left(size);
    block.append(QByteArray(size - block.size(), '\0'));
    return block;
}

// The UTF-8 bytes of text, cut before a character that would not fit whole.
QByteArray Utf8Cut(const QString &text, int size)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= size)
        return bytes;
    int n = size;
    while (n > 0 && (uchar(bytes.at(n)) & 0xC0) == 0x80)
        --n;
    return bytes.left(n);
}

} // namespace

void Macro::ExPortMacro()
{
    const QString path = DialogSeam::getSaveFileName(
        this, QStringLiteral("FileSave"), QStringLiteral("G:"), QStringLiteral("File(*.ini)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "Macro export file could not be opened:" << path;
        return;
    }
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_6);
    auto writeBlock = [&out](const QByteArray &block) {
        out.writeBytes(block.constData(), uint(block.size()));
    };
    writeBlock(Block(ExportTag, TagBlockSize));
    writeBlock(Block(Utf8Cut(CurrentMacroName(), NameBlockSize), NameBlockSize));
    writeBlock(Block(QByteArray::number(RepeatCode()), RepeatBlockSize));
    out << qint32(ui->listWidgetKey->count());
    for (int i = 0; i < ui->listWidgetKey->count(); ++i) {
        const QListWidgetItem *item = ui->listWidgetKey->item(i);
        out << item->text() << item->icon();
        if (!IsDelayText(item->text()))
            out.writeBytes(item->type() == PressType ? "0" : "1", 2);
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        qWarning() << "Macro export file could not be written:" << path;
}

// The whole file is read and checked before anything changes: a damaged or
// foreign file adds no macro and touches no file.
void Macro::InPortMacro()
{
    const QString path = DialogSeam::getOpenFileName(
        this, QStringLiteral("SelectFile"), QStringLiteral("G:"), QStringLiteral("File(*.ini)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "Macro import file could not be opened:" << path;
        ShowImportFailed();
        return;
    }
    if (file.size() > MacroExportFile::MaxFileBytes) {
        qWarning() << "Macro import file is far too large for a macro:" << path;
        ShowImportFailed();
        return;
    }
    MacroExportFile::Content content;
    const MacroExportFile::ReadResult result = MacroExportFile::Read(file.readAll(), &content);
    if (result == MacroExportFile::ReadResult::Truncated) {
        qWarning() << "Macro import file is truncated:" << path;
        ShowImportFailed();
        return;
    }
    const QString &name = content.name;
    if (NameTaken(name)) {
        ShowSameMacro();
        return;
    }
    if (result == MacroExportFile::ReadResult::Foreign || MacroFilePathOf(name).isEmpty()) {
        qWarning() << "Not a macro export file, or its name or repeat code is unusable:" << path;
        ShowImportFailed();
        return;
    }
    if (result != MacroExportFile::ReadResult::Ok) {
        qWarning() << "Macro import file is damaged (count or items):" << path;
        ShowImportFailed();
        return;
    }
    const QString &repeat = content.repeat;
    const QVector<MacroExportFile::Item> &items = content.items;

    ui->listWidgetHong->addItem(name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    ui->listWidgetKey->clear();
    for (const MacroExportFile::Item &item : items) {
        const int type = item.delay || item.pressed ? PressType : ReleaseType;
        ui->listWidgetKey->addItem(new QListWidgetItem(item.icon, item.text, nullptr, type));
    }
    if (!SaveMacroFile(QString(), repeat)) {
        delete ui->listWidgetHong->takeItem(ui->listWidgetHong->count() - 1);
        ui->listWidgetHong->setCurrentRow(-1);
        ui->listWidgetKey->clear();
        ShowImportFailed();
    }
}
