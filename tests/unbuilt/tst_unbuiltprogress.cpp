// The staged progress bar, the upgrade progress dialog, the new-firmware
// notice and the pie chart: values followed, results shown, buttons leading
// where they should, and the chart painted and dragged.
#include "UnbuiltTestSupport.h"

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "device/FirmwareHooks.h"
#include "unbuilt/FindNewVer.h"
#include "unbuilt/MyProgressBar.h"
#include "unbuilt/PieChartWidget.h"
#include "unbuilt/Progress.h"

#include "ui_FindNewVer.h"
#include "ui_Progress.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

void sendMouse(QWidget *w, QEvent::Type type, QPointF pos)
{
    QMouseEvent event(type, pos, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void progress(Progress &dialog, int percent, int code)
{
    QVERIFY(
        QMetaObject::invokeMethod(&dialog, "SlotProgress", Q_ARG(int, percent), Q_ARG(int, code)));
}

bool bluish(QRgb pixel)
{
    return qBlue(pixel) > 150 && qBlue(pixel) > qRed(pixel) + 80;
}

} // namespace

class TstUnbuiltProgress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        LabelCatalogue::load();
    }
    void cleanup() { FirmwareHooks::SettingsUpgradeRunning = nullptr; }

    void barCreepsAndCatchesUp();
    void barIdleWithoutStages();
    void barWithMoreStagesThanPercent();
    void dialogFollowsProgress_data();
    void dialogFollowsProgress();
    void dialogLeavesByResult_data();
    void dialogLeavesByResult();
    void dialogStaysWhileUpgradeRuns();
    void dialogFollowsLanguage();
    void noticeClosesAndStoresNothing();
    void pieChartPaints();
    void pieChartRimDrag();
};

void TstUnbuiltProgress::barCreepsAndCatchesUp()
{
    MyProgressBar bar;
    bar.StartStages(3, 1);
    QCOMPARE(bar.Stages, (QList<int>{0, 33, 66, 100}));
    // The crawl waits one short of the next boundary.
    QTRY_COMPARE(bar.value(), 32);
    QTest::qWait(30);
    QCOMPARE(bar.value(), 32);
    QCOMPARE(bar.format(), QString("32.0%"));

    bar.mUpdate();
    QTRY_COMPARE(bar.value(), 65);
    bar.mUpdate();
    bar.mUpdate();
    QVERIFY(!bar.CrawlTimer->isActive());
    QTRY_COMPARE(bar.value(), 100);
    QCOMPARE(bar.format(), QString("100.0%"));
    bar.mUpdate();
    QCOMPARE(bar.StageIndex, 3);

    // A new run starts over.
    bar.StartStages(1, 1000);
    QCOMPARE(bar.value(), 0);
    QCOMPARE(bar.Stages, (QList<int>{0, 100}));
}

void TstUnbuiltProgress::barIdleWithoutStages()
{
    MyProgressBar bar;
    QCOMPARE(bar.format(), QString("0.0%"));
    bar.mUpdate();
    QCOMPARE(bar.StageIndex, 0);
    QVERIFY(!bar.CatchUpTimer->isActive());
    bar.SetProgressValue(42);
    QCOMPARE(bar.format(), QString("42.0%"));
    // A range narrowed to one value must not divide by zero.
    bar.setRange(5, 5);
    bar.SetProgressValue(5);
    QCOMPARE(bar.format(), QString("0.0%"));
}

void TstUnbuiltProgress::barWithMoreStagesThanPercent()
{
    MyProgressBar bar;
    bar.StartStages(200, 1);
    QCOMPARE(bar.Stages.size(), 201);
    for (int i = 0; i < 199; ++i)
        bar.mUpdate();
    QTest::qWait(20);
    QCOMPARE(bar.StageIndex, 199);
    QTRY_COMPARE(bar.value(), 99);
    bar.mUpdate();
    QVERIFY(!bar.CrawlTimer->isActive());
    QTRY_COMPARE(bar.value(), 100);
}

