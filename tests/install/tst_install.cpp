// `cmake --install` into a temporary prefix: the program with its data tree
// where it looks for it, a link on the PATH, the launcher and its icon.
#include <QDirIterator>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
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

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir prefix;
    QString program;

private slots:
    void initTestCase()
    {
        QVERIFY(prefix.isValid());
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ORVAK_CMAKE_COMMAND),
                      {"--install", ORVAK_BUILD_DIR, "--prefix", prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
        program = prefix.filePath(QStringLiteral("lib/orvak/ORVAK"));
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
        QCOMPARE(filesBelow(prefix.filePath(QStringLiteral("lib/orvak/")) + folder), expected);
    }

    void programIsOnThePath()
    {
        const QFileInfo installed(program);
        QVERIFY(installed.isFile());
        QVERIFY(installed.isExecutable());
        QVERIFY(QFileInfo::exists(prefix.filePath(QStringLiteral("lib/orvak/driver_sensor.h"))));
        const QFileInfo link(prefix.filePath(QStringLiteral("bin/orvak")));
        QVERIFY(link.isSymLink());
        // Relative, so the tree may be moved or staged before it is used.
        QVERIFY(QFileInfo(link.symLinkTarget()).isFile());
        QVERIFY(!QFile::symLinkTarget(link.filePath()).isEmpty());
        QCOMPARE(link.canonicalFilePath(), installed.canonicalFilePath());
        // The tool that drives the simulated devices comes with it.
        const QFileInfo tool(prefix.filePath(QStringLiteral("bin/orvak-sim")));
        QVERIFY(tool.isSymLink());
        QCOMPARE(
            tool.canonicalFilePath(),
            QFileInfo(prefix.filePath(QStringLiteral("lib/orvak/orvak-sim"))).canonicalFilePath());
        QVERIFY(QFileInfo(tool.canonicalFilePath()).isExecutable());
    }

    void launcherStartsTheProgramWithItsIcon()
    {
        const QString desktop = prefix.filePath(QStringLiteral("share/applications/orvak.desktop"));
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
        const QString link = prefix.filePath(QStringLiteral("bin/orvak"));
        QCOMPARE(entry.value("Exec"), QLatin1Char('"') + link + QLatin1Char('"'));
        QCOMPARE(entry.value("TryExec"), link);
        QCOMPARE(entry.value("Icon"), QStringLiteral("orvak"));

        for (int side : {48, 64, 128, 256}) {
            const QString icon = prefix.filePath(
                QStringLiteral("share/icons/hicolor/%1x%1/apps/orvak.png").arg(side));
            QImageReader reader(icon);
            QVERIFY2(reader.canRead(), qPrintable(icon));
            QCOMPARE(reader.size(), QSize(side, side));
        }
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
