// A hidden part of a window is styled when it first shows, not when the
// window first shows; a window of its own below it is styled when it shows.
#include "common/DeferredPolish.h"

#include <QDialog>
#include <QLabel>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QColor Red(200, 0, 0);

// A label whose sheet gives it a red text and a 31 pixel font once styled.
QLabel *styledLabel(QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("text"), parent);
    label->setStyleSheet(QStringLiteral("QLabel{color: rgb(200,0,0); font-size: 31px;}"));
    return label;
}

bool styled(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText) == Red && label->font().pixelSize() == 31;
}

} // namespace

class TestDeferredPolish : public QObject
{
    Q_OBJECT

private slots:
    void hiddenPageStyledWhenCompleted()
    {
        QWidget window;
        auto *stack = new QStackedWidget(&window);
        auto *shown = new QWidget(stack);
        auto *page = new QWidget(stack);
        DeferredPolish::defer(page);
        QLabel *onShown = styledLabel(shown);
        QLabel *onPage = styledLabel(page);
        stack->addWidget(shown);
        stack->addWidget(page);
        QVERIFY(DeferredPolish::deferred(page));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(styled(onShown));
        QVERIFY(!styled(onPage));
        QVERIFY(!onPage->testAttribute(Qt::WA_WState_Polished));

        DeferredPolish::complete(page);
        QVERIFY(!DeferredPolish::deferred(page));
        QVERIFY(styled(onPage));
        // Later widgets are styled as usual.
        QLabel *later = styledLabel(page);
        stack->setCurrentWidget(page);
        QVERIFY(styled(later));
    }

    void windowBelowTheRootStyledWhenItShows()
    {
        QWidget window;
        auto *page = new QWidget(&window);
        page->hide();
        DeferredPolish::defer(page);
        QDialog dialog(page);
        QLabel *onDialog = styledLabel(&dialog);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(styled(onDialog));
        DeferredPolish::complete(page);
    }

    void completingWhatWasNotDeferredChangesNothing()
    {
        QWidget window;
        QLabel *label = styledLabel(&window);
        DeferredPolish::complete(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(styled(label));
    }
};

QTEST_MAIN(TestDeferredPolish)
#include "tst_deferredpolish.moc"
