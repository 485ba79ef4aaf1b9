// The macro export file: its layout, import and export on the macro page,
// and files that are damaged or crafted.
#include "MacroTestSupport.h"

#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"

#include "common/SharedState.h"
#include "macro/MacroExportFile.h"
#include "platform/files/SafeFile.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TstMacroExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exportLayoutAndImportRoundTrip();
    void exportedFileIsListedByImport_data();
    void exportedFileIsListedByImport();
    void damagedImportIsRefused_data();
    void damagedImportIsRefused();
    void importOfAKnownNameShowsTheNotice();
    void exportTakesTheMacroOfTheName();
    void failedExportLeavesTheEarlierFile();
    void craftedImportIsRefused_data();
    void craftedImportIsRefused();
    void everyTruncationIsRefused();
    void importTakesTheChosenFileThroughLinks_data();
    void importTakesTheChosenFileThroughLinks();
    void exportWritesThroughTheChosenLink_data();
    void exportWritesThroughTheChosenLink();

private:
    Macro *NewPage();
    QString ExportOf(const QByteArray &macroFile, const QString &name);
    Macro *page = nullptr;
    QTemporaryDir dir;
};

void TstMacroExport::initTestCase()
{
    QVERIFY(dir.isValid());
    FillMacroCatalogue();
}

void TstMacroExport::init()
{
    EmptyMacroFolder();
}

void TstMacroExport::cleanup()
{
    delete page;
    page = nullptr;
}

Macro *TstMacroExport::NewPage()
{
    delete page;
    page = new Macro();
    return page;
}

QString TstMacroExport::ExportOf(const QByteArray &macroFile, const QString &name)
{
    WriteFile(MacroFolder() + "/" + name + ".ini", macroFile);
    NewPage();
    SelectMacro(*page, name);
    const QString path = dir.filePath(name + ".export");
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "ExPortMacro");
    // The file dialog opens in the user's documents folder, at home when
    // there is none (a new user's home), and offers the macro's name.
    if (answer.fileRequests().size() != 1 ||
        answer.fileRequests().first().directory != QDir::homePath() ||
        answer.fileRequests().first().fileName != name + ".ini")
        return QString();
    return path;
}

void TstMacroExport::exportLayoutAndImportRoundTrip()
{
    const QByteArray file = "255\n0x04 1 0\n10ms\n0x04 1 1\n";
    const QString path = ExportOf(file, "keep");
    const QByteArray bytes = ReadFile(path);
    QCOMPARE(bytes.left(16), Hex("0000000c5a75646f6400000000000000"));
    QCOMPARE(bytes.mid(16, 8), Hex("000000306b656570"));
    QCOMPARE(bytes.mid(68, 20), Hex("0000000c32353500000000000000000000000003"));
    QCOMPARE(bytes.count(Hex("000000023000")), 1);
    QCOMPARE(bytes.count(Hex("000000023100")), 1);

    // Back in under another name: the same items, file and repeat mode.
    QFile::remove(MacroFolder() + "/keep.ini");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 0);
    QCOMPARE(answer.fileRequests().first().directory, QDir::homePath());
    QCOMPARE(Macros(*page), QStringList{"keep"});
    QCOMPARE(page->ui->listWidgetHong->currentRow(), 0);
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "-A"}));
    QCOMPARE(ReadFile(MacroFolder() + "/keep.ini"), file);
}

void TstMacroExport::exportedFileIsListedByImport_data()
{
    QTest::addColumn<QString>("typed"); // empty: the suggested name is taken
    QTest::addColumn<QString>("written");
    QTest::newRow("suggested name") << QString() << "keep.ini";
    QTest::newRow("typed without extension") << "mine"
                                             << "mine.ini";
}

// A new user's home has no documents folder: the dialogs open at home.
void TstMacroExport::exportedFileIsListedByImport()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    const QString target = QDir::homePath() + "/" + written;
    QFile::remove(target);
    WriteFile(MacroFolder() + "/keep.ini", "1\n0x04 1 0\n");
    NewPage();
    SelectMacro(*page, "keep");
    {
        DialogSeam::ScopedAnswer answer(QString(), typed);
        if (typed.isEmpty())
            answer.acceptSuggestion();
        QMetaObject::invokeMethod(page, "ExPortMacro");
        QCOMPARE(answer.fileRequests().size(), 1);
        QCOMPARE(answer.fileRequests().first().fileName, QString("keep.ini"));
        QVERIFY(QFileInfo(target).isFile());
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().labelText, "The macro was exported.\n" + written);
    }

    QFile::remove(MacroFolder() + "/keep.ini");
    NewPage();
    DialogSeam::ScopedAnswer answer;
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.fileRequests().size(), 1);
    const QString filter = answer.fileRequests().first().filter;
    const QString pattern = filter.section('(', 1).section(')', 0, 0);
    QCOMPARE(answer.fileRequests().first().directory, QDir::homePath());
    QVERIFY(QDir::home().entryList({pattern}, QDir::Files).contains(written));
    QFile::remove(target);
}

