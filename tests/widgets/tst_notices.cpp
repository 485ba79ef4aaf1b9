#include "NoticeFactory.h"

#include "common/ConfigIniStore.h"
#include "common/ContainReset.h"
#include "common/DeleteConfirm.h"
#include "common/DialogSeam.h"
#include "common/InportFail.h"
#include "common/LabelCatalogue.h"
#include "common/MouseOffLine.h"
#include "common/NoticeChoice.h"
#include "common/RePair.h"
#include "common/UpDateWarning.h"
#include "hub/PostMsg.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

namespace {

// Every catalogue text a notice shows, set to "<section>.<key>" so a test
// sees which key landed where.
void fillCatalogue()
{
    LabelCatalogue::clear();
    const QList<QPair<LabelTable<LabelMap> *, QString>> tables = {
        {&HomeLabels, "home"},   {&InfoTipsLabels, "infoTips"}, {&KeyLabels, "key"},
        {&MacroLabels, "macro"}, {&SettingsLabels, "Settings"}, {&CommonLabels, "common"}};
    const QStringList keys = {"ErrorDevice",
                              "MakeMaro",
                              "MaxThree",
                              "Repair",
                              "DialogOffline",
                              "TimeOut",
                              "DialogRefused",
                              "DialogStillReading",
                              "DialogKeepLeftKey",
                              "DialogConfigError",
                              "DialogEConfigMismatch",
                              "DialogDebounceTips",
                              "DialogSameMacroName",
                              "DialogMaxMacroKey",
                              "DialogDeleteMacro",
                              "DialogRestore",
                              "OK",
                              "Cancel"};
    for (const auto &table : tables) {
        for (const QString &key : keys)
            (*table.first)[0][key] = table.second + QLatin1Char('.') + key;
    }
}

// OkChosen of the three confirmations; -1 for the other notices.
int okChosen(QDialog *dialog)
{
    if (auto *reset = qobject_cast<ContainReset *>(dialog))
        return reset->OkChosen;
    if (auto *pair = qobject_cast<RePair *>(dialog))
        return pair->OkChosen;
    if (auto *remove = qobject_cast<DeleteConfirm *>(dialog))
        return remove->OkChosen;
    return -1;
}

QString labelText(QDialog *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("label"))->text();
}

} // namespace

class tst_Notices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTextsAndPictures_data();
    void showsTextsAndPictures();
    void confirmations_data();
    void confirmations();
    void escapeClosesEveryNotice_data();
    void escapeClosesEveryNotice();
    void returnKey_data();
    void returnKey();
    void offlineNoticeKind_data();
    void offlineNoticeKind();
    void offlineNoticeClosesWhenMouseIsBack_data();
    void offlineNoticeClosesWhenMouseIsBack();
    void importResult_data();
    void importResult();
    void languageChangeWhileOpen();
    void callerTexts();
    void fontsScaleOnce_data();
    void fontsScaleOnce();
};

void tst_Notices::initTestCase()
{
    fillCatalogue();
}

void tst_Notices::init()
{
    CurrentLanguage = 0;
    OfflineNoticeKind = 0;
    ImportResult = 1;
}

void tst_Notices::cleanup()
{
    ScreenMetrics::setOverride(0);
    fillCatalogue();
}

void tst_Notices::showsTextsAndPictures_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("buttonTexts");
    QTest::addColumn<QString>("confirmPicture");

    const QStringList ok = {"NewHong"};
    const QStringList okText = {"common.OK"};
    const QStringList okCancel = {"OK", "Cancel"};
    const QStringList okCancelText = {"common.OK", "common.Cancel"};
    QTest::newRow("QuestiondialogB") << "QuestiondialogB"
                                     << "QuestionB"
                                     << "home.ErrorDevice" << QStringList() << QStringList() << "";
    QTest::newRow("MouseOffLine") << "MouseOffLine"
                                  << "MouseOffLineA"
                                  << "infoTips.DialogOffline" << ok << okText << "ConFirm";
    QTest::newRow("LeftButtonOnly")
        << "LeftButtonOnly"
        << "ButtonOnly"
        << "key.DialogKeepLeftKey" << QStringList() << QStringList() << "";
    QTest::newRow("MakeMacro") << "MakeMacro"
                               << "MakeMacroA"
                               << "home.MakeMaro" << ok << okText << "Confirm";
    QTest::newRow("SameMacro") << "SameMacro"
                               << "SameMacroA"
                               << "macro.DialogSameMacroName" << ok << okText << "Confirm";
    QTest::newRow("GroupMaxThree") << "GroupMaxThree"
                                   << "MaxThree"
                                   << "home.MaxThree" << ok << okText << "Confirm";
    QTest::newRow("ContainReset") << "ContainReset"
                                  << "ContainResetA"
                                  << "Settings.DialogRestore" << okCancel << okCancelText
                                  << "Confirm";
    QTest::newRow("KeyNumberLimit") << "KeyNumberLimit"
                                    << "LimitA"
                                    << "macro.DialogMaxMacroKey" << ok << okText << "Confirm";
    QTest::newRow("RePair") << "RePair"
                            << "RePairA"
                            << "home.Repair" << okCancel << okCancelText << "Confirm";
    QTest::newRow("DeleteConfirm") << "DeleteConfirm"
                                   << "DeleteConfirmA"
                                   << "macro.DialogDeleteMacro" << ok << okText << "Confirm";
    QTest::newRow("InportFail") << "InportFail"
                                << "InportFailA"
                                << "key.DialogConfigError" << ok << okText << "Confirm";
    // The warning's message is always the caller's; the form text stands until then.
    QTest::newRow("UpDateWarning") << "UpDateWarning"
                                   << "WarningFrame"
                                   << "Confirm Delete" << ok << okText << "Confirm";
    QTest::newRow("LessThree") << "LessThree"
                               << "LessThreeframe"
                               << "key.DialogDebounceTips" << ok << okText << "Confirm";
}

