// Discovery on the chooser: identity answers, unknown devices, the found-device
// lists after pruning, and a hot-plug rescan during a click's modal dialog.
#include "DeviceTestSupport.h"

#include "common/DialogSeam.h"
#include "common/mytoolButtonEnter.h"
#include "device/FirmwareHooks.h"
#include "device/Match.h"
#include "platform/Registry.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

class TestDiscovery : public QObject
{
    Q_OBJECT

    int indexOfPath(const char *path)
    {
        for (int i = 0; i < FoundDevices.size(); ++i) {
            if (FoundDevices.at(i).Path == QString::fromUtf8(path))
                return i;
        }
        return -1;
    }

private slots:
    void initTestCase() { QVERIFY(UserFolder::makeFolders()); }

    void init()
    {
        SimReset();
        DevicePageActive = 0;
    }

    void cleanup() { StopUsbChanged(); }

    void identityAnswers_data()
    {
        QTest::addColumn<int>("zeroCalls");
        QTest::addColumn<int>("driveIndex");
        QTest::newRow("first answer") << 0 << 1;
        QTest::newRow("tenth answer counts") << 9 << 1;
        QTest::newRow("never answers: unknown model") << 100000 << 2;
    }

    void identityAnswers()
    {
        QFETCH(int, zeroCalls);
        QFETCH(int, driveIndex);
        QVERIFY(SimSetIdentityZeroCalls(1, zeroCalls));
        DialogChange chooser;
        const int wired = indexOfPath(SimDevicePath(1));
        QVERIFY(wired >= 0);
        const DeviceAllInfo &info = FoundDevices.at(wired);
        QCOMPARE(info.DriveIndex, driveIndex);
        if (driveIndex == UnknownModelIndex) {
            QCOMPARE(int(info.CidMid), 0);
            QCOMPARE(int(info.ReceiverType), int(UnknownReceiverType));
            QVERIFY(chooser.deviceButtons().at(wired)->styleSheet().contains("Unknow.png"));
        } else {
            QCOMPARE(int(info.CidMid), 38 | (12 << 8));
            QVERIFY(info.Wired);
        }
        // Only the 4K receiver carries a badge: neither the wired type nor an
        // unknown device reads a receiver type it does not have.
        QCOMPARE(chooser.rateBadges().size(), 1);
    }

    void gridPagesPruningAndIdenticalDevices_data()
    {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<int>("listed");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pages");
        const QByteArray mouse =
            "\"mouse\": {\"key\": \"w\", \"cid\": 38, \"mid\": 11, \"model\": \"ORVAK-TW1\"}";
        auto receiver = [&mouse](const char *pid, int type, bool withMouse) {
            return QByteArray("{\"kind\": \"receiver\", \"vid\": \"0x3A7C\", \"pid\": \"") + pid +
                   "\", \"connectionType\": " + QByteArray::number(type) + ", " +
                   (withMouse ? mouse : QByteArray("\"mouseOf\": 0")) + "}";
        };
        QTest::newRow("four receiver classes: pages of 3 and 1")
            << QByteArray("{\"devices\": [" + receiver("0x7C10", 0, true) + "," +
                          receiver("0x7C20", 4, false) + "," + receiver("0x7C40", 1, false) + "," +
                          receiver("0x7C80", 5, false) + "]}")
            << 4 << 4 << 2;
        QTest::newRow("mouse on its cable beside its receiver: wired entry only")
            << QByteArray("{\"devices\": [" + receiver("0x7C40", 1, true) +
                          ", {\"kind\": \"wired\", \"vid\": \"0x3A7C\", \"pid\": \"0x7C01\", "
                          "\"mouseOf\": 0}]}")
            << 1 << 2 << 1;
        QTest::newRow("two identical receivers: notice, no grid")
            << QByteArray("{\"devices\": [" + receiver("0x7C40", 1, true) + "," +
                          receiver("0x7C40", 1, false) + "]}")
            << 2 << 2 << 0;
    }

