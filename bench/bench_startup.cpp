// Start-up: from starting the program until its main window is shown, next
// to a bare Qt Widgets window of the same size started the same way in the
// same run. Each start is a process of its own (this program with one of the
// arguments below); the starts are taken in turns (bare, first, later), so a
// change of the machine's load meets all of them, and the median of each is
// reported together with its ratio to the bare window's. ORVAK_BENCH_STARTS
// sets the number of turns (7 by default).

#include "BenchMain.h"
#include "StartTimer.h"
#include "app/ProgramMain.h"

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

const char BareArgument[] = "--bare-window";
const char ProgramArgument[] = "--start-window";
const int DefaultStarts = 7;

} // namespace

class BenchStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir root;
    // Median milliseconds to the shown window: "bare", "first", "later".
    QMap<QString, double> figures;

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QString error;
        const QString bareHome = root.filePath(QStringLiteral("bare"));
        const QString laterHome = root.filePath(QStringLiteral("later"));
        // The later starts find what a first start leaves behind.
        QVERIFY2(StartTimer::timeStart(QLatin1String(ProgramArgument), laterHome, &error) >= 0,
                 qPrintable(error));
        QMap<QString, QList<double>> times;
        const int turns = StartTimer::starts(DefaultStarts);
        for (int turn = 0; turn < turns; ++turn) {
            const QList<QPair<QString, QPair<QString, QString>>> starts = {
                {QStringLiteral("bare"), {QLatin1String(BareArgument), bareHome}},
                {QStringLiteral("first"),
                 {QLatin1String(ProgramArgument),
                  root.filePath(QStringLiteral("first%1").arg(turn))}},
                {QStringLiteral("later"), {QLatin1String(ProgramArgument), laterHome}},
            };
            for (const auto &start : starts) {
                const double ms =
                    StartTimer::timeStart(start.second.first, start.second.second, &error);
                QVERIFY2(ms >= 0, qPrintable(error));
                times[start.first] << ms;
            }
        }
        for (auto it = times.cbegin(); it != times.cend(); ++it)
            figures.insert(it.key(), StartTimer::median(it.value()));
        const double bare = figures.value(QStringLiteral("bare"));
        for (const QString &figure : {QStringLiteral("first"), QStringLiteral("later")}) {
            qInfo("%s start: %.0f ms to the shown window, %.2f times the bare window's %.0f ms",
                  qPrintable(figure), figures.value(figure), figures.value(figure) / bare, bare);
        }
    }

    void startToShownWindow_data()
    {
        QTest::addColumn<QString>("figure");
        QTest::newRow("bare Qt Widgets window") << QStringLiteral("bare");
        QTest::newRow("first start (empty per-user folder)") << QStringLiteral("first");
        QTest::newRow("later start") << QStringLiteral("later");
    }

    void startToShownWindow()
    {
        QFETCH(QString, figure);
        QVERIFY2(figures.contains(figure),
                 qPrintable(figure + QStringLiteral(" was not measured")));
        QTest::setBenchmarkResult(figures.value(figure), QTest::WalltimeMilliseconds);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], BareArgument) == 0)
        return StartTimer::bareWindow(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], ProgramArgument) == 0)
        return RunProgram(argc, argv, StartTimer::reportShown);
    return Bench::run<BenchStartup>(argc, argv);
}

#include "bench_startup.moc"
