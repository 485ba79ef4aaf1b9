#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

// A worker that only reports that it runs, until it is asked to stop. The
// screen dialog owns one and never starts it.
class MyThread : public QThread
{
public:
    MyThread() = default;
    ~MyThread() override;

    // Asks the work loop to end and wakes it; the loop ends soon after.
    void stop();

protected:
    void run() override;

private:
    QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_stop = false;
};
