// The settings page on the simulated devices: the version panel, language,
// autostart, restore defaults, pairing entry, the desktop's mouse settings,
// and the page's hidden member dialogs.
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/SharedState.h"
#include "common/ThemeStyles.h"
#include "device/DeviceLink.h"
#include "device/UpDataParam.h"
#include "hub/PostMsg.h"
#include "platform/AutoStart.h"
#include "platform/MouseSettings.h"
#include "platform/ScreenPicker.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/InputPicA.h"
#include "settings/LedInfo.h"
#include "settings/LightModeSet.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeState.h"

#include "../support/DeviceFixture.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const int WiredMouse = 1; // the wired Talon C of the built-in device set

using DeviceFixture::EmitFromThread;
using DeviceFixture::WaitIdle;

// Sets the desktop the session names for one test, and puts back what the
// test run was started with.
class ScopedDesktop
{
public:
    ScopedDesktop(const QByteArray &currentDesktop, const QByteArray &session)
        : current(qgetenv("XDG_CURRENT_DESKTOP")), sessionName(qgetenv("DESKTOP_SESSION")),
          hadCurrent(qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP")),
          hadSession(qEnvironmentVariableIsSet("DESKTOP_SESSION"))
    {
        set("XDG_CURRENT_DESKTOP", currentDesktop, true);
        set("DESKTOP_SESSION", session, true);
    }
    ~ScopedDesktop()
    {
        set("XDG_CURRENT_DESKTOP", current, hadCurrent);
        set("DESKTOP_SESSION", sessionName, hadSession);
    }
    ScopedDesktop(const ScopedDesktop &) = delete;
    ScopedDesktop &operator=(const ScopedDesktop &) = delete;

private:
    static void set(const char *name, const QByteArray &value, bool present)
    {
        if (present && !value.isEmpty())
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    QByteArray current;
    QByteArray sessionName;
    bool hadCurrent;
    bool hadSession;
};

// The assertions below count calls under this name.
constexpr auto CallsOf = &DeviceFixture::CountCalls;

} // namespace

class TstSettingsPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void textsOfTheLanguage();
    void versionsShown_data();
    void versionsShown();
    void chooserEmptiesVersions();
    void languageSwitch();
    void autostartSwitch();
    void restoreDefaultsReachesTheMouse();
    void restoreDefaultsRefused_data();
    void restoreDefaultsRefused();
    void restoreDefaultsEndsWithBatteryOptimisation_data();
    void restoreDefaultsEndsWithBatteryOptimisation();
    void pairingEntryHandsCallbacksBack();
    void mouseSettingsTryKnownDesktops();
    void mouseSettingsOfTheRunningDesktop_data();
    void mouseSettingsOfTheRunningDesktop();
    void ledInfoFollowsTheReceiver_data();
    void ledInfoFollowsTheReceiver();
    void lightModeDialogEditsOnlyItself();
    void lightModeDialogPicksScreenColour();
    void clockPacket();
    void keyboardFocusIsVisible();

private:
    template <class T> T *child(const char *name) const;
    void UseWiredMouse();

    FormSetting *page = nullptr;
    QTemporaryDir images;
};

void TstSettingsPage::initTestCase()
{
    QVERIFY(images.isValid());
    LabelCatalogue::load();
    UpDataParam::TimerMs = 50;
    UpDataParam::WaitStepMs = 20;
    UpDataParam::ResetHoldMs = 10;
    SetFirmwareFolder(images.path());
    MacroIniStore::GetInstance()->SetValue("AutoStart", "Enable", "1");
    page = new FormSetting();
    page->resize(883, 630);
}

void TstSettingsPage::cleanupTestCase()
{
    UsbServer_Exit();
    delete page;
    delete RepairDialog;
    SetFirmwareFolder(QString());
}

void TstSettingsPage::init()
{
    SimReset(true);
    SimClearCallLog();
    ModelDevices.clear();
    RepairDialog->hide();
}

template <class T> T *TstSettingsPage::child(const char *name) const
{
    T *widget = page->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("the settings page has no %s", name);
    return widget;
}

