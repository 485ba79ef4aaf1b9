#include "settings/MyThread.h"

#include "platform/CrashDump.h"
#include "platform/Logging.h"

#include <QDebug>
#include <QMutexLocker>

MyThread::~MyThread()
{
    // A thread object must not die while its thread runs.
    stop();
    wait();
}

void MyThread::stop()
{
    requestInterruption();
    QMutexLocker lock(&m_mutex);
    m_stop = true;
    m_wake.wakeAll();
}

void MyThread::run()
{
    PrepareThreadForCrashDumps();
    qCDebug(lcDevice) << "Thread is running";
    // Nothing to do but stay alive until asked to stop: the thread sleeps on
    // the condition and wakes only for the stop request.
    QMutexLocker lock(&m_mutex);
    while (!m_stop)
        m_wake.wait(&m_mutex);
}
