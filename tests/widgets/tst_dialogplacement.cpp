// Where dialogs open: centred over a page, shifted as each dialog asks.
#include "common/DialogPlacement.h"

#include <QDialog>
#include <QWidget>
#include <QtTest>

class TstDialogPlacement : public QObject
{
    Q_OBJECT

private slots:
    void overAPage_data();
    void overAPage();
};

void TstDialogPlacement::overAPage_data()
{
    QTest::addColumn<QPoint>("shift");
    QTest::newRow("centred") << QPoint(0, 0);
    QTest::newRow("20 up") << QPoint(0, -20);
    QTest::newRow("left and up") << QPoint(-409, -202);
}

void TstDialogPlacement::overAPage()
{
    QFETCH(QPoint, shift);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(300, 200, 1020, 700);
    QWidget page(&window);
    page.setGeometry(130, 70, 880, 630);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QDialog dialog;
    dialog.resize(300, 140);
    DialogPlacement::centreOver(&dialog, &page, shift.x(), shift.y());
    const QPoint pageCorner = page.mapToGlobal(QPoint(0, 0));
    QCOMPARE(pageCorner, QPoint(430, 270));
    QCOMPARE(dialog.pos(), pageCorner + QPoint((880 - 300) / 2, (630 - 140) / 2) + shift);
}

QTEST_MAIN(TstDialogPlacement)
#include "tst_dialogplacement.moc"