// A damaged file adds no macro, writes no file and says what is wrong: the
// macro file cannot be read, or the name it holds is not allowed.
void TstMacroExport::damagedImportIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("notice");
    const QString unreadable = "DialogMacroFileError";
    const QString badName = "DialogMacroNameNotAllowed";
    QTest::newRow("truncated items") << "truncate" << unreadable;
    QTest::newRow("count beyond the items") << "count" << unreadable;
    QTest::newRow("count absurd") << "huge" << unreadable;
    QTest::newRow("truncated header") << "header" << unreadable;
    QTest::newRow("other tag") << "tag" << unreadable;
    QTest::newRow("repeat code no number") << "repeat" << unreadable;
    // Names that cannot be a file of the macro folder, that the listing
    // would skip at the next start, or a device record cannot hold.
    QTest::newRow("name leaves the folder") << "name" << badName;
    QTest::newRow("name holds xml") << "xml" << badName;
    QTest::newRow("name starts with a dot") << "dot" << badName;
    QTest::newRow("name of 31 bytes") << "long" << badName;
}

void TstMacroExport::damagedImportIsRefused()
{
    QFETCH(QString, damage);
    QFETCH(QString, notice);
    QString path = ExportOf("3\n0x04 1 0\n10ms\n0x04 1 1\n", "src");
    QByteArray bytes = ReadFile(path);
    if (damage == "truncate")
        bytes.chop(10);
    else if (damage == "count")
        bytes.replace(84, 4, Hex("00000004"));
    else if (damage == "huge")
        bytes.replace(84, 4, Hex("7fffffff"));
    else if (damage == "header")
        bytes.truncate(40);
    else if (damage == "tag")
        bytes.replace(4, 5, "Zudoe");
    else if (damage == "name")
        bytes.replace(20, 6, QByteArray("../x\0\0", 6));
    else if (damage == "repeat")
        bytes.replace(72, 3, "3\n4");
    else if (damage == "xml")
        bytes.replace(20, 6, QByteArray("a xml\0", 6));
    else if (damage == "dot")
        bytes.replace(20, 6, QByteArray(".x\0\0\0\0", 6));
    else if (damage == "long")
        bytes.replace(20, 31, QByteArray(31, 'n'));
    WriteFile(path, bytes);

    QFile::remove(MacroFolder() + "/src.ini");
    NewPage();
    const QStringList filesBefore = QDir(MacroFolder()).entryList(QDir::Files);
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
    QVERIFY(!MacroText(qPrintable(notice)).isEmpty());
    QCOMPARE(answer.dialogs().first().labelText, MacroText(qPrintable(notice)));
    QCOMPARE(Macros(*page), QStringList{});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), filesBefore);
    QVERIFY(!QFile::exists(dir.filePath("x.ini")));
}

void TstMacroExport::importOfAKnownNameShowsTheNotice()
{
    const QString path = ExportOf("3\n0x04 1 0\n", "same");
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("SameMacro"));
    QCOMPARE(Macros(*page), QStringList{"same"});
    QCOMPARE(ReadFile(MacroFolder() + "/same.ini"), QByteArray("3\n0x04 1 0\n"));
    // A cancelled chooser does nothing.
    answer.setFilePath(QString());
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
}

// After a right-click on another macro (current, not loaded) export writes
// that macro, name and events alike, and Save still writes the shown one.
void TstMacroExport::exportTakesTheMacroOfTheName()
{
    WriteFile(MacroFolder() + "/a.ini", "1\n0x04 1 0\n");
    WriteFile(MacroFolder() + "/b.ini", "255\n0x05 1 0\n10ms\n0x05 1 1\n");
    NewPage();
    SelectMacro(*page, "a");
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
    page->ui->listWidgetHong->setCurrentRow(1);
    const QString path = dir.filePath("b.export");
    {
        DialogSeam::ScopedAnswer answer(QString(), path);
        QMetaObject::invokeMethod(page, "ExPortMacro");
        QCOMPARE(answer.dialogs().size(), 1); // the export's success notice
        QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
    }
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "+Left Button", "10ms", "-Left Button"}));
    page->ui->Save->click();
    QCOMPARE(ReadFile(MacroFolder() + "/a.ini"),
             QByteArray("1\n0x04 1 0\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n"));
    QCOMPARE(ReadFile(MacroFolder() + "/b.ini"), QByteArray("255\n0x05 1 0\n10ms\n0x05 1 1\n"));

    QFile::remove(MacroFolder() + "/b.ini");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 0);
    QCOMPARE(Events(*page), (QStringList{"+B", "10ms", "-B"}));
    QCOMPARE(ReadFile(MacroFolder() + "/b.ini"), QByteArray("255\n0x05 1 0\n10ms\n0x05 1 1\n"));
}