void TstUnbuiltProgress::dialogFollowsProgress_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("bar");
    QTest::addColumn<bool>("okShown");
    QTest::newRow("progress") << 57 << 0 << "Upgrading, please wait: 57%" << 57 << false;
    QTest::newRow("failure") << 30 << 1
                             << "Upgrade failed. Please reconnect the device and try again" << 30
                             << true;
    QTest::newRow("success") << 40 << 2 << "Upgrade succeeded" << 100 << true;
    QTest::newRow("hide OK") << 45 << 3 << "Upgrading, please wait: 20%" << 45 << false;
    QTest::newRow("back to 0") << 45 << 4 << "Upgrading, please wait: 0%" << 0 << false;
    QTest::newRow("other code: bar only")
        << 70 << 9 << "Upgrading, please wait: 20%" << 70 << false;
}

void TstUnbuiltProgress::dialogFollowsProgress()
{
    QFETCH(int, percent);
    QFETCH(int, code);
    QFETCH(QString, label);
    QFETCH(int, bar);
    QFETCH(bool, okShown);
    Progress dialog;
    dialog.show();
    QCOMPARE(dialog.ui->label->text(), QString("Upgrading, please wait: 1%"));
    QVERIFY(dialog.ui->NewHong->isHidden());
    progress(dialog, 20, 0);
    if (code == 3 || code == 4)
        progress(dialog, 100, 2); // OK shown before it is hidden again
    progress(dialog, percent, code);
    if (code != 3)
        QCOMPARE(dialog.ui->label->text(), label);
    QCOMPARE(dialog.ui->progressBar_2->value(), bar);
    QCOMPARE(!dialog.ui->NewHong->isHidden(), okShown);
    if (okShown)
        QCOMPARE(dialog.ui->NewHong->shortcut(), QKeySequence(Qt::Key_Return));
}

void TstUnbuiltProgress::dialogLeavesByResult_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("emptyTexts");
    QTest::addColumn<bool>("toChooser");
    QTest::newRow("failure, OK") << 1 << "NewHong" << false << true;
    QTest::newRow("failure, close") << 1 << "CloseButton" << false << true;
    QTest::newRow("success, OK") << 2 << "NewHong" << false << false;
    QTest::newRow("success, close") << 2 << "CloseButton" << false << false;
    // Without language texts success and failure read alike on screen; the
    // dialog still knows which one it shows.
    QTest::newRow("success, texts missing") << 2 << "NewHong" << true << false;
    QTest::newRow("failure, texts missing") << 1 << "NewHong" << true << true;
}

void TstUnbuiltProgress::dialogLeavesByResult()
{
    QFETCH(int, code);
    QFETCH(QString, button);
    QFETCH(bool, emptyTexts);
    QFETCH(bool, toChooser);
    Progress dialog;
    if (emptyTexts)
        dialog.UpgradeFailText = dialog.UpgradeSuccessText = QString();
    dialog.show();
    progress(dialog, 60, code);
    QSignalSpy pages(PostMsg::GetInstance(), &PostMsg::SigChangeMainDialog);
    QSignalSpy next(PostMsg::GetInstance(), &PostMsg::SigContinue);
    QVERIFY(DialogSeam::press(dialog, button));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(pages.count(), toChooser ? 1 : 0);
    QCOMPARE(next.count(), toChooser ? 0 : 1);
    if (toChooser) {
        QCOMPARE(pages.first().first().toInt(), 0);
    } else {
        QCOMPARE(next.first().first().toInt(), 0);
        QCOMPARE(dialog.ui->label->text(), dialog.ProgressText(0));
        QCOMPARE(dialog.ui->progressBar_2->value(), 0);
    }
}

void TstUnbuiltProgress::dialogStaysWhileUpgradeRuns()
{
    Progress dialog;
    dialog.show();
    progress(dialog, 35, 0);
    FirmwareHooks::SettingsUpgradeRunning = [] { return true; };
    QSignalSpy next(PostMsg::GetInstance(), &PostMsg::SigContinue);
    QVERIFY(DialogSeam::press(dialog, "CloseButton"));
    emit PostMsg::GetInstance()->SigCloseProgress();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.ui->progressBar_2->value(), 35);
    QCOMPARE(next.count(), 0);

    FirmwareHooks::SettingsUpgradeRunning = [] { return false; };
    emit PostMsg::GetInstance()->SigCloseProgress();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.ui->progressBar_2->value(), 0);
    QCOMPARE(next.count(), 0);
}

