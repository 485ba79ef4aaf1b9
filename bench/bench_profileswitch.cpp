// A profile switch on the device window, until the sensor page shows the new
// profile's values and the wait dialog is gone, on the simulated wired mouse
// (answering at once), by both roads: a pick in the profile box, and the
// mouse's own profile button (which the mouse also reports as a settings
// change; its refresh is made due at every press).

#include "app/Dialog.h"
#include "buttons/Buttoninterface.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MyConmboBox.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "platform/UserFolder.h"
#include "sensor/Sensor.h"
#include "ui_Buttoninterface.h"
#include "ui_Sensor.h"
#include "ui_SensorDPI.h"

#include "../tests/support/DeviceFixture.h"
#include "BenchMain.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

const int Mouse = 1; // the wired mouse (sensor 3327)

} // namespace

class BenchProfileSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        ProfileOptionsLabels[0].insert("0", "Profile 1");
        SimReset(true);
        SimSetAnswerDelay(0);
        // The second profile shows another first DPI level (1200 for the 3327).
        FlashDataMap second{};
        QVERIFY(SimMouseProfileBlock(Mouse, 1, &second));
        second.DpiLevels[0].XCode = 0x0B;
        second.DpiLevels[0].YCode = 0x0B;
        QVERIFY(SimSetMouseProfileBlock(Mouse, 1, second));

        window = new Dialog(nullptr);
        window->show();
        // The wait dialog runs as in the program, without a nested loop that
        // the benchmark could not leave.
        DialogSeam::setExecHandler([](QDialog &dialog) {
            QElapsedTimer clock;
            clock.start();
            while (dialog.isVisible() && clock.elapsed() < 20000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
        DeviceFixture::MakeCurrentDevice(Mouse, true);
        DevicePageActive = 1;
        LastRunOnline = false;
        QVERIFY(WorkerThread);
        WorkerThread->RequestRun();
        QVERIFY(waitFor([] { return FlashDataBelongsToCurrentDevice(); }));
        QVERIFY(waitFor([this] { return !window->waitDialog()->isVisible(); }));
        QVERIFY(DeviceFixture::WaitIdle());
    }

    void cleanupTestCase()
    {
        DialogSeam::setExecHandler({});
        if (WorkerThread)
            WorkerThread->Shutdown(3000);
        UsbServer_Exit();
        delete window;
    }

    void boxPick()
    {
        auto *page = static_cast<Buttoninterface *>(window->buttonPage());
        MyConmboBox *box = page->ui->ProjectChoose;
        QVERIFY(waitFor([box] { return box->count() == 4; }));
        int profile = box->currentIndex();
        QBENCHMARK
        {
            profile = 1 - profile;
            box->PreviousIndex = box->currentIndex();
            box->setCurrentIndex(profile);
            QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, profile));
            QVERIFY2(waitForProfile(profile), "the new profile was never shown");
        }
        QVERIFY(DeviceFixture::WaitIdle());
    }

    void mouseButton()
    {
        Worker::SettingsRefreshMs = 0;
        int profile = 0;
        QVERIFY(SimMouseProfile(Mouse, &profile));
        QBENCHMARK
        {
            profile = 1 - profile;
            QVERIFY(SimSwitchProfileOnDevice(Mouse, profile));
            QVERIFY2(waitForProfile(profile), "the new profile was never shown");
        }
        QVERIFY(DeviceFixture::WaitIdle());
        Worker::SettingsRefreshMs = 3000;
    }

private:
    template <typename Done> static bool waitFor(Done done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 20000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return true;
    }

    // Profile 1 shows 400 DPI on its first level, profile 2 1200.
    bool waitForProfile(int profile)
    {
        const QString shown = profile == 0 ? QStringLiteral("400") : QStringLiteral("1200");
        return waitFor([&] {
            return levelText(0) == shown && FlashDataBelongsToCurrentDevice() &&
                   !window->waitDialog()->isVisible();
        });
    }

    QString levelText(int level) const
    {
        return window->sensorPage()->ui->frameDpi->LevelButton(level)->text();
    }

    Dialog *window = nullptr;
};

int main(int argc, char *argv[])
{
    return Bench::run<BenchProfileSwitch>(argc, argv);
}

#include "bench_profileswitch.moc"
