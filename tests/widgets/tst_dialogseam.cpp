#include "common/DialogSeam.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
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
    void realSaveDialog_data();
    void realSaveDialog();
    void noNameNoSuggestion();
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

namespace {

const DialogSeam::FileType Profiles{QStringLiteral("File(*.bin)"), QStringLiteral("bin")};

QString DocumentsFolder()
{
    return QDir::homePath() + QStringLiteral("/Documents");
}

} // namespace

void tst_DialogSeam::fileChooser_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("open a file") << false << "/tmp/profile.bin"
                                 << "/tmp/profile.bin";
    QTest::newRow("open keeps the name") << false << "/tmp/notes"
                                         << "/tmp/notes";
    QTest::newRow("save a file") << true << "/tmp/out.bin"
                                 << "/tmp/out.bin";
    QTest::newRow("save, extension in capitals") << true << "/tmp/OUT.BIN"
                                                 << "/tmp/OUT.BIN";
    QTest::newRow("save, no extension typed") << true << "/tmp/out"
                                              << "/tmp/out.bin";
    QTest::newRow("save, another extension") << true << "/tmp/out.txt"
                                             << "/tmp/out.txt";
    QTest::newRow("save, a bare name typed") << true << "mine"
                                             << "<start>/mine.bin";
    QTest::newRow("cancelled") << true << ""
                               << "";
}

void tst_DialogSeam::fileChooser()
{
    QFETCH(bool, save);
    QFETCH(QString, answer);
    QFETCH(QString, chosen);
    // A new user's home has no documents folder: the dialog opens at home.
    QVERIFY(!QFileInfo::exists(DocumentsFolder()));
    chosen.replace(QStringLiteral("<start>"), QDir::homePath());

    QWidget page;
    DialogSeam::ScopedAnswer answers(QString(), answer);
    const QString result =
        save ? DialogSeam::getSaveFileName(&page, QStringLiteral("FileSave"),
                                           QStringLiteral("Profile 1"), Profiles)
             : DialogSeam::getOpenFileName(&page, QStringLiteral("SelectFile"), Profiles);
    QCOMPARE(result, chosen);
    QCOMPARE(answers.fileRequests().size(), 1);
    const DialogSeam::FileRequest &request = answers.fileRequests().first();
    QCOMPARE(request.kind,
             save ? DialogSeam::FileDialogKind::Save : DialogSeam::FileDialogKind::Open);
    QCOMPARE(request.parent, &page);
    QCOMPARE(request.caption, save ? QStringLiteral("FileSave") : QStringLiteral("SelectFile"));
    QCOMPARE(request.directory, QDir::homePath());
    QCOMPARE(request.fileName, save ? QStringLiteral("Profile 1.bin") : QString());
    QCOMPARE(request.filter, QStringLiteral("File(*.bin)"));
    QCOMPARE(request.extension, QStringLiteral("bin"));
}

// The real dialog, driven as a user would: where it opens, the name it
// offers, and what it returns for a name typed without extension.
void tst_DialogSeam::realSaveDialog_data()
{
    QTest::addColumn<bool>("documents");
    QTest::newRow("no documents folder") << false;
    QTest::newRow("documents folder") << true;
}

void tst_DialogSeam::realSaveDialog()
{
    QFETCH(bool, documents);
    QDir(DocumentsFolder()).removeRecursively();
    if (documents)
        QVERIFY(QDir().mkpath(DocumentsFolder()));
    const QString start = documents ? DocumentsFolder() : QDir::homePath();

    QString openedIn, offered;
    const auto previous = DialogSeam::setExecHandler([&](QDialog &shown) {
        auto *dialog = qobject_cast<QFileDialog *>(&shown);
        QVERIFY(dialog);
        openedIn = dialog->directory().absolutePath();
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        offered = name->text();
        name->setText(QStringLiteral("typed"));
        shown.accept(); // QFileDialog::accept, as the Save button does
    });
    const QString chosen = DialogSeam::getSaveFileName(nullptr, QStringLiteral("FileSave"),
                                                       QStringLiteral("keep"), Profiles);
    DialogSeam::setExecHandler(previous);
    QDir(DocumentsFolder()).removeRecursively();

    QCOMPARE(openedIn, start);
    QCOMPARE(offered, QStringLiteral("keep.bin"));
    QCOMPARE(chosen, start + QStringLiteral("/typed.bin"));
}

// An empty name suggests nothing rather than ".bin", a hidden file's name.
void tst_DialogSeam::noNameNoSuggestion()
{
    DialogSeam::ScopedAnswer answers(QString(), QStringLiteral("typed"));
    QCOMPARE(DialogSeam::getSaveFileName(nullptr, QStringLiteral("FileSave"), QString(), Profiles),
             QDir::homePath() + QStringLiteral("/typed.bin"));
    QCOMPARE(answers.fileRequests().size(), 1);
    QCOMPARE(answers.fileRequests().first().fileName, QString());
}

void tst_DialogSeam::scopesRestorePreviousHandlers()
{
    DialogSeam::ScopedAnswer outer(QStringLiteral("Escape"), QStringLiteral("/outer.bin"));
    {
        DialogSeam::ScopedAnswer inner(QStringLiteral("Escape"), QStringLiteral("/inner.bin"));
        QCOMPARE(DialogSeam::getOpenFileName(nullptr, {}, {}), QStringLiteral("/inner.bin"));
        QDialog dialog;
        DialogSeam::exec(dialog);
        QCOMPARE(inner.dialogs().size(), 1);
    }
    QCOMPARE(DialogSeam::getOpenFileName(nullptr, {}, {}), QStringLiteral("/outer.bin"));
    QDialog dialog;
    DialogSeam::exec(dialog);
    QCOMPARE(outer.dialogs().size(), 1);
    QCOMPARE(outer.fileRequests().size(), 1);
}

QTEST_MAIN(tst_DialogSeam)
#include "tst_dialogseam.moc"
