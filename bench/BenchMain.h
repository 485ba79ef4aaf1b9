#pragma once

// The main() of a benchmark program. Every run gets a throw-away HOME (the
// per-user folder and the simulated devices' memory live there) and runtime
// folder (the single-instance lock), and the offscreen platform unless another
// one is asked for, so a benchmark started by hand never touches the
// developer's own files.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace Bench {

template <typename Benchmarks> int run(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid()) {
        qCritical("cannot make a temporary HOME: %s", qPrintable(home.errorString()));
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    if (!QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner)) {
        qCritical("cannot make a runtime folder in %s", qPrintable(home.path()));
        return 1;
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Benchmarks benchmarks;
    return QTest::qExec(&benchmarks, argc, argv);
}

} // namespace Bench
