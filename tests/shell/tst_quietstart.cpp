// The program itself (the built executable), started as a user would start
// it on a fresh home folder: with the default logging rules it writes nothing
// to standard error, and its per-user files go below $XDG_DATA_HOME/ORVAK.
#include "platform/Logging.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestQuietStart : public QObject
{
    Q_OBJECT

private slots:
    void tracesOffByDefault();
    void startPrintsNothing_data();
    void startPrintsNothing();
};

void TestQuietStart::tracesOffByDefault()
{
    for (const QLoggingCategory *category : {&lcDevice(), &lcApp()}) {
        QVERIFY(!category->isDebugEnabled());
        QVERIFY(!category->isInfoEnabled());
        QVERIFY(category->isWarningEnabled());
    }
    QCOMPARE(lcDevice().categoryName(), "orvak.device");
    QCOMPARE(lcApp().categoryName(), "orvak.app");
    QLoggingCategory::setFilterRules(QStringLiteral("orvak.device.debug=true"));
    QVERIFY(lcDevice().isDebugEnabled());
    QVERIFY(!lcApp().isDebugEnabled());
    QLoggingCategory::setFilterRules(QString());
}

void TestQuietStart::startPrintsNothing_data()
{
    QTest::addColumn<bool>("runtimeFolder");
    QTest::newRow("desktop session") << true;
    // A root shell or xvfb-run has no $XDG_RUNTIME_DIR; Qt would warn of it.
    QTest::newRow("no runtime folder") << false;
}

void TestQuietStart::startPrintsNothing()
{
    QFETCH(bool, runtimeFolder);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString home = root.filePath("home");
    QVERIFY(QDir().mkpath(home));
    QVERIFY(QDir().mkpath(root.filePath("run")));
    QVERIFY(QFile::setPermissions(root.filePath("run"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_DATA_HOME", root.filePath("data"));
    environment.insert("XDG_CONFIG_HOME", root.filePath("config"));
    if (runtimeFolder) {
        environment.insert("XDG_RUNTIME_DIR", root.filePath("run"));
    } else {
        environment.remove("XDG_RUNTIME_DIR");
        QVERIFY(QDir().mkpath(root.filePath("tmp")));
        environment.insert("TMPDIR", root.filePath("tmp"));
    }
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    // The default rules: nothing asks for more.
    for (const char *name : {"QT_LOGGING_RULES", "QT_LOGGING_CONF", "QT_DEBUG_PLUGINS",
                             "QT_SCALE_FACTOR", "ORVAK_SIM_DEVICES"})
        environment.remove(name);

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(ORVAK_EXECUTABLE, QStringList());
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    // Start-up, the device scan and the first hot-plug callbacks all happen
    // in this time; the program is still running at its end.
    QVERIFY(!program.waitForFinished(3000));
    const QByteArray errors = program.readAllStandardError();
    program.terminate();
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished(10000);
    }
    QVERIFY2(errors.isEmpty(), errors.constData());

    QVERIFY(QFileInfo(root.filePath("data/ORVAK/Macro.ini")).isFile());
    QVERIFY(QFileInfo(root.filePath("data/ORVAK/usersetting/MacroPage")).isDir());
    QDirIterator inHome(home, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
    while (inHome.hasNext()) {
        const QString path = inHome.next();
        QVERIFY2(!path.contains("AppData") && !path.contains("ORVAK"), qPrintable(path));
    }
}

int main(int argc, char **argv)
{
    // The default rules in this process too: rules from the environment
    // would win over any set here.
    qunsetenv("QT_LOGGING_RULES");
    qunsetenv("QT_LOGGING_CONF");
    QCoreApplication app(argc, argv);
    TestQuietStart test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_quietstart.moc"