    void gridPagesPruningAndIdenticalDevices()
    {
        QFETCH(QByteArray, set);
        QFETCH(int, listed);
        QFETCH(int, copies);
        QFETCH(int, pages);
        QString error;
        QVERIFY2(SimLoadDevices(set, &error), qPrintable(error));
        DialogSeam::ScopedAnswer answer(QStringLiteral("CloseButton"));
        DialogChange chooser;
        QCOMPARE(FoundDevices.size(), listed);
        QCOMPARE(FoundDevicesCopy.size(), copies);
        QStackedWidget *stack =
            chooser.findChild<QStackedWidget *>(QStringLiteral("stackedWidget"));
        QCOMPARE(stack->count(), pages);
        QWidget *right = chooser.findChild<QWidget *>(QStringLiteral("RightButton"));
        QCOMPARE(!right->isHidden(), listed > 3 && pages > 0);
        if (pages == 0) {
            QCOMPARE(answer.dialogs().size(), 1);
            QCOMPARE(answer.dialogs().first().className, QStringLiteral("QuestiondialogB"));
            QVERIFY(chooser.deviceButtons().isEmpty());
        } else {
            QVERIFY(answer.dialogs().isEmpty());
            QCOMPARE(chooser.deviceButtons().size(), listed);
            if (listed == 1)
                QVERIFY(FoundDevices.first().Wired);
        }
        if (listed == 4) {
            QCOMPARE(chooser.rateBadges().size(), 4);
            QCOMPARE(chooser.deviceButtons().at(3)->pos(), QPoint(305, 0));
            // The arrows change on arriving at the last and the first page.
            auto *left = chooser.findChild<QToolButton *>(QStringLiteral("LeftButton"));
            static_cast<QToolButton *>(right)->click();
            QCOMPARE(stack->currentIndex(), 1);
            QVERIFY(!left->isHidden() && right->isHidden());
            left->click();
            QCOMPARE(stack->currentIndex(), 0);
            QVERIFY(left->isHidden() && !right->isHidden());
        }
    }

    void firmwareOrPairingOfferForASilentTwin_data()
    {
        QTest::addColumn<QString>("version"); // MouseVer of the model, "" never recorded
        QTest::addColumn<bool>("mouseImage");
        QTest::addColumn<bool>("receiverImage");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("no version recorded: pairing")
            << QString() << false << false << "CloseButton" << QStringList{"Match"} << false;
        QTest::newRow("both images: confirmed, pairing")
            << "v1.00" << true << true << "OK" << QStringList{"RePair", "Match"} << false;
        QTest::newRow("no image: declined")
            << "v1.00" << false << false << "Cancel" << QStringList{"RePair"} << false;
        QTest::newRow("mouse image only: wired-mode warning")
            << "v1.00" << true << false << "CloseButton" << QStringList{"UpDateWarning"} << false;
        QTest::newRow("receiver image only: the device is chosen")
            << "v1.00" << false << true << "CloseButton" << QStringList{} << true;
    }

    void firmwareOrPairingOfferForASilentTwin()
    {
        QFETCH(QString, version);
        QFETCH(bool, mouseImage);
        QFETCH(bool, receiverImage);
        QFETCH(QString, answer);
        QFETCH(QStringList, shown);
        QFETCH(bool, chosen);
        // Two receivers of one model; the mouse of the second does not answer.
        const QByteArray set =
            "{\"devices\": [{\"kind\": \"receiver\", \"vid\": \"0x3A7C\", \"pid\": \"0x7C10\", "
            "\"connectionType\": 0, \"mouse\": {\"key\": \"a\", \"cid\": 38, \"mid\": 11}}, "
            "{\"kind\": \"receiver\", \"vid\": \"0x3A7C\", \"pid\": \"0x7C40\", "
            "\"connectionType\": 1, \"online\": false, "
            "\"mouse\": {\"key\": \"b\", \"cid\": 38, \"mid\": 11}}]}";
        QString error;
        QVERIFY2(SimLoadDevices(set, &error), qPrintable(error));
        const QString key = QStringLiteral("MouseVer3811");
        Registry::instance()->setValue(Registry::mouseDriveTestKey(), key, version);
        FirmwareHooks::LoadUpgradeImage = [mouseImage](int kind, const QString &, const QString &,
                                                       int,
                                                       int) { return kind == 210 && mouseImage; };
        FirmwareHooks::LoadRepairImage = [receiverImage](int kind, const QString &, const QString &,
                                                         int, int) {
            return kind == 211 && receiverImage;
        };
        QSignalSpy selected(PostMsg::GetInstance(), &PostMsg::SigSelectMouseInfo);

        DialogChange chooser;
        const int silent = indexOfPath(SimDevicePath(1));
        QVERIFY(silent >= 0);
        DialogSeam::ScopedAnswer answers(answer);
        chooser.deviceButtons().at(silent)->click();

        QStringList classes;
        for (const DialogSeam::ShownDialog &dialog : answers.dialogs())
            classes.append(dialog.className);
        QCOMPARE(classes, shown);
        QCOMPARE(selected.count(), chosen ? 1 : 0);
        if (chosen)
            QCOMPARE(selected.first().first().value<DeviceAllInfo>().Path,
                     QString::fromUtf8(SimDevicePath(1)));
        if (shown.contains("Match"))
            QCOMPARE(PairDeviceInfo.Path, QString::fromUtf8(SimDevicePath(1)));

        FirmwareHooks::LoadUpgradeImage = nullptr;
        FirmwareHooks::LoadRepairImage = nullptr;
        Registry::instance()->remove(Registry::mouseDriveTestKey(), key);
        DevicePageActive = 0;
    }

