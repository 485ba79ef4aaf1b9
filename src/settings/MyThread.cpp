#include "settings/MyThread.h"

#include "platform/CrashDump.h"
#include "platform/Logging.h"

#include <QDebug>

MyThread::~MyThread()
{
    // A thread object must not die while its thread runs.
    requestInterruption();
    wait();
}

void MyThread::run()
{
    PrepareThreadForCrashDumps();
    qCDebug(lcDevice) << "Thread is running";
    // Nothing to do but stay alive until asked to stop; sleep, not spin.
    while (!isInterruptionRequested())
        msleep(50);
}
