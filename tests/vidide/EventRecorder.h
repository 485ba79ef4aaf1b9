#pragma once

// Records the events the library delivers to a plain callback, with the
// thread and the moment of each call, for the device library's tests.

#include "platform/vidide/VidIde.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <mutex>

struct RecordedEvent
{
    int code = -1;
    int sub = -1;
    int headerLength = 0;
    QByteArray payload;
    Qt::HANDLE thread = nullptr;
    qint64 enteredNs = 0;
    qint64 leftNs = 0;
};

class EventRecorder
{
public:
    static EventRecorder &instance()
    {
        static EventRecorder recorder;
        return recorder;
    }

    static void callback(const unsigned char *hdr, int hdrLen, const unsigned char *payload,
                         int payloadLen)
    {
        instance().record(hdr, hdrLen, payload, payloadLen);
    }

    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

    QList<RecordedEvent> events()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

    // Waits, processing events of the calling thread, until count events came.
    bool waitFor(int count, int timeoutMs = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        while (events().size() < count) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(2);
        }
        return true;
    }

    // Run inside the callback after recording (with the event recorded).
    std::function<void(const RecordedEvent &)> onEvent;
    std::atomic<int> inside{0};
    std::atomic<int> maxInside{0};
    QElapsedTimer clock;

private:
    EventRecorder() { clock.start(); }

    void record(const unsigned char *hdr, int hdrLen, const unsigned char *payload, int payloadLen)
    {
        const int now = ++inside;
        if (now > maxInside)
            maxInside = now;
        RecordedEvent event;
        event.headerLength = hdrLen;
        event.code = hdrLen > 1 ? hdr[1] : 0;
        event.sub = hdrLen > 4 ? hdr[4] : 0;
        event.payload = QByteArray(reinterpret_cast<const char *>(payload), payloadLen);
        event.thread = QThread::currentThreadId();
        event.enteredNs = clock.nsecsElapsed();
        if (onEvent)
            onEvent(event);
        event.leftNs = clock.nsecsElapsed();
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_events.append(event);
        }
        --inside;
    }

    std::mutex m_mutex;
    QList<RecordedEvent> m_events;
};
