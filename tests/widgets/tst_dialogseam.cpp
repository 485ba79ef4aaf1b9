#include "common/DialogSeam.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class tst_DialogSeam : public QObject
{
    Q_OBJECT

private slots:
    void answersAnyDialog_data();
    void answersAnyDialog();
    void handlerThatLeavesDialogOpen();
    void nestedDialogs();
    void fileChooser_data();
    void fileChooser();
    void scopesRestorePreviousHandlers();
};

void tst_DialogSeam::answersAnyDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("accepting button") << "Accept" << int(QDialog::Accepted);
    QTest::newRow("rejecting button") << "Reject" << int(QDialog::Rejected);
    QTest::newRow("Esc") << "Escape" << int(QDialog::Rejected);
    QTest::newRow("no such button") << "Missing" << int(QDialog::Rejected);
}

void tst_DialogSeam::answersAnyDialog()
{
    QFETCH(QString, button);
    QFETCH(int, result);

    // Dialogs of other classes (pairing, wait dialog...) run through it too.
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("Asking"));
    auto *label = new QLabel(QStringLiteral("Really?"), &dialog);
    label->setObjectName(QStringLiteral("label"));
    auto *accept = new QPushButton(&dialog);
    accept->setObjectName(QStringLiteral("Accept"));
    connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto *reject = new QPushButton(&dialog);
    reject->setObjectName(QStringLiteral("Reject"));
    connect(reject, &QPushButton::clicked, &dialog, &QDialog::reject);

    DialogSeam::ScopedAnswer answer(button);
    QCOMPARE(DialogSeam::exec(dialog), result);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QStringLiteral("QDialog"));
    QCOMPARE(answer.dialogs().first().objectName, QStringLiteral("Asking"));
    QCOMPARE(answer.dialogs().first().labelText, QStringLiteral("Really?"));
}

void tst_DialogSeam::handlerThatLeavesDialogOpen()
{
    QDialog dialog;
    dialog.setResult(QDialog::Accepted); // a stale result of an earlier run
    const auto previous = DialogSeam::setExecHandler([](QDialog &shown) {
        QVERIFY(shown.isVisible());
        QVERIFY(!shown.isModal());
    });
    QCOMPARE(DialogSeam::exec(dialog), 0);
    DialogSeam::setExecHandler(previous);
    QVERIFY(!dialog.isVisible());
}

void tst_DialogSeam::nestedDialogs()
{
    // A button of the first dialog opens a second one, as the chooser's
    // re-pair question opens the pairing dialog.
    QDialog outer;
    outer.setObjectName(QStringLiteral("Outer"));
    auto *open = new QPushButton(&outer);
    open->setObjectName(QStringLiteral("Open"));
    QDialog inner;
    inner.setObjectName(QStringLiteral("Inner"));
    connect(open, &QPushButton::clicked, &outer, [&] {
        DialogSeam::exec(inner);
        outer.accept();
    });

    DialogSeam::ScopedAnswer answer(QStringLiteral("Open"));
    QCOMPARE(DialogSeam::exec(outer), int(QDialog::Accepted));
    QCOMPARE(answer.dialogs().size(), 2);
    QCOMPARE(answer.dialogs().at(1).objectName, QStringLiteral("Inner"));
    QVERIFY(!inner.isVisible());
}

void tst_DialogSeam::fileChooser_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("path");
    QTest::newRow("open a file") << false << "/tmp/profile.bin";
    QTest::newRow("save a file") << true << "/tmp/out.bin";
    QTest::newRow("cancelled") << false << "";
}

void tst_DialogSeam::fileChooser()
{
    QFETCH(bool, save);
    QFETCH(QString, path);

    QWidget page;
    DialogSeam::ScopedAnswer answer(QString(), path);
    const QString chosen =
        save ? DialogSeam::getSaveFileName(&page, QStringLiteral("FileSave"), QStringLiteral("G:"),
                                           QStringLiteral("File(*.bin)"))
             : DialogSeam::getOpenFileName(&page, QStringLiteral("SelectFile"),
                                           QStringLiteral("G:"), QStringLiteral("File(*.bin)"));
    QCOMPARE(chosen, path);
    QCOMPARE(answer.fileRequests().size(), 1);
    const DialogSeam::FileRequest &request = answer.fileRequests().first();
    QCOMPARE(request.kind,
             save ? DialogSeam::FileDialogKind::Save : DialogSeam::FileDialogKind::Open);
    QCOMPARE(request.parent, &page);
    QCOMPARE(request.caption, save ? QStringLiteral("FileSave") : QStringLiteral("SelectFile"));
    QCOMPARE(request.directory, QStringLiteral("G:"));
    QCOMPARE(request.filter, QStringLiteral("File(*.bin)"));
}

void tst_DialogSeam::scopesRestorePreviousHandlers()
{
    DialogSeam::ScopedAnswer outer(QStringLiteral("Escape"), QStringLiteral("/outer.bin"));
    {
        DialogSeam::ScopedAnswer inner(QStringLiteral("Escape"), QStringLiteral("/inner.bin"));
        QCOMPARE(DialogSeam::getOpenFileName(nullptr, {}, {}, {}), QStringLiteral("/inner.bin"));
        QDialog dialog;
        DialogSeam::exec(dialog);
        QCOMPARE(inner.dialogs().size(), 1);
    }
    QCOMPARE(DialogSeam::getOpenFileName(nullptr, {}, {}, {}), QStringLiteral("/outer.bin"));
    QDialog dialog;
    DialogSeam::exec(dialog);
    QCOMPARE(outer.dialogs().size(), 1);
    QCOMPARE(outer.fileRequests().size(), 1);
}

QTEST_MAIN(tst_DialogSeam)
#include "tst_dialogseam.moc"
