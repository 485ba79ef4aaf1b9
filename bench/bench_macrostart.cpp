// Start-up with many macros: the time from starting the program until its
// main window is shown, with 0, 1,000 and 10,000 small macro files in the
// per-user macro folder. Each figure is the median of a few starts (one
// process each, taken in turns; ORVAK_BENCH_STARTS, 3 by default) after one
// start that leaves behind what a start writes. The cost of a start should
// grow about in proportion to the number of macros; the growth per 1,000
// files is printed next to each figure.

#include "BenchMain.h"
#include "StartTimer.h"
#include "app/ProgramMain.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

const char ProgramArgument[] = "--start-window";
const int DefaultStarts = 3;
const QList<int> MacroCounts = {0, 1000, 10000};

QString homeFor(const QTemporaryDir &root, int macros)
{
    return root.filePath(QStringLiteral("home%1").arg(macros));
}

// `count` macro files as the macro page writes them: the repeat code, then
// a key press, a delay and the release.
bool writeMacros(const QString &home, int count)
{
    const QString folder = home + QStringLiteral("/.local/share/ORVAK/usersetting/MacroPage/");
    if (!QDir().mkpath(folder))
        return false;
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("Macro %1.ini").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write("1\n0x04 1 0\n10ms\n0x04 1 1\n") < 0)
            return false;
    }
    return true;
}

} // namespace

class BenchMacroStart : public QObject
{
    Q_OBJECT

    QTemporaryDir root;
    // Median milliseconds to the shown window by number of macro files.
    QMap<int, double> figures;

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QString error;
        for (int macros : MacroCounts) {
            QVERIFY2(writeMacros(homeFor(root, macros), macros),
                     qPrintable(QStringLiteral("cannot write %1 macro files").arg(macros)));
            QVERIFY2(StartTimer::timeStart(QLatin1String(ProgramArgument), homeFor(root, macros),
                                           &error) >= 0,
                     qPrintable(error));
        }
        QMap<int, QList<double>> times;
        const int turns = StartTimer::starts(DefaultStarts);
        for (int turn = 0; turn < turns; ++turn) {
            for (int macros : MacroCounts) {
                const double ms = StartTimer::timeStart(QLatin1String(ProgramArgument),
                                                        homeFor(root, macros), &error);
                QVERIFY2(ms >= 0, qPrintable(error));
                times[macros] << ms;
            }
        }
        for (auto it = times.cbegin(); it != times.cend(); ++it)
            figures.insert(it.key(), StartTimer::median(it.value()));
        const double none = figures.value(0);
        for (int macros : MacroCounts) {
            if (macros == 0) {
                qInfo("no macros: %.0f ms to the shown window", none);
                continue;
            }
            qInfo("%d macros: %.0f ms to the shown window, %.0f ms more than none (%.1f ms per "
                  "1,000)",
                  macros, figures.value(macros), figures.value(macros) - none,
                  (figures.value(macros) - none) * 1000.0 / macros);
        }
    }

    void startToShownWindow_data()
    {
        QTest::addColumn<int>("macros");
        for (int macros : MacroCounts)
            QTest::newRow(qPrintable(QStringLiteral("%1 macro files").arg(macros))) << macros;
    }

    void startToShownWindow()
    {
        QFETCH(int, macros);
        QVERIFY(figures.contains(macros));
        QTest::setBenchmarkResult(figures.value(macros), QTest::WalltimeMilliseconds);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], ProgramArgument) == 0)
        return RunProgram(argc, argv, StartTimer::reportShown);
    return Bench::run<BenchMacroStart>(argc, argv);
}

#include "bench_macrostart.moc"