void TstSettingsPage::UseWiredMouse()
{
    const QByteArray path(SimDevicePath(WiredMouse));
    SetCurrentDevicePath(path);
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(path);
    info.DriveIndex = 1;
    info.Wired = true;
    info.Online = true;
    info.CidMid = uint16_t(38 | (12 << 8));
    SetCurrentDeviceInfo(info);
    DeviceDataReady = true;
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstSettingsPage::textsOfTheLanguage()
{
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QCOMPARE(child<QLabel>("label_2")->text(), SettingsLabels[0]["Language"]);
    QVERIFY(!child<QLabel>("label_2")->text().isEmpty());
    QCOMPARE(child<QLabel>("label")->text(), HomeLabels[0]["Version"] + "1.0.2.0");
    QCOMPARE(WiredModeText, HomeLabels[0]["WiredMode"]);
    QCOMPARE(child<QPushButton>("pushButton_2")->text(), PairLabels[0]["Pair"]);
}

void TstSettingsPage::versionsShown_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<bool>("withFolder");
    QTest::addColumn<QString>("mouseShown");
    QTest::addColumn<int>("updateReports");

    QTest::newRow("online, newer mouse image") << true << true << "v1.05" << 2;
    QTest::newRow("mouse offline") << false << true << "" << 2;
    QTest::newRow("no bin folder") << true << false << "v1.05" << 0;
}

void TstSettingsPage::versionsShown()
{
    QFETCH(bool, online);
    QFETCH(bool, withFolder);
    QFETCH(QString, mouseShown);
    QFETCH(int, updateReports);

    vidide::FirmwareInfo info;
    info.version = 0x0106;
    info.kind = FirmwareKindMouse;
    info.cid = 38;
    info.mid = 11;
    info.modelName = "ORVAK-TW1";
    QFile file(images.filePath("mouse.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(vidide::buildFirmwareImage(info, QByteArray(64, 'x')));
    file.close();
    SetFirmwareFolder(withFolder ? images.path() : images.filePath("none"));

    DeviceAllInfo device;
    device.DriveIndex = 0;
    device.ReceiverType = 1;
    device.Online = online;
    device.CidMid = uint16_t(38 | (11 << 8));
    device.DongleVersionText = "v1.03";
    device.MouseVersionText = "v1.05";
    SetCurrentDeviceInfo(device);
    ModelDevices = {device};
    MouseUpdateAvailable = false;

    QSignalSpy versions(PostMsg::GetInstance(), SIGNAL(SigAddVer(int, QString)));
    QSignalSpy updates(PostMsg::GetInstance(), SIGNAL(SigAddUpdate(int, bool)));
    emit PostMsg::GetInstance()->SigSetver(0);
    QCOMPARE(child<QLabel>("label_5")->text(), QString("v1.03"));
    QCOMPARE(child<QLabel>("label_7")->text(), mouseShown);
    QCOMPARE(versions.size(), 2);
    QCOMPARE(versions.at(0), (QList<QVariant>{1, QString("v1.03")}));
    QCOMPARE(versions.at(1), (QList<QVariant>{0, mouseShown}));
    QCOMPARE(updates.size(), updateReports);
    if (updateReports) {
        // An online mouse with a newer image: the upgrade is offered.
        QCOMPARE(updates.at(0).at(1).toBool(), online);
        QCOMPARE(updates.at(1).at(1).toBool(), false);
    }
    RepairDialog->hide();
    SetFirmwareFolder(images.path());
    QFile::remove(images.filePath("mouse.bin"));
}

void TstSettingsPage::chooserEmptiesVersions()
{
    QSignalSpy versions(PostMsg::GetInstance(), SIGNAL(SigAddVer(int, QString)));
    emit PostMsg::GetInstance()->SigLabelText(1, "v2.01");
    QCOMPARE(child<QLabel>("label_7")->text(), QString("v2.01"));
    QCOMPARE(CurrentDeviceInfo.MouseVersionText, QString("v2.01"));
    emit PostMsg::GetInstance()->SigSetver(6);
    QCOMPARE(child<QLabel>("label_5")->text(), QString());
    QCOMPARE(child<QLabel>("label_7")->text(), QString());
    QCOMPARE(versions.last(), (QList<QVariant>{0, QString()}));
}

void TstSettingsPage::languageSwitch()
{
    QSignalSpy all(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)));
    QSignalSpy chooser(PostMsg::GetInstance(), SIGNAL(SigLanguageSameA(int)));
    QCOMPARE(child<QComboBox>("comboBox")->count(), 1);
    emit child<QComboBox>("comboBox")->activated(0);
    QCOMPARE(MacroIniStore::GetInstance()->GetValue("Language", "Language"), QString("0"));
    QCOMPARE(CurrentLanguage, 0);
    QCOMPARE(all.size(), 1);
    QCOMPARE(chooser.size(), 1);

    // Following the chooser's combo sends nothing back.
    emit PostMsg::GetInstance()->SigLanguageSameB(0);
    QCOMPARE(chooser.size(), 1);
    QCOMPARE(child<QComboBox>("comboBox")->currentIndex(), 0);
}

