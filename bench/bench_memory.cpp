// Memory: the peak resident size (VmHWM) of the program once its window is
// shown, and again after every page has been shown once, next to the peak of
// a bare Qt Widgets window of the same size shown on the same platform in the
// same run. Each figure comes from a process of its own (this program with
// one of the arguments below), started a few times; the median is reported,
// in bytes, together with its ratio to the bare window's.

#include "BenchMain.h"
#include "app/ProgramMain.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char BareArgument[] = "--bare-window";
const char ProgramArgument[] = "--program";
const int Runs = 3;
const int ChildTimeoutMs = 60000;
// Long enough for the chooser's first device scan and the timers of the
// start-up to have run, as a user looking at the window would see it.
const int SettleMs = 1500;
const int PageSettleMs = 200;

// The peak resident size of this process in KiB, or -1.
long peakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:")) {
            bool ok = false;
            const long kib = line.mid(6).trimmed().split(' ').value(0).toLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
}

void report(const char *name)
{
    std::printf("%s %ld\n", name, peakKib());
    std::fflush(stdout);
}

int bareWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1020, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    QTest::qWait(SettleMs);
    report("start");
    std::_Exit(0);
}

void showEveryPage(QWidget *window)
{
    auto *main = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetMain"));
    auto *device = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"));
    if (!main || !device)
        return;
    for (int page = 0; page < main->count(); ++page) {
        main->setCurrentIndex(page);
        QTest::qWait(PageSettleMs);
    }
    for (int page = 0; page < device->count(); ++page) {
        device->setCurrentIndex(page);
        QTest::qWait(PageSettleMs);
    }
}

// The program's own start-up up to its shown window, then every page; the
// process ends without tearing the window down, as the program never does.
int program(int argc, char *argv[])
{
    return RunProgram(argc, argv, [](QWidget *window) {
        if (!QTest::qWaitForWindowExposed(window))
            return 2;
        QTest::qWait(SettleMs);
        report("start");
        showEveryPage(window);
        report("pages");
        std::_Exit(0);
        return 0;
    });
}

} // namespace

class BenchMemory : public QObject
{
    Q_OBJECT

    QTemporaryDir root;
    int runCount = 0;
    // Median peak in KiB of every figure ("bare start", "program start",
    // "program pages").
    QMap<QString, long> figures;

    // Runs this program in `mode` with a fresh HOME; the "<name> <KiB>" lines
    // it prints go into `peaks` under "<mode name> <name>".
    bool runChild(const char *mode, const QString &modeName, QMap<QString, QList<long>> *peaks,
                  QString *error)
    {
        const QString home = root.filePath(QStringLiteral("home%1").arg(++runCount));
        if (!QDir().mkpath(home)) {
            *error = QStringLiteral("cannot make ") + home;
            return false;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(mode)});
        if (!child.waitForFinished(ChildTimeoutMs)) {
            child.kill();
            child.waitForFinished();
            *error = modeName + QStringLiteral(": no answer in time");
            return false;
        }
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        int found = 0;
        for (const QByteArray &line : lines) {
            const QList<QByteArray> parts = line.trimmed().split(' ');
            bool ok = false;
            const long kib = parts.value(1).toLong(&ok);
            if (parts.size() == 2 && ok && kib > 0) {
                (*peaks)[modeName + QLatin1Char(' ') + QString::fromLatin1(parts.at(0))] << kib;
                ++found;
            }
        }
        if (found == 0) {
            *error = modeName + QStringLiteral(" reported nothing (exit %1): %2")
                                    .arg(child.exitCode())
                                    .arg(QString::fromLocal8Bit(child.readAllStandardError()));
        }
        return found > 0;
    }

    static long median(QList<long> values)
    {
        std::sort(values.begin(), values.end());
        return values.isEmpty() ? -1 : values.at(values.size() / 2);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QMap<QString, QList<long>> peaks;
        QString error;
        // Taken in turns, so that a change of the machine's load meets both.
        for (int run = 0; run < Runs; ++run) {
            QVERIFY2(runChild(BareArgument, QStringLiteral("bare"), &peaks, &error),
                     qPrintable(error));
            QVERIFY2(runChild(ProgramArgument, QStringLiteral("program"), &peaks, &error),
                     qPrintable(error));
        }
        for (auto it = peaks.cbegin(); it != peaks.cend(); ++it)
            figures.insert(it.key(), median(it.value()));
    }

    void peakResidentSize_data()
    {
        QTest::addColumn<QString>("figure");
        QTest::newRow("bare Qt Widgets window, shown") << QStringLiteral("bare start");
        QTest::newRow("program, window shown") << QStringLiteral("program start");
        QTest::newRow("program, every page shown once") << QStringLiteral("program pages");
    }

    void peakResidentSize()
    {
        QFETCH(QString, figure);
        QVERIFY2(figures.contains(figure),
                 qPrintable(figure + QStringLiteral(" was not reported")));
        const long kib = figures.value(figure);
        const long bare = figures.value(QStringLiteral("bare start"));
        qInfo("%s: peak RSS %.1f MiB, %.2f times the bare window's %.1f MiB", qPrintable(figure),
              kib / 1024.0, double(kib) / double(bare), bare / 1024.0);
        QTest::setBenchmarkResult(kib * 1024.0, QTest::BytesAllocated);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], BareArgument) == 0)
        return bareWindow(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], ProgramArgument) == 0)
        return program(argc, argv);
    return Bench::run<BenchMemory>(argc, argv);
}

#include "bench_memory.moc"