// The disk fills half-way through an export over an earlier one: the
// earlier file stays whole and the user is told.
void TstMacroExport::failedExportLeavesTheEarlierFile()
{
    const QString path = ExportOf("1\n0x04 1 0\n", "keep");
    QVERIFY(!path.isEmpty());
    const QByteArray earlier = ReadFile(path);
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
    DialogSeam::ScopedAnswer answer(QString(), path);
    SafeFile::failWritesAfter(earlier.size() / 2);
    QMetaObject::invokeMethod(page, "ExPortMacro");
    SafeFile::failWritesAfter(-1);
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().labelText, MacroText("MacroExportFailed"));
    QCOMPARE(ReadFile(path), earlier);
}

namespace {

// An export of the macro "crafted" with one press of A whose icon is `icon`.
QByteArray CraftedExport(const QByteArray &icon)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    auto block = [&out](QByteArray text, int size) {
        text.append(QByteArray(size - text.size(), '\0'));
        out.writeBytes(text.constData(), uint(text.size()));
    };
    block("Zudod", 12);
    block("crafted", 48);
    block("1", 12);
    out << qint32(1) << QString("A");
    out.writeRawData(icon.constData(), icon.size());
    out.writeBytes("0", 2);
    return bytes;
}

// A picture icon with one entry: `picture` (a null marker and PNG data) and
// the stored file name.
QByteArray PictureIcon(const QByteArray &picture, const QString &fileName)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << QString("QPixmapIconEngine") << qint32(1);
    out.writeRawData(picture.constData(), picture.size());
    out << fileName << QSize(16, 16) << uint(0) << uint(0);
    return bytes;
}

// PNG data whose header claims width x height, with no picture data.
QByteArray PngHeader(quint32 width, quint32 height)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(1);
    out.writeRawData("\x89PNG\r\n\x1a\n", 8);
    out << quint32(13);
    out.writeRawData("IHDR", 4);
    out << width << height << quint8(8) << quint8(6) << quint8(0) << quint8(0) << quint8(0)
        << quint32(0);
    out << quint32(0);
    out.writeRawData("IEND", 4);
    out << quint32(0);
    return bytes;
}

} // namespace

// Files that name a file of the computer, are a pipe, or claim a huge
// picture: refused at once with the import-failed notice, nothing else
// opened, the macro list and folder as they were.
void TstMacroExport::craftedImportIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("icon names a file") << "path";
    QTest::newRow("huge picture") << "huge";
    QTest::newRow("the file is a pipe") << "fifo";
    QTest::newRow("far too large") << "large";
    QTest::newRow("icon of another kind") << "engine";
}

void TstMacroExport::craftedImportIsRefused()
{
    QFETCH(QString, kind);
    const QString secret = dir.filePath("secret.png");
    WriteFile(secret, "not a picture");
    const QString path = dir.filePath("crafted." + kind);
    QFile::remove(path);
    if (kind == "path") {
        WriteFile(path, CraftedExport(PictureIcon(QByteArray(4, '\0'), secret)));
    } else if (kind == "huge") {
        WriteFile(path, CraftedExport(PictureIcon(PngHeader(20000, 20000), QString())));
    } else if (kind == "fifo") {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (kind == "large") {
        QByteArray bytes = CraftedExport(QByteArray(4, '\xff'));
        bytes.append(QByteArray(5 * 1024 * 1024, 'x'));
        WriteFile(path, bytes);
    } else {
        QByteArray icon;
        QDataStream out(&icon, QIODevice::WriteOnly);
        out << QString("QSvgIconEngine") << QString(secret);
        WriteFile(path, CraftedExport(icon));
    }

    WriteFile(MacroFolder() + "/keep.ini", "1\n0x04 1 0\n");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QElapsedTimer timer;
    timer.start();
    QMetaObject::invokeMethod(page, "InPortMacro");
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
    QCOMPARE(answer.dialogs().first().labelText, MacroText("DialogMacroFileError"));
    QCOMPARE(Macros(*page), QStringList{"keep"});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), QStringList{"keep.ini"});
    QCOMPARE(ReadFile(MacroFolder() + "/keep.ini"), QByteArray("1\n0x04 1 0\n"));
    QFile::remove(path);
}