void TstSettingsPage::autostartSwitch()
{
    // Macro.ini said "1" when the page was built.
    QVERIFY(child<QCheckBox>("checkBox")->isChecked());
    child<QCheckBox>("checkBox")->click();
    QCOMPARE(MacroIniStore::GetInstance()->GetValue("AutoStart", "Enable"), QString("0"));
    QVERIFY(!AutoStart::isEnabled());
    child<QCheckBox>("checkBox")->click();
    QCOMPARE(MacroIniStore::GetInstance()->GetValue("AutoStart", "Enable"), QString("1"));
    QVERIFY(AutoStart::isEnabled());
    QFile entry(AutoStart::entryPath());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(entry.readAll().contains(QCoreApplication::applicationFilePath().toUtf8()));
}

void TstSettingsPage::restoreDefaultsReachesTheMouse()
{
    UseWiredMouse();
    FlashDataMap changed{};
    QVERIFY(SimMouseBlock(WiredMouse, &changed));
    const uint8_t factoryDebounce = changed.DebounceMs;
    changed.DebounceMs = uint8_t(factoryDebounce + 7);
    QVERIFY(ProtocolDataUpdate(&changed));
    QVERIFY(WaitIdle());

    DialogSeam::ScopedAnswer answer("OK");
    child<QToolButton>("Reset")->click();
    QVERIFY(WaitIdle());
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("ContainReset"));
    QCOMPARE(CallsOf("UsbServer_SetClearSetting"), 1);
    FlashDataMap after{};
    QVERIFY(SimMouseBlock(WiredMouse, &after));
    QCOMPARE(int(after.DebounceMs), int(factoryDebounce));
    QVERIFY(!ParamUpdateRunning);
    UsbServer_Exit();
}

void TstSettingsPage::restoreDefaultsRefused_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<int>("offlineNotices");
    QTest::newRow("mouse offline") << false << "OK" << 0 << 1;
    QTest::newRow("cancelled") << true << "Cancel" << 1 << 0;
}

void TstSettingsPage::restoreDefaultsRefused()
{
    QFETCH(bool, online);
    QFETCH(QString, button);
    UseWiredMouse();
    QVERIFY(SimPlug(WiredMouse, online));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    DialogSeam::ScopedAnswer answer(button);
    child<QToolButton>("Reset")->click();
    QTEST(int(answer.dialogs().size()), "dialogs");
    QTEST(int(offline.size()), "offlineNotices");
    QCOMPARE(CallsOf("UsbServer_SetClearSetting"), 0);
    QCOMPARE(CallsOf("ProtocolDataUpdate"), 0);
    UsbServer_Exit();
}

void TstSettingsPage::restoreDefaultsEndsWithBatteryOptimisation_data()
{
    QTest::addColumn<bool>("resetAnswerLost");
    QTest::newRow("reset done") << false;
    QTest::newRow("reset answer lost, wait times out") << true;
}

// Battery optimisation is off while the mouse resets; however the wait ends,
// the mouse has it on again.
void TstSettingsPage::restoreDefaultsEndsWithBatteryOptimisation()
{
    QFETCH(bool, resetAnswerLost);
    UseWiredMouse();
    QVERIFY(SimBatteryOptimize(WiredMouse));
    if (resetAnswerLost)
        SimDropNextAnswer("UsbServer_SetClearSetting");
    DialogSeam::ScopedAnswer answer("OK");
    child<QToolButton>("Reset")->click();
    QVERIFY(WaitIdle());
    QCOMPARE(CallsOf("UsbServer_SetClearSetting"), 1);
    QVERIFY(SimBatteryOptimize(WiredMouse));
    QVERIFY(!ParamUpdateRunning);
    UsbServer_Exit();
}