    void repairButtonFollowsAFailedUpgrade()
    {
        const QString key = QStringLiteral("UpdateFailInfo");
        Registry::instance()->setValue(Registry::mouseDriveTestKey(), key,
                                       QStringLiteral("211,4,38,11"));
        DialogChange chooser;
        chooser.show();
        auto *repair = chooser.findChild<QWidget *>(QStringLiteral("Repair"));
        auto *prompt = chooser.findChild<QLabel *>(QStringLiteral("label_2"));
        QVERIFY(repair->isVisible());
        QCOMPARE(prompt->text(), DialogChange::RepairText);

        // The repair engine's verdict, then the next hot-plug scan.
        emit PostMsg::GetInstance()->SigUpDateButton(true);
        QVERIFY(!repair->isVisible());
        QCOMPARE(prompt->text(), DialogChange::PleaseConnectText);
        Registry::instance()->remove(Registry::mouseDriveTestKey(), key);
        OnChooserUsbChanged();
        QVERIFY(!repair->isVisible());
    }

    // A record that names no flash the program could have begun offers no
    // repair: it is kept aside, and the good records of the value stay.
    void damagedRecordOffersNoRepair_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("damaged");
        QTest::newRow("three fields") << "1,2,3" << QString() << "1,2,3";
        QTest::newRow("five fields") << "211,4,38,11,1" << QString() << "211,4,38,11,1";
        QTest::newRow("unknown kind") << "212,4,38,11" << QString() << "212,4,38,11";
        QTest::newRow("unknown variant") << "211,3,38,11" << QString() << "211,3,38,11";
        QTest::newRow("id out of range") << "210,0,38,256" << QString() << "210,0,38,256";
        QTest::newRow("not a number") << "211,4,x,11" << QString() << "211,4,x,11";
        QTest::newRow("signed") << "211,4,+38,11" << QString() << "211,4,+38,11";
        QTest::newRow("spaces") << "211, 4,38,11" << QString() << "211, 4,38,11";
        QTest::newRow("empty part") << "211,4,38,11;"
                                    << "211,4,38,11" << QString();
        QTest::newRow("one good, one damaged") << "1,2,3;210,4,38,11"
                                               << "210,4,38,11"
                                               << "1,2,3";
    }

    void damagedRecordOffersNoRepair()
    {
        QFETCH(QString, value);
        QFETCH(QString, kept);
        QFETCH(QString, damaged);
        Registry *registry = Registry::instance();
        const QString key = Registry::mouseDriveTestKey();
        registry->remove(key, QStringLiteral("UpdateFailInfo.bad"));
        QVERIFY(registry->setValue(key, QStringLiteral("UpdateFailInfo"), value));
        DialogChange chooser;
        chooser.show();
        auto *repair = chooser.findChild<QWidget *>(QStringLiteral("Repair"));
        QCOMPARE(repair->isVisible(), !kept.isEmpty());
        QCOMPARE(registry->value(key, QStringLiteral("UpdateFailInfo")).toString(), kept);
        QCOMPARE(registry->contains(key, QStringLiteral("UpdateFailInfo")), !kept.isEmpty());
        if (!damaged.isEmpty())
            QCOMPARE(registry->value(key, QStringLiteral("UpdateFailInfo.bad")).toString(),
                     damaged);
        // Read again on the next rescan: still no offer for what was damaged.
        OnChooserUsbChanged();
        QCOMPARE(repair->isVisible(), !kept.isEmpty());
        registry->remove(key, QStringLiteral("UpdateFailInfo"));
    }

    void refreshedRecordsGoToTheirOwnEntry()
    {
        DialogChange chooser;
        QCOMPARE(FoundDevices.size(), 2);
        // As after pruning: the copy keeps an entry the grid no longer lists.
        const int wired = indexOfPath(SimDevicePath(1));
        DeviceAllInfo kept = FoundDevices.at(wired);
        DeviceAllInfo pruned = FoundDevices.at(1 - wired);
        kept.Online = false;
        kept.ReceiverAddress.clear();
        FoundDevices = {kept};
        FoundDevicesCopy = {pruned, kept};

        chooser.RefreshDeviceLink(0);
        QCOMPARE(FoundDevicesCopy.size(), 2);
        QCOMPARE(FoundDevicesCopy.at(0).Path, pruned.Path);
        QCOMPARE(FoundDevicesCopy.at(0).ReceiverAddress, pruned.ReceiverAddress);
        QCOMPARE(FoundDevicesCopy.at(1).Path, kept.Path);
        QVERIFY(FoundDevicesCopy.at(1).Online);
        QCOMPARE(FoundDevicesCopy.at(1).ReceiverAddress.size(), 3);

        QVERIFY(RefreshFoundDevice(5)); // outside the list: nothing
        FoundDevices.clear();
        QVERIFY(RefreshFoundDevice(0));
    }

    void hoverRefreshesThatDevicesLink()
    {
        DialogChange chooser;
        const int receiver = indexOfPath(SimDevicePath(0));
        QVERIFY(receiver >= 0);
        QVERIFY(FoundDevices.at(receiver).Online);
        mytoolButtonEnter *button = chooser.deviceButtons().at(receiver);

        QVERIFY(SimSetMouseOnline(0, false));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(!FoundDevices.at(receiver).Online);
        QVERIFY(!chooser.offlineIcons().at(receiver)->isHidden());

        // The list may be pruned after the buttons were named.
        FoundDevices.clear();
        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(FoundDevices.isEmpty());
    }

    void rescanWaitsForTheClicksModalDialog()
    {
        // The receiver does not tell its identity: a click offers pairing.
        QVERIFY(SimSetIdentityZeroCalls(0, 100000));
        DialogChange chooser;
        const int receiver = indexOfPath(SimDevicePath(0));
        QVERIFY(receiver >= 0);
        QCOMPARE(FoundDevices.at(receiver).DriveIndex, UnknownModelIndex);
        QPointer<mytoolButtonEnter> clicked = chooser.deviceButtons().at(receiver);

        bool deferred = false;
        bool buttonAlive = false;
        QString shown;
        DialogSeam::ExecHandler previous = DialogSeam::setExecHandler([&](QDialog &dialog) {
            shown = QString::fromLatin1(dialog.metaObject()->className());
            QVERIFY(SimPlug(1, false)); // hot-plug while the dialog is open
            QTest::qWait(50);
            deferred = chooser.gridRebuildPending();
            buttonAlive = !clicked.isNull();
            DialogSeam::press(dialog, QStringLiteral("Escape"));
        });
        clicked->click();
        DialogSeam::setExecHandler(previous);

        QCOMPARE(shown, QStringLiteral("Match"));
        QVERIFY(deferred);
        QVERIFY(buttonAlive);
        QCOMPARE(DevicePageActive.load(), 0);
        // The rescan runs once the click has ended.
        QTRY_COMPARE(FoundDevices.size(), 1);
        QTRY_VERIFY(clicked.isNull());
    }
};

QTEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
