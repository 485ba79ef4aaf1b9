// The one road of every kept file to and from the disk: a write that fails
// at any byte leaves the old file byte for byte; nothing is read from or
// written through a link, FIFO or device; nothing below the per-user folder
// leads out of it.
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"

#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace HostileFiles;

Q_DECLARE_METATYPE(SafeFile::Status)

namespace {

bool g_tmpfs = false;

QString TmpfsFolder()
{
    return QDir::homePath() + QStringLiteral("/full");
}

} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writeReplacesWholeKeepingItsMode();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void fullFileSystemLeavesTheOldFile();
    void readTakesOnlyRegularFiles_data();
    void readTakesOnlyRegularFiles();
    void readIsBounded();
    void writeNeverLeavesTheFolder_data();
    void writeNeverLeavesTheFolder();
    void folderLinkIsNotFollowed();
    void writeElsewhereLeavesWhatIsNoFile_data();
    void writeElsewhereLeavesWhatIsNoFile();
    void chosenFileIsReadThroughLinks_data();
    void chosenFileIsReadThroughLinks();
    void chosenFileIsWrittenThroughLinks_data();
    void chosenFileIsWrittenThroughLinks();

private:
    QString m_user;
    QTemporaryDir m_outside;
};

void TestSafeFile::init()
{
    SafeFile::failWritesAfter(-1);
    m_user = UserFolder::path();
    QDir(m_user).removeRecursively();
    QVERIFY(QDir().mkpath(m_user));
    QVERIFY(m_outside.isValid());
    QVERIFY(QDir(m_outside.path()).removeRecursively());
    QVERIFY(QDir().mkpath(m_outside.path()));
}