void TstSettingsPage::pairingEntryHandsCallbacksBack()
{
    UseWiredMouse();
    DevicePageActive = 1;
    SimClearCallLog();
    DialogSeam::ScopedAnswer answer("CloseButton");
    child<QPushButton>("pushButton_2")->click();
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("Match"));
    // After the dialog the device page's callbacks are bound again.
    const QList<SimCallRecord> log = SimCallLog();
    QVERIFY(log.size() >= 2);
    int hotPlug = -1;
    int server = -1;
    for (int i = 0; i < log.size(); ++i) {
        if (log.at(i).function == "StartUsbChanged")
            hotPlug = i;
        if (log.at(i).function == "UsbServerC_Start")
            server = i;
    }
    QVERIFY(hotPlug >= 0);
    QVERIFY(server > hotPlug);
    QCOMPARE(log.at(server).arguments, QString::fromLatin1(SimDevicePath(WiredMouse)));
    StopUsbChanged();
    DevicePageActive = 0;
    UsbServer_Exit();
}

void TstSettingsPage::mouseSettingsTryKnownDesktops()
{
    const ScopedDesktop unknown("", "");
    QStringList tried;
    bool succeedSecond = true;
    MouseSettings::Launcher previous =
        MouseSettings::setLauncher([&](const QString &program, const QStringList &) {
            tried << program;
            return succeedSecond && tried.size() == 2;
        });
    // The button opens the desktop's tool, so it does not promise Windows'.
    QCOMPARE(child<QPushButton>("pushButton")->text(), QStringLiteral("Mouse settings"));
    DialogSeam::ScopedAnswer answer("NewHong");
    child<QPushButton>("pushButton")->click();
    QCOMPARE(tried.size(), 2);
    QCOMPARE(tried.first(), MouseSettings::knownCommands().first().program);
    QVERIFY(answer.dialogs().isEmpty());

    // With none of them the user is told, not left with a dead button.
    tried.clear();
    succeedSecond = false;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no mouse settings tool"));
    child<QPushButton>("pushButton")->click();
    QCOMPARE(tried.size(), MouseSettings::knownCommands().size());
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
    QCOMPARE(answer.dialogs().first().labelText, HomeLabels[0]["NoMouseSettings"]);
    QVERIFY(!answer.dialogs().first().labelText.isEmpty());
    MouseSettings::setLauncher(previous);
}

void TstSettingsPage::mouseSettingsOfTheRunningDesktop_data()
{
    QTest::addColumn<QByteArray>("currentDesktop");
    QTest::addColumn<QByteArray>("session");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("started"); // empty: none, the user is told

    const QString gnome = "gnome-control-center";
    const QString kde = "systemsettings";
    const QString xfce = "xfce4-mouse-settings";
    const QString mate = "mate-mouse-properties";
    QTest::newRow("KDE that has GNOME's too")
        << QByteArray("KDE") << QByteArray("plasma") << QStringList{gnome, kde}
        << "systemsettings kcm_mouse";
    QTest::newRow("KDE with the older module tool")
        << QByteArray("KDE") << QByteArray() << QStringList{gnome, "kcmshell5"}
        << "kcmshell5 kcm_mouse";
    QTest::newRow("GNOME derivative") << QByteArray("Budgie:GNOME") << QByteArray()
                                      << QStringList{kde, gnome} << "gnome-control-center mouse";
    QTest::newRow("Cinnamon, lower case")
        << QByteArray("x-cinnamon") << QByteArray() << QStringList{gnome, "cinnamon-settings"}
        << "cinnamon-settings mouse";
    QTest::newRow("XFCE") << QByteArray("XFCE") << QByteArray() << QStringList{gnome, kde, xfce}
                          << xfce;
    QTest::newRow("MATE, the session naming another")
        << QByteArray("MATE") << QByteArray("plasma") << QStringList{kde, mate} << mate;
    QTest::newRow("LXDE") << QByteArray("LXDE") << QByteArray() << QStringList{xfce, "lxinput"}
                          << "lxinput";
    QTest::newRow("own tool missing: first known installed")
        << QByteArray("XFCE") << QByteArray() << QStringList{"lxinput", mate} << mate;
    QTest::newRow("unknown desktop") << QByteArray("sway") << QByteArray()
                                     << QStringList{"lxinput", kde} << "systemsettings kcm_mouse";
    QTest::newRow("unknown desktop, the session named")
        << QByteArray("Unity") << QByteArray("mate") << QStringList{kde, mate} << mate;
    QTest::newRow("only the session named")
        << QByteArray() << QByteArray("xfce") << QStringList{gnome, xfce} << xfce;
    QTest::newRow("none installed")
        << QByteArray("KDE") << QByteArray() << QStringList{} << QString();
}

