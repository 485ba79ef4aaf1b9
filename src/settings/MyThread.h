#pragma once

#include <QThread>

// A worker that only reports that it runs, until it is asked to stop. The
// screen dialog owns one and never starts it.
class MyThread : public QThread
{
public:
    MyThread() = default;
    ~MyThread() override;

protected:
    void run() override;
};