void tst_Notices::showsTextsAndPictures()
{
    QFETCH(QString, className);
    QFETCH(QString, frame);
    QFETCH(QString, text);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, buttonTexts);
    QFETCH(QString, confirmPicture);

    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    QVERIFY(notice);
    const QString folder = NoticeDialog::pictureFolder();
    QVERIFY(folder.endsWith(QLatin1String("/Picture/WarningDialog/")));

    // Frameless, yet managed by the window manager (keyboard focus).
    const Qt::WindowFlags flags = notice->windowFlags();
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(!flags.testFlag(Qt::X11BypassWindowManagerHint));
    QCOMPARE(notice->windowType(), Qt::Dialog);
    QCOMPARE(notice->size(), QSize(300, 140));

    auto *frameWidget = notice->findChild<QFrame *>(frame);
    QVERIFY(frameWidget);
    QCOMPARE(frameWidget->pos(), QPoint(0, 0));
    QCOMPARE(frameWidget->width(), 300);
    QVERIFY(frameWidget->styleSheet().startsWith(QLatin1Char('#') + frame + QLatin1Char('{')));
    QVERIFY(frameWidget->styleSheet().contains(folder + QLatin1String("BackGround.png")));

    QCOMPARE(labelText(notice.get()), text);
    QLabel *label = notice->findChild<QLabel *>(QStringLiteral("label"));
    const QString colour = ThemeColorText(QStringLiteral("LabelColor"));
    QCOMPARE(label->styleSheet(), QStringLiteral("QLabel{color: rgb(") + colour + ";);}");
    // The ";)" after the numbers is tolerated: the theme colour arrives.
    label->ensurePolished();
    const QStringList rgb = colour.split(QLatin1Char(','));
    QCOMPARE(label->palette().color(QPalette::WindowText),
             QColor(rgb.value(0).toInt(), rgb.value(1).toInt(), rgb.value(2).toInt()));

    const QString closeStyle =
        notice->findChild<QToolButton *>(QStringLiteral("CloseButton"))->styleSheet();
    for (const char *picture : {"Close.png", "CloseHover.png", "CloseClick.png"})
        QVERIFY(closeStyle.contains(folder + QLatin1String(picture)));

    QCOMPARE(notice->findChildren<QToolButton *>().size(), buttons.size() + 1);
    for (int i = 0; i < buttons.size(); ++i) {
        auto *button = notice->findChild<QToolButton *>(buttons.at(i));
        QVERIFY2(button, qPrintable(buttons.at(i)));
        QCOMPARE(button->text(), buttonTexts.at(i));
        QVERIFY(button->styleSheet().contains(folder + confirmPicture + QLatin1String(".png")));
        QVERIFY(
            button->styleSheet().contains(folder + confirmPicture + QLatin1String("Click.png")));
        QVERIFY(button->styleSheet().contains(QStringLiteral("color: rgb(") +
                                              ThemeColorText(QStringLiteral("ButtonColor"))));
    }

    // Shown through the seam: the close button ends it, the result is Rejected.
    DialogSeam::ScopedAnswer answer(QStringLiteral("CloseButton"));
    QCOMPARE(notice->exec(), int(QDialog::Rejected));
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, className);
    QCOMPARE(answer.dialogs().first().labelText, text);
    QVERIFY(!notice->isVisible());
}