void TstSettingsPage::mouseSettingsOfTheRunningDesktop()
{
    QFETCH(QByteArray, currentDesktop);
    QFETCH(QByteArray, session);
    QFETCH(QStringList, installed);
    QFETCH(QString, started);
    const ScopedDesktop desktop(currentDesktop, session);
    QString ran;
    MouseSettings::Launcher previous =
        MouseSettings::setLauncher([&](const QString &program, const QStringList &arguments) {
            if (!installed.contains(program))
                return false;
            ran = QStringList(QStringList{program} + arguments).join(' ');
            return true;
        });
    DialogSeam::ScopedAnswer answer("NewHong");
    if (started.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no mouse settings tool"));
    child<QPushButton>("pushButton")->click();
    MouseSettings::setLauncher(previous);
    QCOMPARE(ran, started);
    QCOMPARE(answer.dialogs().size(), started.isEmpty() ? 1 : 0);
}

void TstSettingsPage::ledInfoFollowsTheReceiver_data()
{
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("receiverType");
    QTest::addColumn<int>("driveIndex");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("ticked");
    QTest::newRow("4K receiver") << false << 1 << 0 << 2 << 2;
    QTest::newRow("mode outside 1..3 keeps the tick") << false << 1 << 0 << 0 << 3;
    QTest::newRow("wired mouse") << true << 1 << 0 << 2 << 3;
    QTest::newRow("1K receiver") << false << 0 << 0 << 2 << 3;
    QTest::newRow("model without the feature") << false << 1 << 1 << 2 << 3;
    // No feature list to say it has one: without, as the light page reads it.
    QTest::newRow("model without a feature list") << false << 1 << 5 << 2 << 3;
}

void TstSettingsPage::ledInfoFollowsTheReceiver()
{
    QFETCH(bool, wired);
    QFETCH(int, receiverType);
    QFETCH(int, driveIndex);
    QFETCH(int, mode);
    LedInfo info;
    DeviceAllInfo device;
    device.DriveIndex = 0;
    device.ReceiverType = 1;
    SetCurrentDeviceInfo(device);
    DongleRGB rgb{};
    rgb.IndicatorMode = 3;
    EmitFromThread([&rgb] { emit PostMsg::GetInstance()->SigRGBValue(&rgb); });
    QCOMPARE(info.checkedChoice(), 3);

    device.Wired = wired;
    device.ReceiverType = uint8_t(receiverType);
    device.DriveIndex = driveIndex;
    SetCurrentDeviceInfo(device);
    rgb.IndicatorMode = uint8_t(mode);
    EmitFromThread([&rgb] { emit PostMsg::GetInstance()->SigRGBValue(&rgb); });
    QTEST(info.checkedChoice(), "ticked");
}

void TstSettingsPage::lightModeDialogEditsOnlyItself()
{
    LightModeSet dialog;
    auto *mode = dialog.findChild<QComboBox *>("LightMod");
    auto *red = dialog.findChild<QSpinBox *>("RSpinBox");
    auto *green = dialog.findChild<QSpinBox *>("GSpinBox");
    auto *blue = dialog.findChild<QSpinBox *>("BSpinBox");
    auto *speed = dialog.findChild<QWidget *>("horizontalSpeed");
    auto *speedLine = dialog.findChild<QWidget *>("line_2");
    QVERIFY(mode && red && green && blue && speed && speedLine);
    QVERIFY(red->isHidden() && speed->isHidden() && !speedLine->isHidden());
    mode->setCurrentIndex(3);
    QVERIFY(!red->isHidden() && speed->isHidden() && !speedLine->isHidden());
    mode->setCurrentIndex(2);
    QVERIFY(!red->isHidden() && !speed->isHidden() && speedLine->isHidden());

    SimClearCallLog();
    dialog.findChild<QToolButton *>("toolButtonColorF")->click();
    QCOMPARE(QList<int>({red->value(), green->value(), blue->value()}), QList<int>({255, 80, 0}));
    QVERIFY(dialog.findChild<QLabel *>("labelPreView")->styleSheet().contains("rgb(255,80,0)"));
    dialog.findChild<QToolButton *>("AddR")->click();
    QCOMPARE(red->value(), 255);
    dialog.findChild<QToolButton *>("ReduceB")->click();
    QCOMPARE(blue->value(), 0);
    QVERIFY(SimCallLog().isEmpty());
}

namespace {

// A screen whose desktop is scaled by two and shows one colour everywhere.
class ScaledScreen : public ScreenPixelSource
{
public:
    mutable QList<QPoint> grabs;
    QPoint cursorPos() const override { return QPoint(100, 50); }
    double desktopScale() const override { return 2.0; }
    QImage grab(int x, int y, int width, int height) const override
    {
        grabs.append(QPoint(x, y));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(12, 200, 34));
        return image;
    }
};

} // namespace