void TstUnbuiltProgress::dialogFollowsLanguage()
{
    Progress dialog;
    FindNewVer notice;
    const QString ok = SettingsLabels[0]["OK"];
    const QString tips = UpdateLabels[0]["UpgradeTips"];
    SettingsLabels[0]["OK"] = "Fine";
    UpdateLabels[0]["UpgradeTips"] = "Newer firmware";
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    SettingsLabels[0]["OK"] = ok;
    UpdateLabels[0]["UpgradeTips"] = tips;
    QCOMPARE(dialog.ui->NewHong->text(), QString("Fine"));
    QCOMPARE(notice.ui->label->text(), QString("Newer firmware"));
}

void TstUnbuiltProgress::noticeClosesAndStoresNothing()
{
    for (const char *button : {"NewHong", "CloseButton"}) {
        FindNewVer notice;
        notice.ui->NoApear->setChecked(true);
        DialogSeam::ScopedAnswer answer(QString::fromLatin1(button));
        notice.exec();
        QCOMPARE(answer.dialogs().size(), 1);
        QVERIFY(!notice.isVisible());
    }
    QVERIFY(MacroIniStore::GetInstance()->GetValue("FindNew", "IsShow").isEmpty());
}

void TstUnbuiltProgress::pieChartPaints()
{
    PieChartWidget chart;
    QCOMPARE(chart.minimumSize(), QSize(300, 300));
    chart.resize(300, 300);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QCOMPARE(chart.Center, QPointF(149, 149));
    QCOMPARE(chart.Radius, 75.0);
    const QImage image = chart.grab().toImage();
    const QRgb background = image.pixel(5, 5);
    // Inside the slice (60 degrees up from 3 o'clock), outside it (below the
    // centre), the red centre dot, and outside the circle.
    QVERIFY(bluish(image.pixel(149 + 20, 149 - 35)));
    QVERIFY(bluish(image.pixel(149 + 60, 149 - 5)));
    QCOMPARE(image.pixel(149 - 20, 149 + 35), background);
    QCOMPARE(image.pixel(150, 151), qRgb(255, 0, 0)); // clear of the dashed radii
    QCOMPARE(image.pixel(149 + 100, 149 - 100), background);
}

void TstUnbuiltProgress::pieChartRimDrag()
{
    PieChartWidget chart;
    chart.resize(300, 300);
    chart.show();
    sendMouse(&chart, QEvent::MouseButtonPress, {149 + 75 + 5, 149});
    QVERIFY(!chart.Dragging);
    sendMouse(&chart, QEvent::MouseButtonPress, {149 + 75 + 4, 149});
    QVERIFY(chart.Dragging);
    QCOMPARE(chart.cursor().shape(), Qt::SizeAllCursor);
    sendMouse(&chart, QEvent::MouseMove, {149 + 100, 149});
    QCOMPARE(chart.Radius, 100.0);
    sendMouse(&chart, QEvent::MouseMove, {2000, 149});
    QCOMPARE(chart.Radius, 145.0);
    sendMouse(&chart, QEvent::MouseMove, {150, 150});
    QCOMPARE(chart.Radius, 20.0);
    sendMouse(&chart, QEvent::MouseButtonRelease, {150, 150});
    QVERIFY(!chart.Dragging);
    QCOMPARE(chart.cursor().shape(), Qt::ArrowCursor);
    sendMouse(&chart, QEvent::MouseMove, {149 + 120, 149});
    QCOMPARE(chart.Radius, 20.0);
    chart.resize(400, 320);
    QCOMPARE(chart.Radius, 80.0);
}

QTEST_MAIN(TstUnbuiltProgress)
#include "tst_unbuiltprogress.moc"
