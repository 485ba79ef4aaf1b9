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
    while (!isInterruptionRequested())
        qCDebug(lcDevice) << "Thread is running";
}
