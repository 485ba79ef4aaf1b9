// The move of an earlier version's per-user folder (~/AppData/Local/ORVAK) to
// its new place: renamed where it can be, copied and checked where it cannot
// (another file system), taken into a folder that exists already without
// replacing anything but what a start writes by itself, links moved as
// links, the earlier files kept beside later ones named to the user. A move
// that cannot be completed leaves the earlier folder as it was, no half copy
// behind, tells the user once, and the next start tries again.
#include "app/ProgramMain.h"
#include "app/Startup.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "device/FailRecords.h"
#include "device/FlashDataStore.h"
#include "platform/FolderMove.h"
#include "platform/Registry.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Tree = QMap<QString, QString>;

int renameAcrossFileSystems(const char *, const char *)
{
    errno = EXDEV;
    return -1;
}

// Every entry below `folder`, links not followed: what it is and holds.
Tree snapshot(const QString &folder)
{
    Tree tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QByteArray name = QFile::encodeName(path);
        struct stat info;
        QString what = "unreadable";
        char target[4096];
        if (::lstat(name.constData(), &info) != 0) {
        } else if (S_ISLNK(info.st_mode)) {
            const ssize_t length = ::readlink(name.constData(), target, sizeof(target));
            what = "link:" + QString::fromLocal8Bit(target, int(qMax<ssize_t>(length, 0)));
        } else if (S_ISDIR(info.st_mode)) {
            what = "folder";
        } else if (S_ISREG(info.st_mode)) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                what = "file:" + QString::fromLatin1(file.readAll().toHex());
        } else {
            what = "special";
        }
        tree.insert(QDir(folder).relativeFilePath(path), what);
    }
    return tree;
}

QString fileEntry(const QByteArray &bytes)
{
    return "file:" + QString::fromLatin1(bytes.toHex());
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

// Writes beyond `bytes` fail with EFBIG while it lives: a disk that fills.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_before);
        struct rlimit limit = m_before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    struct rlimit m_before;
    void (*m_signal)(int);
};

} // namespace

class TestFolderMove : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void moveKeepsEverything_data();
    void moveKeepsEverything();
    void failedCopyLeavesEarlierFolderWhole();
    void clashKeepsBothSides();
    void otherFileSystem();
    void failedMoveIsToldOnce();
    void retryKeepsWhatTheEarlierVersionKnew_data();
    void retryKeepsWhatTheEarlierVersionKnew();
    void filesKeptBesideAreTold();

private:
    QString earlier() const { return UserFolder::earlierPath(); }
    QString outside() const { return m_home.filePath("outside"); }
    void makeEarlierFolder();
    // What the new folder holds after the move; a copy leaves the FIFO out.
    Tree expectedAfterMove(bool copied = true) const;
    QStringList leftCopies() const;

    QTemporaryDir m_home;
    Tree m_earlier;
};

