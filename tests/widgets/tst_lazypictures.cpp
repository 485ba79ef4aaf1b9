// Picture style sheets of widgets not shown yet wait for the widget's first
// show, so their pictures are not decoded while the window is built.
#include "common/LazyPictures.h"

#include <QFrame>
#include <QtTest>

class TestLazyPictures : public QObject
{
    Q_OBJECT

    const QString sheet = QStringLiteral("#frame{border-image: url(back.png);}");

private slots:
    void init() { LazyPictures::SetDeferring(true); }
    void cleanup() { LazyPictures::SetDeferring(false); }

    void sheetWaitsForTheFirstShow()
    {
        QWidget window;
        auto *frame = new QFrame(&window);
        LazyPictures::SetStyleSheet(frame, sheet);
        QVERIFY(frame->styleSheet().isEmpty());
        QCOMPARE(LazyPictures::StyleSheet(frame), sheet);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(frame->styleSheet(), sheet);
        QCOMPARE(LazyPictures::StyleSheet(frame), sheet);
    }

    void laterSheetReplacesTheWaitingOne()
    {
        QWidget window;
        auto *frame = new QFrame(&window);
        LazyPictures::SetStyleSheet(frame, QStringLiteral("#frame{border-image: url(a.png);}"));
        LazyPictures::SetStyleSheet(frame, sheet);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(frame->styleSheet(), sheet);

        // Once shown, a sheet is set at once and nothing waiting overrides it.
        const QString other = QStringLiteral("#frame{border-image: url(b.png);}");
        LazyPictures::SetStyleSheet(frame, other);
        QCOMPARE(frame->styleSheet(), other);
        frame->hide();
        frame->show();
        QCOMPARE(frame->styleSheet(), other);
    }

    void hiddenPageKeepsWaitingWhileTheWindowShows()
    {
        QWidget window;
        auto *page = new QFrame(&window);
        page->hide();
        LazyPictures::SetStyleSheet(page, sheet);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(page->styleSheet().isEmpty());
        page->show();
        QCOMPARE(page->styleSheet(), sheet);
    }

    void withoutDeferringTheSheetIsSetAtOnce()
    {
        LazyPictures::SetDeferring(false);
        QFrame frame;
        LazyPictures::SetStyleSheet(&frame, sheet);
        QCOMPARE(frame.styleSheet(), sheet);
    }
};

QTEST_MAIN(TestLazyPictures)
#include "tst_lazypictures.moc"
