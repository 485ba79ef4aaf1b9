// Threads of the device library: where each callback runs, one event at a
// time, answers after the callback that asked, and no wait for a callback
// that blocks on the GUI thread.

#include "EventRecorder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QSemaphore>

#include <QTest>
#include <thread>

namespace {

std::atomic<int> hotPlugCalls{0};
Qt::HANDLE hotPlugThread = nullptr;

void onHotPlug()
{
    ++hotPlugCalls;
    hotPlugThread = QThread::currentThreadId();
}

} // namespace

class tst_vidide_threads : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SimReset(true);
        SimSetAnswerDelay(1);
        EventRecorder::instance().onEvent = nullptr;
        EventRecorder::instance().clear();
        EventRecorder::instance().maxInside = 0;
    }
    void cleanup()
    {
        StopUsbChanged();
        UsbServer_Exit();
        EventRecorder::instance().onEvent = nullptr;
        QVERIFY(SimWaitIdle(3000));
    }

    void hotPlugCallbackRunsOnGuiThread()
    {
        hotPlugCalls = 0;
        QVERIFY(!StartUsbChanged(onHotPlug, -1));
        QVERIFY(StartUsbChanged(onHotPlug, 600));
        // Called once before StartUsbChanged returned, on this (the GUI) thread.
        QCOMPARE(hotPlugCalls.load(), 1);
        QCOMPARE(hotPlugThread, QThread::currentThreadId());

        hotPlugThread = nullptr;
        std::thread other([] { SimPlug(1, false); });
        other.join();
        QTRY_COMPARE(hotPlugCalls.load(), 2);
        QCOMPARE(hotPlugThread, QThread::currentThreadId());

        StopUsbChanged();
        QVERIFY(SimPlug(1, true));
        QTest::qWait(20);
        QCOMPARE(hotPlugCalls.load(), 2);
    }

    void eventsRunOneAtATimeOffTheGuiThread()
    {
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(UsbServer_ReadBatteryLevel());
        QVERIFY(UsbServer_ReadVersion());
        QVERIFY(UsbServer_ReadConfig());
        QVERIFY(EventRecorder::instance().waitFor(3));
        const auto events = EventRecorder::instance().events();
        QCOMPARE(events[0].code, int(VidEventBattery));
        QCOMPARE(events[1].code, int(VidEventVersion));
        QCOMPARE(events[2].code, int(VidEventProfile));
        for (const RecordedEvent &event : events) {
            QVERIFY(event.thread != QThread::currentThreadId());
            QCOMPARE(event.thread, events[0].thread);
        }
        QCOMPARE(EventRecorder::instance().maxInside.load(), 1);
    }

    void answersArriveAfterTheAskingCallbackReturns()
    {
        EventRecorder::instance().onEvent = [](const RecordedEvent &event) {
            if (event.code == VidEventBattery) {
                UsbServer_ReadVersion();
                QThread::msleep(60);
            }
        };
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(UsbServer_ReadBatteryLevel());
        QVERIFY(EventRecorder::instance().waitFor(2));
        const auto events = EventRecorder::instance().events();
        QCOMPARE(events[1].code, int(VidEventVersion));
        QVERIFY(events[1].enteredNs > events[0].leftNs);
    }

    // The callback blocks until the GUI thread has run a slot (as a blocking
    // queued emit does) while the GUI thread itself calls the library.
    void noDeadlockWhenCallbackWaitsForGuiThread()
    {
        QObject guiObject;
        std::atomic<int> guiCalls{0};
        EventRecorder::instance().onEvent = [&](const RecordedEvent &event) {
            if (event.code != VidEventBattery)
                return;
            QMetaObject::invokeMethod(
                &guiObject,
                [&] {
                    UsbServer_ReadVersion();
                    UsbFinderC_GetDeviceOnLine(SimDevicePath(0));
                    UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback);
                    UsbServer_ReadConfig();
                    ++guiCalls;
                },
                Qt::BlockingQueuedConnection);
        };
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(UsbServer_ReadBatteryLevel());
        QTRY_COMPARE(guiCalls.load(), 1);
        // The rebinding dropped the pending version answer; the new read came.
        QVERIFY(EventRecorder::instance().waitFor(2));
        QCOMPARE(EventRecorder::instance().events().last().code, int(VidEventProfile));
    }

    void exitAndRebindDoNotWaitForABlockedCallback()
    {
        QSemaphore release;
        EventRecorder::instance().onEvent = [&](const RecordedEvent &) { release.acquire(); };
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(UsbServer_ReadBatteryLevel());
        QTRY_COMPARE(EventRecorder::instance().inside.load(), 1);

        // Made from another thread so that a wait inside the library fails the
        // test instead of hanging it.
        std::atomic<bool> done{false};
        bool rebound = false;
        bool asked = false;
        bool online = false;
        std::thread caller([&] {
            UsbServer_Exit();
            rebound = UsbServerC_Start(SimDevicePath(1), SimDevicePath(1), EventRecorder::callback);
            asked = UsbServer_ReadConfig();
            online = UsbFinderC_GetDeviceOnLine(SimDevicePath(1));
            done = true;
        });
        const bool finished = QTest::qWaitFor([&] { return done.load(); }, 5000);
        release.release(2);
        caller.join();
        QVERIFY(finished);
        QVERIFY(rebound && asked && online);

        QVERIFY(EventRecorder::instance().waitFor(2));
        QCOMPARE(EventRecorder::instance().events().last().code, int(VidEventProfile));
    }
};

QTEST_GUILESS_MAIN(tst_vidide_threads)
#include "tst_vidide_threads.moc"
