#include "settings/MyThread.h"

#include <QDebug>

MyThread::~MyThread()
{
    // A thread object must not die while its thread runs.
    requestInterruption();
    wait();
}

void MyThread::run()
{
    while (!isInterruptionRequested())
        qDebug() << "Thread is running";
}