void TestFolderMove::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QVERIFY(QDir().mkpath(m_home.filePath("run")));
    QVERIFY(QFile::setPermissions(m_home.filePath("run"), QFileDevice::ReadOwner |
                                                              QFileDevice::WriteOwner |
                                                              QFileDevice::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_home.filePath("run")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home.filePath("data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(".config")));
    QCOMPARE(earlier(), m_home.filePath("AppData/Local/ORVAK"));
    QCOMPARE(UserFolder::path(), m_home.filePath("data/ORVAK"));
}

void TestFolderMove::init()
{
    QVERIFY(QDir(m_home.filePath("AppData")).removeRecursively());
    QVERIFY(QDir(m_home.filePath("data")).removeRecursively());
    QVERIFY(QDir(outside()).removeRecursively());
}

void TestFolderMove::cleanup()
{
    FolderMove::setTreeRename(nullptr);
}

// What a user of an earlier version has, with links that lead out of the
// folder and a FIFO, which holds no data.
void TestFolderMove::makeEarlierFolder()
{
    const QString folder = earlier();
    QVERIFY(write(folder + "/Macro.ini", "[Language]\nLanguage=1\n"));
    QVERIFY(write(folder + "/Registry.ini", "[HKEY_CURRENT_USER]\nMouseVer=0107\n"));
    QVERIFY(write(folder + "/ORVAK.lock", ""));
    QVERIFY(write(folder + "/usersetting/MacroPage/alpha.ini", "alpha macro\n"));
    QVERIFY(write(folder + "/usersetting/MacroPage/beta.ini", "beta macro\n"));
    QVERIFY(write(folder + "/Device_Info/Device_CID26_MID0C.bin", pattern(10448)));
    QVERIFY(write(folder + "/Exception/big.dmp", pattern(400000)));
    QVERIFY(write(folder + "/Log/empty.txt", ""));
    QVERIFY(write(folder + "/.hidden", "hidden"));
    QVERIFY(write(folder + "/a/b/c/deep.txt", "deep"));
    QVERIFY(QDir().mkpath(folder + "/usersetting/SensorPage"));
    QVERIFY(write(outside() + "/victim.txt", "not the program's"));
    QVERIFY(QFile::link(outside() + "/victim.txt", folder + "/usersetting/out.lnk"));
    QVERIFY(QFile::link(outside(), folder + "/linked-folder"));
    QVERIFY(QFile::link("alpha.ini", folder + "/usersetting/MacroPage/alias.ini"));
    QCOMPARE(::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600), 0);
    // The purge of old dumps goes by their date: it must move along.
    QFile dump(folder + "/Exception/big.dmp");
    QVERIFY(dump.open(QIODevice::ReadWrite));
    QVERIFY(dump.setFileTime(QDateTime::currentDateTime().addDays(-10),
                             QFileDevice::FileModificationTime));
    m_earlier = snapshot(folder);
}

Tree TestFolderMove::expectedAfterMove(bool copied) const
{
    Tree expected = m_earlier;
    if (copied)
        expected.remove("pipe");
    return expected;
}

QStringList TestFolderMove::leftCopies() const
{
    QStringList left;
    QDirIterator it(m_home.filePath("data"), {".ORVAK-moving-*"},
                    QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        left << it.next();
    return left;
}

void TestFolderMove::moveKeepsEverything_data()
{
    QTest::addColumn<bool>("otherFileSystem");
    QTest::addColumn<bool>("folderThere");
    QTest::newRow("renamed") << false << false;
    QTest::newRow("copied to another file system") << true << false;
    // A start that could not move it made the folders and an empty Macro.ini.
    QTest::newRow("into the folders of a start before") << false << true;
}

void TestFolderMove::moveKeepsEverything()
{
    QFETCH(bool, otherFileSystem);
    QFETCH(bool, folderThere);
    makeEarlierFolder();
    if (folderThere) {
        QVERIFY(UserFolder::makeFolders());
        QVERIFY(UserFolder::ensurePreferencesFile());
    }
    if (otherFileSystem)
        FolderMove::setTreeRename(renameAcrossFileSystems);

    QVERIFY(UserFolder::adoptEarlierFolder());

    Tree expected = expectedAfterMove(otherFileSystem || folderThere);
    if (folderThere)
        expected.insert("usersetting/MainPage", "folder");
    QCOMPARE(snapshot(UserFolder::path()), expected);
    QVERIFY(!QFileInfo::exists(earlier()));
    QVERIFY(leftCopies().isEmpty());
    // The links were moved, not what they lead to.
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/out.lnk")).isSymLink());
    QCOMPARE(read(outside() + "/victim.txt"), QByteArray("not the program's"));
    QCOMPARE(QDir(outside()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"victim.txt"});
    QCOMPARE(QFileInfo(UserFolder::filePath("Exception/big.dmp")).lastModified().date(),
             QDate::currentDate().addDays(-10));
}

void TestFolderMove::failedCopyLeavesEarlierFolderWhole()
{
    makeEarlierFolder();
    FolderMove::setTreeRename(renameAcrossFileSystems);
    {
        // The destination's disk fills in the middle of the big dump.
        FileSizeLimit limit(150000);
        QVERIFY(!Startup::prepareUserFolder());
    }
    QCOMPARE(snapshot(earlier()), m_earlier);
    QVERIFY(leftCopies().isEmpty());
    // This run goes on in the new place, and writes there.
    QVERIFY(QFileInfo(UserFolder::filePath("usersetting/MacroPage")).isDir());
    QCOMPARE(QFileInfo(UserFolder::filePath("Macro.ini")).size(), 0);
    QVERIFY(write(UserFolder::filePath("usersetting/MacroPage/new.ini"), "made meanwhile\n"));

    // The next start finds room.
    QVERIFY(Startup::prepareUserFolder());
    QVERIFY(!QFileInfo::exists(earlier()));
    Tree moved = snapshot(UserFolder::path());
    QCOMPARE(moved.take("usersetting/MacroPage/new.ini"), fileEntry("made meanwhile\n"));
    QCOMPARE(moved.take("usersetting/MainPage"), QString("folder"));
    QCOMPARE(moved, expectedAfterMove());
    QCOMPARE(read(UserFolder::filePath("Macro.ini")), QByteArray("[Language]\nLanguage=1\n"));
}

void TestFolderMove::clashKeepsBothSides()
{
    QVERIFY(write(UserFolder::filePath("Macro.ini"), ""));
    QVERIFY(write(UserFolder::filePath("Registry.ini"), "new records"));
    QVERIFY(write(UserFolder::filePath("usersetting/MacroPage/alpha.ini"), "new alpha"));
    QVERIFY(write(UserFolder::filePath("usersetting/MacroPage/beta.ini"), "same beta"));
    QVERIFY(QDir().mkpath(UserFolder::filePath("Log")));
    QVERIFY(write(earlier() + "/Macro.ini", "old preferences"));
    QVERIFY(write(earlier() + "/Registry.ini", "old records"));
    QVERIFY(write(earlier() + "/usersetting/MacroPage/alpha.ini", "old alpha"));
    QVERIFY(write(earlier() + "/usersetting/MacroPage/beta.ini", "same beta"));
    QVERIFY(write(earlier() + "/usersetting/MacroPage/gamma.ini", "gamma"));
    QVERIFY(write(earlier() + "/Log", "a file where a folder is"));

    QVERIFY(UserFolder::adoptEarlierFolder());
    QVERIFY(!QFileInfo::exists(earlier()));
    const QString macros = UserFolder::filePath("usersetting/MacroPage/");
    QCOMPARE(read(UserFolder::filePath("Macro.ini")), QByteArray("old preferences"));
    QCOMPARE(read(UserFolder::filePath("Registry.ini")), QByteArray("new records"));
    QCOMPARE(read(UserFolder::filePath("Registry (earlier version).ini")),
             QByteArray("old records"));
    QCOMPARE(read(macros + "alpha.ini"), QByteArray("new alpha"));
    QCOMPARE(read(macros + "alpha (earlier version).ini"), QByteArray("old alpha"));
    QCOMPARE(read(macros + "gamma.ini"), QByteArray("gamma"));
    QCOMPARE(QDir(macros).entryList(QDir::Files),
             (QStringList{"alpha (earlier version).ini", "alpha.ini", "beta.ini", "gamma.ini"}));
    QVERIFY(QFileInfo(UserFolder::filePath("Log")).isDir());
    QCOMPARE(read(UserFolder::filePath("Log (earlier version)")),
             QByteArray("a file where a folder is"));

    // A folder that is there again, with what was taken in already and one
    // more version: nothing twice, nothing replaced.
    QVERIFY(write(earlier() + "/usersetting/MacroPage/alpha.ini", "old alpha"));
    QVERIFY(UserFolder::adoptEarlierFolder());
    QVERIFY(write(earlier() + "/usersetting/MacroPage/alpha.ini", "older alpha"));
    QVERIFY(UserFolder::adoptEarlierFolder());
    QCOMPARE(QDir(macros).entryList(QDir::Files),
             (QStringList{"alpha (earlier version 2).ini", "alpha (earlier version).ini",
                          "alpha.ini", "beta.ini", "gamma.ini"}));
    QCOMPARE(read(macros + "alpha (earlier version 2).ini"), QByteArray("older alpha"));
}

// A real second file system: a tmpfs, in a mount namespace of a child of its
// own, first too small for the folder and then large enough.
void TestFolderMove::otherFileSystem()
{
    if (!qEnvironmentVariableIsSet("ORVAK_FOLDERMOVE_NAMESPACE")) {
        const QString unshare = QStandardPaths::findExecutable("unshare");
        if (::geteuid() != 0 || unshare.isEmpty())
            QSKIP("needs root and unshare to mount a file system of its own");
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ORVAK_FOLDERMOVE_NAMESPACE", "1");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(unshare, {"-m", "--propagation", "private",
                              QCoreApplication::applicationFilePath(), "otherFileSystem"});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        if (output.contains("SKIP   : TestFolderMove::otherFileSystem()"))
            QSKIP("no tmpfs can be mounted here");
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 output.constData());
        return;
    }
    const QByteArray data = QFile::encodeName(m_home.filePath("data"));
    QVERIFY(QDir().mkpath(m_home.filePath("data")));
    if (::mount("tmpfs", data.constData(), "tmpfs", 0, "size=256k") != 0)
        QSKIP("no tmpfs can be mounted here");
    struct Unmount
    {
        QByteArray path;
        ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
    } unmount{data};
    makeEarlierFolder();

    QVERIFY(!UserFolder::adoptEarlierFolder()); // no room: ENOSPC half-way
    QCOMPARE(snapshot(earlier()), m_earlier);
    QVERIFY(leftCopies().isEmpty());
    QVERIFY(!QFileInfo::exists(UserFolder::path()));

    QCOMPARE(::mount("tmpfs", data.constData(), "tmpfs", MS_REMOUNT, "size=8m"), 0);
    QVERIFY(UserFolder::adoptEarlierFolder());
    QCOMPARE(snapshot(UserFolder::path()), expectedAfterMove());
    QVERIFY(!QFileInfo::exists(earlier()));
    QVERIFY(leftCopies().isEmpty());
}