void TestSafeFile::writeReplacesWholeKeepingItsMode()
{
    const QString path = m_user + "/Registry.ini";
    QVERIFY(SafeFile::write(path, "first"));
    QCOMPARE(Bytes(path), QByteArray("first"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QString error;
    QVERIFY2(SafeFile::write(path, "second, longer", &error), qPrintable(error));
    QCOMPARE(Bytes(path), QByteArray("second, longer"));
    QCOMPARE(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser);
    QVERIFY(SafeFile::write(path, QByteArray()));
    QCOMPARE(QFileInfo(path).size(), qint64(0));
    QCOMPARE(Entries(m_user), QStringList{"Registry.ini"});
}

void TestSafeFile::failedWriteLeavesTheOldFile_data()
{
    QTest::addColumn<qint64>("failAfter");
    QTest::newRow("nothing fits") << qint64(0);
    QTest::newRow("one byte fits") << qint64(1);
    QTest::newRow("half fits") << qint64(5000);
    QTest::newRow("all but the last byte fit") << qint64(9999);
}

void TestSafeFile::failedWriteLeavesTheOldFile()
{
    QFETCH(qint64, failAfter);
    const QString path = m_user + "/usersetting/alpha.ini";
    QVERIFY(QDir().mkpath(m_user + "/usersetting"));
    Put(path, "3\n0x04 1 0\n0x04 1 1\n");
    SafeFile::failWritesAfter(failAfter);
    QString error;
    const bool written = SafeFile::write(path, QByteArray(10000, 'x'), &error);
    SafeFile::failWritesAfter(-1);
    QVERIFY(!written);
    QCOMPARE(error, qt_error_string(ENOSPC));
    QCOMPARE(Bytes(path), QByteArray("3\n0x04 1 0\n0x04 1 1\n"));
    QCOMPARE(Entries(m_user + "/usersetting"), QStringList{"alpha.ini"});
    QVERIFY(SafeFile::write(path, QByteArray(10000, 'x')));
}

// The disk itself full: the write, the flush or the close reports it, never
// only the rename.
void TestSafeFile::fullFileSystemLeavesTheOldFile()
{
    if (!g_tmpfs)
        QSKIP("no file system of our own can be mounted here (needs root)");
    const QString folder = TmpfsFolder();
    const QString path = folder + "/alpha.ini";
    Put(path, "3\n0x04 1 0\n0x04 1 1\n");
    QVERIFY(HostileDisk::Fill(folder));
    for (const int size : {1, 19, 20000}) {
        QString error;
        QVERIFY(!SafeFile::write(path, QByteArray(size, 'y'), &error));
        QCOMPARE(error, qt_error_string(ENOSPC));
        QCOMPARE(Bytes(path), QByteArray("3\n0x04 1 0\n0x04 1 1\n"));
    }
    QCOMPARE(Entries(folder), (QStringList{"alpha.ini", "filler"}));
    QVERIFY(QFile::remove(folder + "/filler"));
    QVERIFY(SafeFile::write(path, QByteArray(20000, 'y')));
    QCOMPARE(Bytes(path), QByteArray(20000, 'y'));
}

void TestSafeFile::readTakesOnlyRegularFiles_data()
{
    QTest::addColumn<Thing>("thing");
    QTest::addColumn<bool>("inside");
    const QList<QPair<const char *, Thing>> things = {{"link to a file", Thing::LinkToFile},
                                                      {"dangling link", Thing::DanglingLink},
                                                      {"link to a device", Thing::LinkToDevice},
                                                      {"FIFO", Thing::Fifo},
                                                      {"folder", Thing::Folder},
                                                      {"socket", Thing::Socket},
                                                      {"device", Thing::Device}};
    for (const auto &thing : things) {
        QTest::addRow("%s in the per-user folder", thing.first) << thing.second << true;
        QTest::addRow("%s elsewhere", thing.first) << thing.second << false;
    }
}

// Refused at once, without waiting on it; in the per-user folder it is set
// aside as damaged, elsewhere (a file the user chose) it stays.
void TestSafeFile::readTakesOnlyRegularFiles()
{
    QFETCH(Thing, thing);
    QFETCH(bool, inside);
    const QString path = (inside ? m_user : m_outside.path()) + "/State.json";
    if (!Make(thing, path, m_outside.path()))
        QSKIP("this machine does not allow it (a device node needs root)");
    const mode_t type = TypeAt(path);
    QByteArray bytes = "untouched";
    QString error;
    SafeFile::Status status = SafeFile::Status::Ok;
    HostileDisk::WithinSeconds(10, "SafeFile::read",
                               [&] { status = SafeFile::read(path, 1 << 20, &bytes, &error); });
    QCOMPARE(int(status), int(SafeFile::Status::NotRegular));
    QVERIFY(bytes.isEmpty());
    QVERIFY(error.contains("not a regular file"));
    QCOMPARE(SafeFile::probe(path),
             inside ? SafeFile::Status::Missing : SafeFile::Status::NotRegular);
    QCOMPARE(TypeAt(path + ".bad"), inside ? type : mode_t(0));
    if (thing == Thing::LinkToFile)
        QCOMPARE(Bytes(m_outside.filePath("victim.txt")), QByteArray("the user's own text"));
}

void TestSafeFile::readIsBounded()
{
    const QString path = m_user + "/Macro.ini";
    Put(path, QByteArray(100, 'a'));
    QByteArray bytes;
    QCOMPARE(SafeFile::read(path, 99, &bytes), SafeFile::Status::TooLarge);
    QVERIFY(bytes.isEmpty());
    QCOMPARE(SafeFile::read(path, 100, &bytes), SafeFile::Status::Ok);
    QCOMPARE(bytes, QByteArray(100, 'a'));
    QCOMPARE(SafeFile::read(m_user + "/none.ini", 100, &bytes), SafeFile::Status::Missing);
    QCOMPARE(SafeFile::read(m_user + "/no/none.ini", 100, &bytes), SafeFile::Status::Missing);
    QVERIFY(QFileInfo(path).isFile()); // a too large file is the caller's to judge
}

void TestSafeFile::writeNeverLeavesTheFolder_data()
{
    QTest::addColumn<Thing>("thing");
    QTest::newRow("link to a file outside") << Thing::LinkToFile;
    QTest::newRow("dangling link outside") << Thing::DanglingLink;
    QTest::newRow("link to a device outside") << Thing::LinkToDevice;
    QTest::newRow("FIFO") << Thing::Fifo;
    QTest::newRow("folder") << Thing::Folder;
}

// The new file takes the place of what stood there, which is kept as
// <name>.bad; whatever a link pointed to is untouched.
void TestSafeFile::writeNeverLeavesTheFolder()
{
    QFETCH(Thing, thing);
    const QString path = m_user + "/Device_CID26_MID0C.bin";
    if (!Make(thing, path, m_outside.path()))
        QSKIP("this machine does not allow it (a device node needs root)");
    const mode_t type = TypeAt(path);
    const QStringList outsideBefore = Entries(m_outside.path());
    bool written = false;
    HostileDisk::WithinSeconds(10, "SafeFile::write",
                               [&] { written = SafeFile::write(path, QByteArray(10452, 'c')); });
    QVERIFY(written);
    QCOMPARE(TypeAt(path), mode_t(S_IFREG));
    QCOMPARE(Bytes(path), QByteArray(10452, 'c'));
    QCOMPARE(TypeAt(path + ".bad"), type);
    QCOMPARE(Entries(m_outside.path()), outsideBefore);
    if (thing == Thing::LinkToFile)
        QCOMPARE(Bytes(m_outside.filePath("victim.txt")), QByteArray("the user's own text"));
    if (thing == Thing::LinkToDevice)
        QCOMPARE(TypeAt(m_outside.filePath("zero")), mode_t(S_IFCHR));
}

void TestSafeFile::writeElsewhereLeavesWhatIsNoFile_data()
{
    QTest::addColumn<Thing>("thing");
    QTest::newRow("link to a file") << Thing::LinkToFile;
    QTest::newRow("dangling link") << Thing::DanglingLink;
    QTest::newRow("FIFO") << Thing::Fifo;
}

// Where the user chose to write (an export) a link or FIFO is not ours to
// set aside: the write is refused, the thing and what a link names stay.
void TestSafeFile::writeElsewhereLeavesWhatIsNoFile()
{
    QFETCH(Thing, thing);
    const QString path = m_outside.filePath("export.ini");
    if (!Make(thing, path, m_outside.path()))
        QSKIP("this machine does not allow it");
    const mode_t type = TypeAt(path);
    bool written = true;
    QString error;
    HostileDisk::WithinSeconds(10, "SafeFile::write",
                               [&] { written = SafeFile::write(path, "exported", &error); });
    QVERIFY(!written);
    QVERIFY(error.contains("not a regular file"));
    QCOMPARE(TypeAt(path), type);
    QCOMPARE(TypeAt(path + ".bad"), mode_t(0));
    if (thing == Thing::LinkToFile)
        QCOMPARE(Bytes(m_outside.filePath("victim.txt")), QByteArray("the user's own text"));
}

void TestSafeFile::chosenFileIsReadThroughLinks_data()
{
    QTest::addColumn<Thing>("thing");
    QTest::addColumn<SafeFile::Status>("status");
    QTest::newRow("link to a file") << Thing::LinkToFile << SafeFile::Status::Ok;
    QTest::newRow("dangling link") << Thing::DanglingLink << SafeFile::Status::Missing;
    QTest::newRow("link to a FIFO") << Thing::LinkToFifo << SafeFile::Status::NotRegular;
    QTest::newRow("link to a device") << Thing::LinkToDevice << SafeFile::Status::NotRegular;
    QTest::newRow("FIFO") << Thing::Fifo << SafeFile::Status::NotRegular;
    QTest::newRow("folder") << Thing::Folder << SafeFile::Status::NotRegular;
    QTest::newRow("socket") << Thing::Socket << SafeFile::Status::NotRegular;
    QTest::newRow("device") << Thing::Device << SafeFile::Status::NotRegular;
}

// A file the user chose in a dialog is read through the user's links, but
// only a regular file, without waiting on anything, and nothing of the
// user's is set aside. The same thing where the per-user folder keeps a file
// is never followed, and set aside.
void TestSafeFile::chosenFileIsReadThroughLinks()
{
    QFETCH(Thing, thing);
    QFETCH(SafeFile::Status, status);
    const QString chosen = m_outside.filePath("import.ini");
    const QString kept = m_user + "/Macro.ini";
    if (!Make(thing, chosen, m_outside.path()) || !Make(thing, kept, m_outside.path()))
        QSKIP("this machine does not allow it (a device node needs root)");
    const mode_t type = TypeAt(chosen);
    QByteArray bytes = "untouched";
    QString error;
    SafeFile::Status read = SafeFile::Status::Failed;
    HostileDisk::WithinSeconds(10, "SafeFile::readChosen", [&] {
        read = SafeFile::readChosen(chosen, 1 << 20, &bytes, &error);
    });
    QCOMPARE(read, status);
    QCOMPARE(bytes,
             status == SafeFile::Status::Ok ? QByteArray("the user's own text") : QByteArray());
    QCOMPARE(TypeAt(chosen), type);
    QCOMPARE(TypeAt(chosen + ".bad"), mode_t(0));

    HostileDisk::WithinSeconds(10, "SafeFile::read",
                               [&] { read = SafeFile::read(kept, 1 << 20, &bytes, &error); });
    QCOMPARE(read, SafeFile::Status::NotRegular);
    QVERIFY(bytes.isEmpty());
    QCOMPARE(TypeAt(kept), mode_t(0));
    QCOMPARE(TypeAt(kept + ".bad"), type);
}

void TestSafeFile::chosenFileIsWrittenThroughLinks_data()
{
    QTest::addColumn<Thing>("thing");
    QTest::addColumn<bool>("written");
    QTest::newRow("link to a file") << Thing::LinkToFile << true;
    QTest::newRow("dangling link") << Thing::DanglingLink << false;
    QTest::newRow("link to a FIFO") << Thing::LinkToFifo << false;
    QTest::newRow("link to a device") << Thing::LinkToDevice << false;
    QTest::newRow("FIFO") << Thing::Fifo << false;
    QTest::newRow("folder") << Thing::Folder << false;
}

// An export over a link the user chose replaces the file the link leads to,
// whole, and the link stays; anything but a regular file at its end is
// refused without being opened, and nothing is made where nothing was.
void TestSafeFile::chosenFileIsWrittenThroughLinks()
{
    QFETCH(Thing, thing);
    QFETCH(bool, written);
    const QString chosen = m_outside.filePath("export.ini");
    if (!Make(thing, chosen, m_outside.path()))
        QSKIP("this machine does not allow it (a device node needs root)");
    const QString victim = m_outside.filePath("victim.txt");
    if (thing == Thing::LinkToFile)
        QVERIFY(QFile::setPermissions(victim, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const mode_t type = TypeAt(chosen);
    const QStringList before = Entries(m_outside.path());
    bool done = !written;
    QString error;
    HostileDisk::WithinSeconds(10, "SafeFile::writeChosen",
                               [&] { done = SafeFile::writeChosen(chosen, "exported", &error); });
    QVERIFY2(done == written, qPrintable(error));
    QCOMPARE(TypeAt(chosen), type);
    QCOMPARE(Entries(m_outside.path()), before);
    if (thing == Thing::LinkToFile) {
        QCOMPARE(Bytes(victim), QByteArray("exported"));
        QCOMPARE(QFile::permissions(victim) &
                     (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    if (thing == Thing::LinkToDevice)
        QCOMPARE(TypeAt(m_outside.filePath("zero")), mode_t(S_IFCHR));
}

// A folder of the per-user folder replaced by a link leads nowhere: nothing
// is read through it and nothing written.
void TestSafeFile::folderLinkIsNotFollowed()
{
    Put(m_outside.filePath("Device_CID26_MID0C.bin"), "outside");
    QVERIFY(QFile::link(m_outside.path(), m_user + "/Device_Info"));
    const QString path = m_user + "/Device_Info/Device_CID26_MID0C.bin";
    QByteArray bytes;
    QString error;
    QCOMPARE(SafeFile::read(path, 1 << 20, &bytes, &error), SafeFile::Status::NotRegular);
    QVERIFY(bytes.isEmpty());
    QVERIFY(!SafeFile::write(path, "inside", &error));
    QVERIFY2(error.contains("is a link"), qPrintable(error));
    QCOMPARE(Bytes(m_outside.filePath("Device_CID26_MID0C.bin")), QByteArray("outside"));
    QCOMPARE(Entries(m_outside.path()), QStringList{"Device_CID26_MID0C.bin"});
    // A file elsewhere may be reached through the user's own links.
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(m_outside.path(), elsewhere.filePath("hop")));
    QCOMPARE(SafeFile::read(elsewhere.filePath("hop/Device_CID26_MID0C.bin"), 100, &bytes),
             SafeFile::Status::Ok);
    QCOMPARE(bytes, QByteArray("outside"));
    // And so may a file the user chose in a dialog, even below the per-user
    // folder.
    QVERIFY2(SafeFile::writeChosen(path, "chosen", &error), qPrintable(error));
    QCOMPARE(Bytes(m_outside.filePath("Device_CID26_MID0C.bin")), QByteArray("chosen"));
    QCOMPARE(SafeFile::readChosen(path, 100, &bytes), SafeFile::Status::Ok);
    QCOMPARE(bytes, QByteArray("chosen"));
    QVERIFY(QFileInfo(m_user + "/Device_Info").isSymLink());
}

int main(int argc, char **argv)
{
    // Before any thread: the file system of our own, where allowed.
    QDir().mkpath(TmpfsFolder());
    g_tmpfs = HostileDisk::MountPrivateTmpfs(TmpfsFolder(), 256 * 1024);
    QCoreApplication app(argc, argv);
    TestSafeFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_safefile.moc"
