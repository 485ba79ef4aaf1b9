#include "device/DeviceState.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>

#include <cstring>
#include <set>
#include <string>

namespace {

QMutex &deviceInfoMutex()
{
    static QMutex mutex;
    return mutex;
}

// Every path the program ever made current, kept once and never freed, so a
// pointer handed to the library on one thread never dangles when another
// thread changes the current path.
const char *internPath(const QByteArray &path)
{
    static QMutex mutex;
    static std::set<std::string> paths;
    QMutexLocker locker(&mutex);
    return paths.emplace(path.constData(), static_cast<size_t>(path.size())).first->c_str();
}

QElapsedTimer &monotonicClock()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock;
}

// When the awaited profile report was asked for (monotonic ms), -1 for none.
std::atomic<qint64> ProfileReportAskedAt{-1};

DongleRGB *makeDongleRecord()
{
    auto *record = new DongleRGB;
    std::memset(record, 0, sizeof(DongleRGB));
    return record;
}

} // namespace

DeviceAllInfo CurrentDeviceInfo;
std::atomic<const char *> CurrentDevicePathPtr{internPath(QByteArray())};

QList<DeviceAllInfo> FoundDevices;
QList<DeviceAllInfo> FoundDevicesCopy;
QList<DeviceAllInfo> ModelDevices;
QList<QStringList> ReceiverPidLists;
QStringList AllProductIds;
int UnknownModelIndex = 0;

DeviceAllInfo PairDeviceInfo;
bool PairUsesChosenDevice = false;

DongleRGB *CurrentDongleRGB = makeDongleRecord();

Worker *WorkerThread = nullptr;
QTimer *OnlineCheckTimer = nullptr;

std::atomic<bool> LastRunOnline{false};
std::atomic<bool> DeviceAnswered{false};
std::atomic<bool> SettingsRefreshPending{false};
std::atomic<bool> ClearUnusedMacros{false};
std::atomic<bool> SkipReceiverQueries{false};
std::atomic<bool> RelinkPending{false};
std::atomic<bool> ProfileReadPending{false};
std::atomic<bool> ProfileCheckPending{false};

void NoteProfileReportAwaited()
{
    ProfileReportAskedAt = monotonicClock().elapsed();
}

void ClearProfileReportAwaited()
{
    ProfileReportAskedAt = -1;
}

qint64 ProfileReportAwaitedMs()
{
    const qint64 asked = ProfileReportAskedAt;
    return asked < 0 ? -1 : monotonicClock().elapsed() - asked;
}

DeviceAllInfo CurrentDeviceSnapshot()
{
    QMutexLocker locker(&deviceInfoMutex());
    return CurrentDeviceInfo;
}

void SetCurrentDeviceInfo(const DeviceAllInfo &info)
{
    QMutexLocker locker(&deviceInfoMutex());
    CurrentDeviceInfo = info;
}

void SetCurrentDevicePath(const QByteArray &path)
{
    CurrentDevicePathPtr = internPath(path);
    CurrentDevicePath = path;
}

QByteArray CurrentDevicePathCopy()
{
    return QByteArray(CurrentDevicePathPtr.load());
}

QString VersionText(int releaseNumber)
{
    const int v = releaseNumber & 0xFFFF;
    return QStringLiteral("v") + QString::number(v >> 8) + QStringLiteral(".") +
           QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

int ReportRateClass(int connectionType)
{
    switch (connectionType) {
    case 0:
        return 1;
    case 4:
        return 2;
    case 1:
        return 4;
    case 5:
        return 8;
    default:
        return 0;
    }
}

bool IsWiredConnection(int connectionType)
{
    return (connectionType & 0xFA) != 0;
}
