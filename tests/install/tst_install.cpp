// The README's order on a built tree: build only what scripts/run.sh builds,
// then `cmake --install` into a temporary prefix as the README writes it. The
// program with its data tree where it looks for it, links on the PATH, the
// launcher and its icon.
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

// The files below `root`, as paths relative to it.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The first line of `path` that starts (after blanks) with `start`, split at
// blanks: the command as a user copies it.
QStringList commandIn(const QString &path, const QString &start)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(start))
            return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return {};
}

// Runs `command` with this build folder for "build", the given prefix after
// "--prefix" and the machine's threads for "$(nproc)"; "" when it succeeded,
// else why not. Anything else a shell would expand is refused.
QString follow(QStringList command, const QString &prefix)
{
    if (command.isEmpty() || command.first() != QLatin1String("cmake"))
        return QStringLiteral("no cmake command found");
    command.removeFirst();
    for (int i = 0; i < command.size(); ++i) {
        QString &word = command[i];
        if (word == QLatin1String("build"))
            word = QStringLiteral(ORVAK_BUILD_DIR);
        else if (word == QLatin1String("\"$(nproc)\""))
            word = QString::number(QThread::idealThreadCount());
        else if (i > 0 && command.at(i - 1) == QLatin1String("--prefix"))
            word = prefix;
        else if (word.contains(QRegularExpression(QStringLiteral("[$\"'~*]"))))
            return QStringLiteral("cannot follow \"%1\"").arg(word);
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(ORVAK_CMAKE_COMMAND), command);
    if (!process.waitForFinished(240000))
        return QStringLiteral("cmake %1 did not finish").arg(command.join(QLatin1Char(' ')));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("cmake %1 failed:\n%2")
            .arg(command.join(QLatin1Char(' ')), QString::fromLocal8Bit(process.readAll()));
    return QString();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir prefix;
    QString root; // the install prefix
    QString program;

private slots:
    void initTestCase()
    {
        QVERIFY(prefix.isValid());
        // A blank in the prefix must not break the links or the launcher.
        root = prefix.filePath(QStringLiteral("my prefix"));
        program = root + QStringLiteral("/lib/orvak/ORVAK");

        // run.sh configures the build folder and builds only its targets;
        // the tests' build folder is configured already (configuring it anew
        // would change its build type). Whatever install reads must be
        // brought by those targets: the drawn icons are taken away first, so
        // that only they can bring them back.
        const QString icons = QStringLiteral(ORVAK_BUILD_DIR "/bin/icons");
        QVERIFY(QDir(icons).removeRecursively());
        const QStringList build = commandIn(QStringLiteral(ORVAK_SOURCE_DIR "/scripts/run.sh"),
                                            QStringLiteral("cmake --build"));
        QVERIFY2(build.contains(QStringLiteral("--target")), qPrintable(build.join(' ')));
        const QString built = follow(build, root);
        QVERIFY2(built.isEmpty(), qPrintable(built));
        QVERIFY(!filesBelow(icons).isEmpty());

        const QString installed = follow(commandIn(QStringLiteral(ORVAK_SOURCE_DIR "/README.md"),
                                                   QStringLiteral("cmake --install")),
                                         root);
        QVERIFY2(installed.isEmpty(), qPrintable(installed));
    }

    // The program finds its data beside its executable, as in the build.
    void dataTreeLiesBesideTheProgram_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("catalogue") << "usersetting";
        QTest::newRow("languages") << "Language";
        QTest::newRow("pictures") << "Picture";
        QTest::newRow("firmware images") << "bin";
    }

    void dataTreeLiesBesideTheProgram()
    {
        QFETCH(QString, folder);
        const QString built = QStringLiteral(ORVAK_BUILD_DIR "/bin/") + folder;
        const QStringList expected = filesBelow(built);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(filesBelow(root + QStringLiteral("/lib/orvak/") + folder), expected);
    }

    void programIsOnThePath()
    {
        const QFileInfo installed(program);
        QVERIFY(installed.isFile());
        QVERIFY(installed.isExecutable());
        QVERIFY(QFileInfo::exists(root + QStringLiteral("/lib/orvak/driver_sensor.h")));
        const QFileInfo link(root + QStringLiteral("/bin/orvak"));
        QVERIFY(link.isSymLink());
        // Relative, so the tree may be moved or staged before it is used.
        QVERIFY(QFileInfo(link.symLinkTarget()).isFile());
        QVERIFY(!QFile::symLinkTarget(link.filePath()).isEmpty());
        QCOMPARE(link.canonicalFilePath(), installed.canonicalFilePath());
        // The tool that drives the simulated devices comes with it.
        const QFileInfo tool(root + QStringLiteral("/bin/orvak-sim"));
        QVERIFY(tool.isSymLink());
        QCOMPARE(tool.canonicalFilePath(),
                 QFileInfo(root + QStringLiteral("/lib/orvak/orvak-sim")).canonicalFilePath());
        QVERIFY(QFileInfo(tool.canonicalFilePath()).isExecutable());
    }

    void launcherStartsTheProgramWithItsIcon()
    {
        const QString desktop = root + QStringLiteral("/share/applications/orvak.desktop");
        QFile file(desktop);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QString> entry;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        for (const QString &line : lines) {
            const int equals = line.indexOf(QLatin1Char('='));
            if (equals > 0)
                entry.insert(line.left(equals), line.mid(equals + 1));
        }
        QCOMPARE(entry.value("Type"), QStringLiteral("Application"));
        QCOMPARE(entry.value("Name"), QStringLiteral("ORVAK"));
        const QString link = root + QStringLiteral("/bin/orvak");
        QCOMPARE(entry.value("Exec"), QLatin1Char('"') + link + QLatin1Char('"'));
        QCOMPARE(entry.value("TryExec"), link);
        QCOMPARE(entry.value("Icon"), QStringLiteral("orvak"));

        for (int side : {48, 64, 128, 256}) {
            const QString icon =
                root + QStringLiteral("/share/icons/hicolor/%1x%1/apps/orvak.png").arg(side);
            QImageReader reader(icon);
            QVERIFY2(reader.canRead(), qPrintable(icon));
            QCOMPARE(reader.size(), QSize(side, side));
        }
    }

    // The desktop's own check of launchers: no error, no warning.
    void launcherPassesTheDesktopCheck()
    {
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
        QProcess validate;
        validate.setProcessChannelMode(QProcess::MergedChannels);
        validate.start(validator, {root + QStringLiteral("/share/applications/orvak.desktop")});
        QVERIFY(validate.waitForFinished(30000));
        const QByteArray said = validate.readAll();
        QVERIFY2(validate.exitStatus() == QProcess::NormalExit && validate.exitCode() == 0 &&
                     said.trimmed().isEmpty(),
                 said.constData());
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