void tst_Notices::confirmations_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("chosen");

    QTest::newRow("ContainReset OK") << "ContainReset"
                                     << "OK" << true;
    QTest::newRow("ContainReset Cancel") << "ContainReset"
                                         << "Cancel" << false;
    QTest::newRow("ContainReset close") << "ContainReset"
                                        << "CloseButton" << false;
    QTest::newRow("ContainReset Esc") << "ContainReset"
                                      << "Escape" << false;
    QTest::newRow("RePair OK") << "RePair"
                               << "OK" << true;
    QTest::newRow("RePair Cancel") << "RePair"
                                   << "Cancel" << false;
    QTest::newRow("RePair close") << "RePair"
                                  << "CloseButton" << false;
    QTest::newRow("RePair Esc") << "RePair"
                                << "Escape" << false;
    QTest::newRow("DeleteConfirm OK") << "DeleteConfirm"
                                      << "NewHong" << true;
    QTest::newRow("DeleteConfirm close") << "DeleteConfirm"
                                         << "CloseButton" << false;
    QTest::newRow("DeleteConfirm Esc") << "DeleteConfirm"
                                       << "Escape" << false;
}

void tst_Notices::confirmations()
{
    QFETCH(QString, className);
    QFETCH(QString, button);
    QFETCH(bool, chosen);

    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    QCOMPARE(okChosen(notice.get()), 0);
    DialogSeam::ScopedAnswer answer(button);
    QCOMPARE(notice->exec(), int(QDialog::Rejected));
    QCOMPARE(okChosen(notice.get()), int(chosen));
    QVERIFY(!notice->isVisible());

    // A second run starts from the answer of the first and can change it.
    answer.setButton(chosen ? QStringLiteral("CloseButton") : button);
    notice->exec();
    QCOMPARE(okChosen(notice.get()), 0);
}

void tst_Notices::escapeClosesEveryNotice_data()
{
    QTest::addColumn<QString>("className");
    for (const QString &name : noticeClassNames())
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Notices::escapeClosesEveryNotice()
{
    QFETCH(QString, className);
    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    DialogSeam::ScopedAnswer answer(QStringLiteral("Escape"));
    QCOMPARE(notice->exec(), int(QDialog::Rejected));
    QCOMPARE(answer.dialogs().size(), 1);
    QVERIFY(!notice->isVisible());
    QVERIFY(okChosen(notice.get()) <= 0);
}

void tst_Notices::returnKey_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("closes");
    const QStringList withReturn = {"ContainReset", "UpDateWarning"};
    for (const QString &name : noticeClassNames())
        QTest::newRow(qPrintable(name)) << name << withReturn.contains(name);
}

void tst_Notices::returnKey()
{
    QFETCH(QString, className);
    QFETCH(bool, closes);

    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    bool visibleAfterReturn = false;
    const auto previous = DialogSeam::setExecHandler([&](QDialog &dialog) {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        // A shortcut presses its button at once and clicks it a moment later;
        // without a shortcut no button goes down.
        if (closes) {
            QTRY_VERIFY(!dialog.isVisible());
        } else {
            for (const QToolButton *button : dialog.findChildren<QToolButton *>())
                QVERIFY(!button->isDown());
        }
        visibleAfterReturn = dialog.isVisible();
    });
    notice->exec();
    DialogSeam::setExecHandler(previous);

    QCOMPARE(!visibleAfterReturn, closes);
    if (closes)
        QVERIFY(okChosen(notice.get()) != 0); // ContainReset: Return is OK
}

void tst_Notices::offlineNoticeKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("offline") << 0 << "infoTips.DialogOffline";
    QTest::newRow("time-out") << 1 << "infoTips.TimeOut";
    QTest::newRow("refused") << 2 << "infoTips.DialogRefused";
    QTest::newRow("still reading") << 3 << "infoTips.DialogStillReading";
}

void tst_Notices::offlineNoticeKind()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    OfflineNoticeKind = kind;
    MouseOffLine notice;
    QCOMPARE(labelText(&notice), text);
    QCOMPARE(notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text(),
             QStringLiteral("common.OK"));
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QCOMPARE(labelText(&notice), text);
}

void tst_Notices::offlineNoticeClosesWhenMouseIsBack_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("closes");
    QTest::newRow("offline") << 0 << true;
    QTest::newRow("time-out") << 1 << true;
    // The mouse answering again says nothing about a refused change or a
    // read still under way: the user closes those.
    QTest::newRow("refused") << 2 << false;
    QTest::newRow("still reading") << 3 << false;
}