// The program itself: the notice comes once, over the main window, in the
// user's words.
void TestFolderMove::failedMoveIsToldOnce()
{
    makeEarlierFolder();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--run-program"});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    const QByteArray shown = child.readAllStandardOutput();
    LabelCatalogue::load();
    const QString text = CommonLabels[0].value("EarlierFolderNotMoved");
    QVERIFY(!text.isEmpty());
    QCOMPARE(QString::fromUtf8(shown), "UpDateWarning: " + text + "\n");
    QCOMPARE(snapshot(earlier()), m_earlier);
}

namespace {

QString FailInfo(const QString &registryFile)
{
    return Registry(registryFile)
        .value(Registry::mouseDriveTestKey(), FailRecords::valueName())
        .toString();
}

// What the device library keeps now in the per-user folder.
QByteArray DeviceMemory()
{
    return read(SimStateFile());
}

} // namespace

void TestFolderMove::retryKeepsWhatTheEarlierVersionKnew_data()
{
    QTest::addColumn<bool>("laterChangedAnything");
    QTest::newRow("the later session only started and read the mice") << false;
    QTest::newRow("the later session kept a record and settings of its own") << true;
}

// The earlier version left a flash's failure record, its receiver in boot
// mode and the block it read from the mouse. Its folder could not be moved
// (a full disk), and the user worked on in the new one. The next start moves
// it: what a start writes by itself gives way to what the earlier version
// knew; a file the later session filled with its own is kept, the earlier
// one beside it, and named to be told.
void TestFolderMove::retryKeepsWhatTheEarlierVersionKnew()
{
    QFETCH(bool, laterChangedAnything);
    const QString registry = UserFolder::filePath("Registry.ini");
    const QString cache = CacheFileName(38, 12);
    FlashDataMap block;

    // The earlier version's files, made by the device library as it ran then.
    QVERIFY(UserFolder::makeFolders());
    SimReset(true);
    QVERIFY(SimMouseBlock(1, &block));
    block.DebounceMs = 9;
    QVERIFY(SimSetMouseProfileBlock(1, 0, block));
    QVERIFY(SimSetBootMode(0, true));
    QVERIFY(SimWaitIdle(5000));
    QVERIFY(WriteFlashDataCacheFile(cache, block));
    const QByteArray earlierMemory = DeviceMemory();
    const QByteArray earlierCache = read(CacheFilePath(cache));
    QVERIFY(Registry(registry).setValue(Registry::mouseDriveTestKey(), FailRecords::valueName(),
                                        "211,4,38,11"));
    QVERIFY(QDir().mkpath(QFileInfo(earlier()).absolutePath()));
    QVERIFY(QDir().rename(UserFolder::path(), earlier()));
    QVERIFY(write(earlier() + "/Exception/big.dmp", pattern(400000)));
    const QByteArray earlierRecords = read(earlier() + "/Registry.ini");

    // A start that could not move it, and a session in the new folder.
    FolderMove::setTreeRename(renameAcrossFileSystems);
    {
        FileSizeLimit limit(150000);
        QVERIFY(!Startup::prepareUserFolder());
    }
    FolderMove::setTreeRename(nullptr);
    SimReset(true);
    QVERIFY(SimMouseBlock(1, &block));
    if (laterChangedAnything) {
        block.DebounceMs = 5;
        QVERIFY(SimSetMouseProfileBlock(1, 0, block));
        QVERIFY(Registry(registry).setValue(Registry::mouseDriveTestKey(), FailRecords::valueName(),
                                            "210,0,38,12"));
    }
    QVERIFY(SimSetBootMode(1, false)); // saves the memory as it stands
    QVERIFY(SimWaitIdle(5000));
    QVERIFY(WriteFlashDataCacheFile(cache, block));
    QVERIFY(Registry(registry).setValue(Registry::mouseDriveTestKey(), "MouseVer3812", "v1.06"));
    const QByteArray laterMemory = DeviceMemory();
    const QByteArray laterRecords = read(registry);
    const QByteArray laterCache = read(CacheFilePath(cache));

    QStringList kept;
    QVERIFY(Startup::prepareUserFolder(&kept));
    kept.sort();
    QVERIFY(!QFileInfo::exists(earlier()));
    SimReset();
    if (!laterChangedAnything) {
        QCOMPARE(kept, QStringList());
        QCOMPARE(read(registry), earlierRecords);
        QCOMPARE(FailInfo(registry), QString("211,4,38,11"));
        QCOMPARE(DeviceMemory(), earlierMemory);
        QVERIFY(SimIsBootMode(0)); // the receiver waits for its repair
        QCOMPARE(read(CacheFilePath(cache)), earlierCache);
        return;
    }
    QCOMPARE(kept, (QStringList{"DeviceSim/State (earlier version).json",
                                "Device_Info/Device_CID26_MID0C (earlier version).bin",
                                "Registry (earlier version).ini"}));
    QCOMPARE(read(registry), laterRecords);
    QCOMPARE(FailInfo(registry), QString("210,0,38,12"));
    QCOMPARE(FailInfo(UserFolder::filePath("Registry (earlier version).ini")),
             QString("211,4,38,11"));
    QCOMPARE(DeviceMemory(), laterMemory);
    QCOMPARE(read(UserFolder::filePath("DeviceSim/State (earlier version).json")), earlierMemory);
    QCOMPARE(read(CacheFilePath(cache)), laterCache);
    QCOMPARE(read(CacheFilePath("Device_CID26_MID0C (earlier version).bin")), earlierCache);
}

