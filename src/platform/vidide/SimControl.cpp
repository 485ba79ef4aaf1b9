// The control interface of the simulation and the call log.

#include "platform/vidide/SimControl.h"

#include "platform/files/SafeFile.h"
#include "platform/vidide/Dispatcher.h"
#include "platform/vidide/SimState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtDebug>

#include <cstring>
#include <thread>

namespace vidide {

namespace {

std::mutex &logMutex()
{
    static std::mutex *mutex = new std::mutex;
    return *mutex;
}

QList<SimCallRecord> &callLog()
{
    static QList<SimCallRecord> *log = new QList<SimCallRecord>;
    return *log;
}

} // namespace

void logCall(const char *function, const QString &args, const QByteArray &data)
{
    SimCallRecord record;
    record.function = QString::fromLatin1(function);
    record.arguments = args;
    record.data = data;
    record.thread = QThread::currentThreadId();
    std::lock_guard<std::mutex> lock(logMutex());
    // A long demo run must not grow without bound.
    if (callLog().size() >= 20000)
        callLog().erase(callLog().begin(), callLog().begin() + 10000);
    callLog().append(record);
}

void SimState::reload()
{
    loadSet();
    finishSet();
}

void SimState::loadSet()
{
    const QByteArray file = qgetenv("ORVAK_SIM_DEVICES");
    bool loaded = false;
    if (!file.isEmpty()) {
        const QString path = QString::fromLocal8Bit(file);
        QByteArray json;
        QString error;
        if (SafeFile::read(path, MaxDeviceSetFileBytes, &json, &error) != SafeFile::Status::Ok)
            qWarning().noquote() << "vidide: cannot read device set" << path << "-" << error;
        else if (!loadJsonSet(json, &error))
            qWarning().noquote() << "vidide: device set" << path << "refused:" << error;
        else
            loaded = true;
    }
    if (!loaded)
        loadDefaultSet();
}

void SimState::finishSet()
{
    for (int i = 0; i < usb.size(); ++i) {
        const QByteArray serial = QByteArray::number(i);
        usb[i].path = internPath("/dev/orvak/hid-" + hexPathPart(usb[i].vid) + "-" +
                                 hexPathPart(usb[i].pid) + "-" + serial);
        usb[i].bootPath = internPath("/dev/orvak/boot-" + hexPathPart(usb[i].vid) + "-" + serial);
    }
    boundUsb = -1;
    eventCallback = nullptr;
    ++bindGeneration;
    openedUsb = -1;
    pairing = false;
    pairOutcome = 3;
    pairPollsBeforeResult = 1;
    pairPollsSeen = 0;
    refuseNext.clear();
    passBeforeRefusal.clear();
    dropNext.clear();
    loseNext.clear();
    upgradeFault = 0;
    upgradeFaultPercent = 0;
    ++upgradeRun;
    answerDelayMs = 3;
    upgradeStartDelayMs = 1500;
    upgradeStepMs = 100;
    loadPersistedState(*this);
}

} // namespace vidide

using namespace vidide;

void SimReset(bool forgetState)
{
    SimState &state = SimState::instance();
    if (forgetState)
        QFile::remove(stateFilePath());
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        state.reload();
    }
    SimClearCallLog();
}

bool SimLoadDevices(const QByteArray &json, QString *error)
{
    SimState &state = SimState::instance();
    QString reason;
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        if (state.loadJsonSet(json, &reason))
            state.finishSet();
    }
    if (error)
        *error = reason;
    if (reason.isEmpty())
        notifyHotPlug();
    return reason.isEmpty();
}

int SimDeviceCount()
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    return state.usb.size();
}

const char *SimDevicePath(int device)
{
    const char *path = nullptr;
    withDevice(device, [&](SimState &, SimUsb &usb) {
        path = internPath(usb.path);
        return true;
    });
    return path;
}

const char *SimBootPath(int device)
{
    const char *path = nullptr;
    withDevice(device, [&](SimState &, SimUsb &usb) {
        path = internPath(usb.bootPath);
        return true;
    });
    return path;
}

bool SimInjectEvent(const QByteArray &header, const QByteArray &payload, int delayMs)
{
    SimState &state = SimState::instance();
    quint64 generation;
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        if (!state.eventCallback)
            return false;
        generation = state.bindGeneration;
    }
    const auto hdr = header;
    eventDispatcher().post(delayMs, [generation, hdr, payload] {
        SimState &state = SimState::instance();
        DeviceEventCallback callback = nullptr;
        {
            std::lock_guard<std::mutex> lock(state.mutex());
            if (state.bindGeneration == generation)
                callback = state.eventCallback;
        }
        if (callback)
            callback(reinterpret_cast<const unsigned char *>(hdr.constData()), hdr.size(),
                     reinterpret_cast<const unsigned char *>(payload.constData()), payload.size());
    });
    return true;
}

void SimSetAnswerDelay(int ms)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.answerDelayMs = ms < 0 ? 0 : ms;
}

void SimRefuseNextCall(const char *function, int count, int passFirst)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.refuseNext[QByteArray(function)] = count;
    state.passBeforeRefusal[QByteArray(function)] = passFirst;
}

void SimDropNextAnswer(const char *function, int count)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.dropNext[QByteArray(function)] = count;
}

void SimLoseNextCall(const char *function, int count)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.loseNext[QByteArray(function)] = count;
}

void SimSetPairOutcome(int outcome, int polls)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.pairOutcome = outcome;
    state.pairPollsBeforeResult = polls < 0 ? 0 : polls;
}

void SimSetUpgradeFault(SimUpgradeFault fault, int percent)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.upgradeFault = static_cast<int>(fault);
    state.upgradeFaultPercent = qBound(0, percent, 100);
}

void SimSetUpgradeTiming(int startDelayMs, int stepMs)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.upgradeStartDelayMs = startDelayMs < 0 ? 0 : startDelayMs;
    state.upgradeStepMs = stepMs < 0 ? 0 : stepMs;
}

QString SimStateFile()
{
    return stateFilePath();
}

QList<SimCallRecord> SimCallLog()
{
    std::lock_guard<std::mutex> lock(logMutex());
    return callLog();
}

void SimClearCallLog()
{
    std::lock_guard<std::mutex> lock(logMutex());
    callLog().clear();
}

bool SimWaitIdle(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!(eventDispatcher().idle() && upgradeDispatcher().idle())) {
        if (timer.elapsed() > timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