// The reader takes any bytes: every cut of a real export is refused, and the
// whole export reads back.
void TstMacroExport::everyTruncationIsRefused()
{
    const QByteArray bytes = ReadFile(ExportOf("3\n0x04 1 0\n10ms\n0x04 1 1\n", "cut"));
    MacroExportFile::Content content;
    QString error;
    QVERIFY(MacroExportFile::Read(bytes, &content, &error));
    QCOMPARE(content.name, QString("cut"));
    QCOMPARE(content.events.size(), 3);
    for (int n = 0; n < bytes.size(); ++n)
        QVERIFY2(!MacroExportFile::Read(bytes.left(n), &content, &error),
                 qPrintable(QString::number(n)));
}

void TstMacroExport::importTakesTheChosenFileThroughLinks_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("imported");
    QTest::newRow("regular file") << "regular" << true;
    QTest::newRow("link to an export") << "link" << true;
    QTest::newRow("link to a FIFO") << "link to FIFO" << false;
    QTest::newRow("FIFO") << "FIFO" << false;
    QTest::newRow("folder") << "folder" << false;
}

// The file chosen in the dialog is the user's: a link to an export imports
// it as the export itself would; a FIFO or folder, at the end of a link or
// not, is refused at once with the notice.
void TstMacroExport::importTakesTheChosenFileThroughLinks()
{
    QFETCH(QString, chosen);
    QFETCH(bool, imported);
    const QByteArray exported = ReadFile(ExportOf("3\n0x04 1 0\n10ms\n0x04 1 1\n", "linked"));
    QVERIFY(!exported.isEmpty());
    QFile::remove(MacroFolder() + "/linked.ini");
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString path = outside.filePath("picked.ini");
    using HostileFiles::Thing;
    if (chosen == "regular") {
        WriteFile(path, exported);
    } else if (chosen == "link") {
        QVERIFY(HostileFiles::Make(Thing::LinkToFile, path, outside.path()));
        WriteFile(outside.filePath("victim.txt"), exported);
    } else {
        const Thing thing = chosen == "FIFO"     ? Thing::Fifo
                            : chosen == "folder" ? Thing::Folder
                                                 : Thing::LinkToFifo;
        QVERIFY(HostileFiles::Make(thing, path, outside.path()));
    }

    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    HostileDisk::WithinSeconds(10, "the macro import",
                               [this] { QMetaObject::invokeMethod(page, "InPortMacro"); });
    if (imported) {
        QCOMPARE(answer.dialogs().size(), 0);
        QCOMPARE(Macros(*page), QStringList{"linked"});
        QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "-A"}));
        QCOMPARE(ReadFile(MacroFolder() + "/linked.ini"),
                 QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n"));
    } else {
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().labelText, MacroText("DialogMacroFileError"));
        QCOMPARE(Macros(*page), QStringList{});
    }
}

void TstMacroExport::exportWritesThroughTheChosenLink_data()
{
    QTest::addColumn<HostileFiles::Thing>("thing");
    QTest::addColumn<bool>("written");
    QTest::newRow("link to an earlier export") << HostileFiles::Thing::LinkToFile << true;
    QTest::newRow("link to a FIFO") << HostileFiles::Thing::LinkToFifo << false;
    QTest::newRow("FIFO") << HostileFiles::Thing::Fifo << false;
}

// Saving over a link the user chose writes the file it leads to and keeps
// the link, as a file dialog promises; a FIFO there is refused, told, and
// never waited on.
void TstMacroExport::exportWritesThroughTheChosenLink()
{
    QFETCH(HostileFiles::Thing, thing);
    QFETCH(bool, written);
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString path = outside.filePath("keep.ini");
    QVERIFY(HostileFiles::Make(thing, path, outside.path()));
    const mode_t type = HostileFiles::TypeAt(path);
    WriteFile(MacroFolder() + "/keep.ini", "1\n0x04 1 0\n");
    NewPage();
    SelectMacro(*page, "keep");
    DialogSeam::ScopedAnswer answer(QString(), path);
    HostileDisk::WithinSeconds(10, "the macro export",
                               [this] { QMetaObject::invokeMethod(page, "ExPortMacro"); });
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(HostileFiles::TypeAt(path), type);
    if (!written) {
        QCOMPARE(answer.dialogs().first().labelText, MacroText("MacroExportFailed"));
        return;
    }
    QCOMPARE(answer.dialogs().first().labelText, "The macro was exported.\nkeep.ini");
    MacroExportFile::Content content;
    QString error;
    QVERIFY(MacroExportFile::Read(ReadFile(outside.filePath("victim.txt")), &content, &error));
    QCOMPARE(content.name, QString("keep"));
}

QTEST_MAIN(TstMacroExport)
#include "tst_macroexport.moc"