void tst_Notices::offlineNoticeClosesWhenMouseIsBack()
{
    QFETCH(int, kind);
    QFETCH(bool, closes);
    OfflineNoticeKind = kind;
    MouseOffLine notice;
    OfflineNoticeKind = 0;
    bool closedBySignal = false;
    const auto previous = DialogSeam::setExecHandler([&](QDialog &dialog) {
        QVERIFY(dialog.isVisible());
        emit PostMsg::GetInstance()->SigCloseOffOnline();
        closedBySignal = !dialog.isVisible();
    });
    QCOMPARE(notice.exec(), int(QDialog::Rejected));
    DialogSeam::setExecHandler(previous);
    QCOMPARE(closedBySignal, closes);
}

void tst_Notices::importResult_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::newRow("no profile") << 1 << "key.DialogConfigError";
    QTest::newRow("foreign profile") << 2 << "key.DialogEConfigMismatch";
}

void tst_Notices::importResult()
{
    QFETCH(int, result);
    QFETCH(QString, text);
    ImportResult = result;
    InportFail notice;
    QCOMPARE(labelText(&notice), text);
    QCOMPARE(notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text(),
             QStringLiteral("common.OK"));
}

void tst_Notices::languageChangeWhileOpen()
{
    // An open notice follows SigAllLanguage.
    std::unique_ptr<NoticeDialog> notice = makeNotice(QStringLiteral("SameMacro"));
    const auto previous = DialogSeam::setExecHandler([](QDialog &dialog) {
        MacroLabels[0]["DialogSameMacroName"] = QStringLiteral("renamed text");
        CommonLabels[0]["OK"] = QStringLiteral("Fine");
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        DialogSeam::press(dialog, QStringLiteral("NewHong"));
    });
    notice->exec();
    DialogSeam::setExecHandler(previous);
    QCOMPARE(labelText(notice.get()), QStringLiteral("renamed text"));
    QCOMPARE(notice->findChild<QToolButton *>(QStringLiteral("NewHong"))->text(),
             QStringLiteral("Fine"));

    // A language index that names no loaded language reads language 0.
    emit PostMsg::GetInstance()->SigAllLanguage(5);
    QCOMPARE(labelText(notice.get()), QStringLiteral("renamed text"));
}

void tst_Notices::callerTexts()
{
    // ContainReset's caller text gives way to the catalogue text on a
    // language change; the warning keeps its caller's text.
    ContainReset reset;
    reset.SetText(QStringLiteral("Open the repair?"));
    QCOMPARE(labelText(&reset), QStringLiteral("Open the repair?"));
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QCOMPARE(labelText(&reset), QStringLiteral("Settings.DialogRestore"));

    UpDateWarning warning;
    warning.SetText(QStringLiteral("Wired mode needed"));
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QCOMPARE(labelText(&warning), QStringLiteral("Wired mode needed"));
}

void tst_Notices::fontsScaleOnce_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("labelPoints");
    QTest::addColumn<double>("buttonPoints");

    QTest::newRow("96 dpi") << "ContainReset" << 96.0 << 11.0 << 11.0;
    QTest::newRow("120 dpi") << "ContainReset" << 120.0 << 8.8 << 8.8;
    QTest::newRow("144 dpi") << "MouseOffLine" << 144.0 << 11.0 * 96 / 144 << 11.0 * 96 / 144;
    // Its label has a 9-point font of its own; the button keeps 11 points.
    QTest::newRow("LessThree 120 dpi") << "LessThree" << 120.0 << 7.2 << 8.8;
}

void tst_Notices::fontsScaleOnce()
{
    QFETCH(QString, className);
    QFETCH(double, dpi);
    QFETCH(double, labelPoints);
    QFETCH(double, buttonPoints);

    ScreenMetrics::setOverride(dpi);
    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    const QLabel *label = notice->findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(qAbs(label->font().pointSizeF() - labelPoints) < 0.01);
    for (const QToolButton *button : notice->findChildren<QToolButton *>()) {
        if (button->objectName() != QLatin1String("CloseButton"))
            QVERIFY(qAbs(button->font().pointSizeF() - buttonPoints) < 0.01);
    }
    // Widgets that inherit their font are scaled once, not once per ancestor.
    const double inherited = QApplication::font().pointSizeF() * 96.0 / dpi;
    const QWidget *close = notice->findChild<QToolButton *>(QStringLiteral("CloseButton"));
    QVERIFY2(qAbs(close->font().pointSizeF() - inherited) < 0.01,
             qPrintable(QString::number(close->font().pointSizeF())));
    QCOMPARE(notice->size(), QSize(300, 140));
}

QTEST_MAIN(tst_Notices)
#include "tst_notices.moc"
