// The summary panel shows exactly what the hub's value signals carry.
#include "app/PreVier.h"
#include "common/LabelCatalogue.h"
#include "hub/PostMsg.h"

#include <QLabel>
#include <QtTest>

class TstSummaryPanel : public QObject
{
    Q_OBJECT

private:
    QLabel *label(PreVier &panel, const char *name)
    {
        auto *l = panel.findChild<QLabel *>(name);
        if (!l)
            qFatal("no label %s", name);
        return l;
    }

private slots:
    void init() { LabelCatalogue::clear(); }

    void formTextsBeforeAnyValue()
    {
        PreVier panel;
        QCOMPARE(label(panel, "DpiValue")->text(), QString("1600"));
        QCOMPARE(label(panel, "MouseValue")->text(), QString("v2.21"));
        QCOMPARE(label(panel, "DongleValue")->text(), QString("v1.0"));
        QVERIFY(label(panel, "MouseUp")->isHidden());
        QVERIFY(label(panel, "DongleUp")->isHidden());
        QCOMPARE(label(panel, "DpiName")->text(), QString("DPI"));
        QCOMPARE(label(panel, "LodName")->text(), QString("LOD"));
    }

    void valueSignals_data()
    {
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QVariant>("a");
        QTest::addColumn<QVariant>("b");
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dpi") << "SigAddSensor" << QVariant(1600) << QVariant() << "DpiValue"
                             << "1600";
        QTest::newRow("dpi odd") << "SigAddSensor" << QVariant(-5) << QVariant() << "DpiValue"
                                 << "-5";
        QTest::newRow("rate") << "SigAddReport" << QVariant(1000) << QVariant() << "ReportValue"
                              << "1000Hz";
        QTest::newRow("lod") << "SigAddLOD" << QVariant("2mm") << QVariant() << "LodValue"
                             << "2mm";
        QTest::newRow("debounce") << "SigDebunce" << QVariant("8ms") << QVariant() << "DebunceValue"
                                  << "8ms";
        QTest::newRow("profile") << "SigAddConfig" << QVariant("Profile 2") << QVariant()
                                 << "ConfigValue"
                                 << "Profile 2";
        QTest::newRow("mouse ver")
            << "SigAddVer" << QVariant(0) << QVariant("v1.05") << "MouseValue"
            << "v1.05";
        QTest::newRow("receiver ver")
            << "SigAddVer" << QVariant(1) << QVariant("v2.0A") << "DongleValue"
            << "v2.0A";
        QTest::newRow("empty ver") << "SigAddVer" << QVariant(1) << QVariant("") << "DongleValue"
                                   << "";
        QTest::newRow("other ver type")
            << "SigAddVer" << QVariant(2) << QVariant("v9.99") << "MouseValue"
            << "v2.21";
    }

    void valueSignals()
    {
        QFETCH(QString, signal);
        QFETCH(QVariant, a);
        QFETCH(QVariant, b);
        QFETCH(QString, object);
        QFETCH(QString, expected);
        PreVier panel;
        PostMsg *hub = PostMsg::GetInstance();
        if (signal == "SigAddSensor")
            emit hub->SigAddSensor(a.toInt());
        else if (signal == "SigAddReport")
            emit hub->SigAddReport(a.toInt());
        else if (signal == "SigAddLOD")
            emit hub->SigAddLOD(a.toString());
        else if (signal == "SigDebunce")
            emit hub->SigDebunce(a.toString());
        else if (signal == "SigAddConfig")
            emit hub->SigAddConfig(a.toString());
        else if (signal == "SigAddVer")
            emit hub->SigAddVer(a.toInt(), b.toString());
        QCOMPARE(label(panel, object.toLatin1())->text(), expected);
        // Only the row of the signal changes.
        if (object != "DongleValue")
            QCOMPARE(label(panel, "DongleValue")->text(), QString("v1.0"));
    }

    void updateMarkers()
    {
        PreVier panel;
        panel.show();
        PostMsg *hub = PostMsg::GetInstance();
        emit hub->SigAddUpdate(1, true);
        QVERIFY(label(panel, "DongleUp")->isVisible());
        QVERIFY(!label(panel, "MouseUp")->isVisible());
        emit hub->SigAddUpdate(2, true);
        QVERIFY(!label(panel, "MouseUp")->isVisible());
        emit hub->SigAddUpdate(0, true);
        QVERIFY(label(panel, "MouseUp")->isVisible());
        emit hub->SigAddUpdate(1, false);
        QVERIFY(!label(panel, "DongleUp")->isVisible());
        QVERIFY(label(panel, "MouseUp")->isVisible());
    }

    void mousePicture()
    {
        PreVier panel;
        auto *picture = panel.findChild<QWidget *>("widget");
        QVERIFY(picture->styleSheet().isEmpty());
        emit PostMsg::GetInstance()->SigMouseIndex(3);
        QVERIFY(picture->styleSheet().contains(QCoreApplication::applicationDirPath() +
                                               "/Picture/Buttoninterface/mouse3.png"));
    }

    void captionsFollowLanguage()
    {
        SensorLabels[0]["ReportRate"] = "Polling rate";
        KeyLabels[0]["DebounceTime"] = "Debounce";
        SettingsLabels[0]["MouseVersion"] = "Mouse firmware";
        SettingsLabels[0]["DongleVersion"] = "Receiver firmware";
        PreVier panel;
        QCOMPARE(label(panel, "ReportName")->text(), QString("Polling rate"));
        // No "configName" in the table: an empty caption, not the designer text.
        QCOMPARE(label(panel, "ConfigName")->text(), QString());

        KeyLabels[0]["configName"] = "Profile";
        SensorLabels[0]["ReportRate"] = "Report rate";
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        QCOMPARE(label(panel, "ConfigName")->text(), QString("Profile"));
        QCOMPARE(label(panel, "ReportName")->text(), QString("Report rate"));
        QCOMPARE(label(panel, "MotionName")->text(), QString("Debounce"));
        QCOMPARE(label(panel, "MouseVer")->text(), QString("Mouse firmware"));
        QCOMPARE(label(panel, "DongleVer")->text(), QString("Receiver firmware"));
        // An index without a loaded language reads language 0.
        KeyLabels[0]["configName"] = "Profile name";
        emit PostMsg::GetInstance()->SigAllLanguage(7);
        QCOMPARE(label(panel, "ConfigName")->text(), QString("Profile name"));
        QCOMPARE(label(panel, "DpiName")->text(), QString("DPI"));
    }
};

QTEST_MAIN(TstSummaryPanel)
#include "tst_summarypanel.moc"