// The program itself, after a move that kept earlier files beside the ones
// the later session made: one notice at start names them.
void TestFolderMove::filesKeptBesideAreTold()
{
    QVERIFY(write(earlier() + "/Macro.ini", "[Language]\nLanguage=1\n"));
    QVERIFY(write(earlier() + "/usersetting/MacroPage/alpha.ini", "1\n0x04 1 0\n"));
    QVERIFY(write(UserFolder::filePath("Macro.ini"), "[Language]\nLanguage=0\n"));
    QVERIFY(write(UserFolder::filePath("usersetting/MacroPage/alpha.ini"), "1\n0x05 1 0\n"));
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--run-program", "room"});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitCode(), 0);
    LabelCatalogue::load();
    const QString text = CommonLabels[0].value("EarlierFilesKeptBeside");
    QVERIFY(!text.isEmpty());
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()),
             "UpDateWarning: " + text +
                 "\nMacro (earlier version).ini\nusersetting/MacroPage/alpha (earlier "
                 "version).ini\n");
    QVERIFY(!QFileInfo::exists(earlier()));
    QCOMPARE(read(UserFolder::filePath("Macro.ini")), QByteArray("[Language]\nLanguage=0\n"));
    QCOMPARE(read(UserFolder::filePath("Macro (earlier version).ini")),
             QByteArray("[Language]\nLanguage=1\n"));
}

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--run-program") == 0) {
        // The start of the program, with the destination's disk full unless
        // there is room, every dialog recorded and answered; it ends once the
        // window is up.
        const bool full = argc < 3 || qstrcmp(argv[2], "room") != 0;
        if (full)
            FolderMove::setTreeRename(renameAcrossFileSystems);
        FileSizeLimit limit(full ? 150000 : RLIM_INFINITY);
        DialogSeam::ScopedAnswer answer;
        char *args[] = {argv[0], nullptr};
        int count = 1;
        return RunProgram(count, args, [&answer](QWidget *) {
            for (const DialogSeam::ShownDialog &dialog : answer.dialogs())
                std::printf("%s: %s\n", qPrintable(dialog.className), qPrintable(dialog.labelText));
            return 0;
        });
    }
    QApplication app(argc, argv);
    TestFolderMove test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_foldermove.moc"
