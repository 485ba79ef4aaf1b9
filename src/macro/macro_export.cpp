// Export and import of one macro as a Qt data stream: three fixed byte
// blocks (tag "Zudod", name, repeat code), the item count, then each event
// item's text, icon and, for key items, its press flag.
#include "macro/Macro.h"

#include "ui_Macro.h"

#include "buttons/AssignmentLabels.h"
#include "common/DialogSeam.h"

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
// A device macro holds 70 key events, so an event list of a few hundred items
// is already generous; a count beyond this is a damaged file.
constexpr qint32 MaxImportItems = 4096;

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

// One raw byte block: its 32-bit length must fit in what the file still holds.
bool ReadBlock(QDataStream &in, QString *text)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length > quint32(in.device()->bytesAvailable()))
        return false;
    QByteArray bytes(int(length), '\0');
    if (in.readRawData(bytes.data(), int(length)) != int(length))
        return false;
    const int nul = bytes.indexOf('\0');
    *text = QString::fromUtf8(nul >= 0 ? bytes.left(nul) : bytes);
    return true;
}

bool IsRepeatText(const QString &text)
{
    bool ok = false;
    const int code = text.toInt(&ok);
    return ok && text == QString::number(code) && code >= 0;
}

struct ImportedItem
{
    QString text;
    QIcon icon;
    bool pressed = true;
    bool delay = false;
};

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
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_5_6);
    QString tag, name, repeat;
    if (!ReadBlock(in, &tag) || !ReadBlock(in, &name) || !ReadBlock(in, &repeat)) {
        qWarning() << "Macro import file is truncated:" << path;
        ShowImportFailed();
        return;
    }
    if (NameTaken(name)) {
        ShowSameMacro();
        return;
    }
    if (tag != QLatin1String(ExportTag) || MacroFilePathOf(name).isEmpty() ||
        !IsRepeatText(repeat)) {
        qWarning() << "Not a macro export file, or its name or repeat code is unusable:" << path;
        ShowImportFailed();
        return;
    }

    qint32 count = 0;
    in >> count;
    bool damaged = in.status() != QDataStream::Ok || count > MaxImportItems;
    QVector<ImportedItem> items;
    for (qint32 i = 0; !damaged && i < count; ++i) {
        ImportedItem item;
        in >> item.text >> item.icon;
        item.delay = IsDelayText(item.text);
        if (!item.delay) {
            QString flag;
            in >> flag;
            item.pressed = flag == QString(QChar(0x3000));
        }
        // A line break would split the event into lines of the macro file.
        damaged = in.status() != QDataStream::Ok || item.text.contains(QLatin1Char('\n')) ||
                  item.text.contains(QLatin1Char('\r'));
        items.append(item);
    }
    if (damaged) {
        qWarning() << "Macro import file is damaged (count or items):" << path;
        ShowImportFailed();
        return;
    }

    ui->listWidgetHong->addItem(name);
    ui->listWidgetHong->setCurrentRow(ui->listWidgetHong->count() - 1);
    ui->listWidgetKey->clear();
    for (const ImportedItem &item : items) {
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