void TstSettingsPage::lightModeDialogPicksScreenColour()
{
    ScaledScreen screen;
    ScreenPicker::ScopedSource source(&screen);
    LightModeSet dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget *board = dialog.findChild<QWidget *>("label_7");
    QVERIFY(board);
    const QPoint centre = board->geometry().center();
    QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, centre);
    // The desktop's pixels are asked for at the cursor's scaled position, and
    // the colour found there fills the boxes.
    QCOMPARE(screen.grabs, QList<QPoint>{QPoint(200, 100)});
    QCOMPARE(dialog.findChild<QSpinBox *>("RSpinBox")->value(), 12);
    QCOMPARE(dialog.findChild<QSpinBox *>("GSpinBox")->value(), 200);
    QCOMPARE(dialog.findChild<QSpinBox *>("BSpinBox")->value(), 34);
}

void TstSettingsPage::clockPacket()
{
    // 2026-03-05 14:07:09 was a Thursday.
    const QDateTime when(QDate(2026, 3, 5), QTime(14, 7, 9));
    const QByteArray packet = InputPicA::BuildClockPacket(when, when.date());
    QCOMPARE(packet.size(), 40);
    QCOMPARE(packet.left(11), QByteArray::fromHex("0a001007ea03050e070904"));
    const uint8_t zeros[39] = {};
    QCOMPARE(int(InputPicA::PacketChecksum(zeros, 39)), 0x55);
    QCOMPARE(int(InputPicA::PacketChecksum(reinterpret_cast<const uint8_t *>("abc"), 3)), 0x2F);

    QByteArray answer = packet;
    answer[39] =
        char(InputPicA::PacketChecksum(reinterpret_cast<const uint8_t *>(answer.constData()), 39));
    QVERIFY(InputPicA::CheckAnswer(packet, answer));
    QByteArray wrongDay = answer;
    wrongDay[6] = 6;
    QVERIFY(!InputPicA::CheckAnswer(packet, wrongDay));
    QVERIFY(!InputPicA::CheckAnswer(packet, answer.left(39)));
}

// After Tab, the focused control is marked on the dark page: the page around
// it looks different from the page without focus.
void TstSettingsPage::keyboardFocusIsVisible()
{
    ThemeStyles::ApplyApplicationTheme();
    page->show();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));
    page->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = page->grab().toImage();

    // Two rounds of Tab: every stop is seen at least once whatever it starts on.
    QSet<QString> visited;
    for (int step = 0; step < 12; ++step) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : page,
                        Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused);
        visited << focused->objectName();
        const QRect around = QRect(focused->mapTo(page, QPoint(0, 0)), focused->size())
                                 .adjusted(-3, -3, 3, 3)
                                 .intersected(page->rect());
        const QImage shot = page->grab().toImage();
        QVERIFY2(shot.copy(around) != unfocused.copy(around), qPrintable(focused->objectName()));
    }
    // The page's buttons and the autostart box take the keyboard; the mouse
    // picture beside the settings link and the maker line do nothing and are
    // passed over.
    QStringList stops = visited.values();
    stops.sort();
    QCOMPARE(stops,
             QStringList({"Reset", "checkBox", "pushButton", "pushButton_2", "pushButton_3"}));
    page->hide();
}

QTEST_MAIN(TstSettingsPage)
#include "tst_settingspage.moc"
