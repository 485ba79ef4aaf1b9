#include "NoticeFactory.h"

#include "common/ExeIsRun.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/NoticeChoice.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

// The notices against the install tree laid beside the program: the shipped
// language file, the pictures and the theme colours.
class tst_NoticeData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shippedTextsAndPictures_data();
    void shippedTextsAndPictures();
    void alreadyRunningNotice();
    void noticeTextsFromFile_data();
    void noticeTextsFromFile();
    void languageFiles_data();
    void languageFiles();
    void uninstalledLanguageReadsEnglish();

private:
    QString m_data = QStringLiteral(ORVAK_TEST_DATA "/widgets/");
};

void tst_NoticeData::initTestCase()
{
    LabelCatalogue::clear();
    LabelCatalogue::load();
    QVERIFY(QDir().mkpath(QFileInfo(MacroIniStore::GetInstance()->filePath()).path()));
}

void tst_NoticeData::shippedTextsAndPictures_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("choice");
    for (const QString &name : noticeClassNames()) {
        if (name == QLatin1String("MouseOffLine")) {
            QTest::newRow("MouseOffLine offline") << name << 0;
            QTest::newRow("MouseOffLine time-out") << name << 1;
            QTest::newRow("MouseOffLine refused") << name << 2;
            QTest::newRow("MouseOffLine still reading") << name << 3;
        } else if (name == QLatin1String("InportFail")) {
            QTest::newRow("InportFail no profile") << name << 1;
            QTest::newRow("InportFail mismatch") << name << 2;
        } else {
            QTest::newRow(qPrintable(name)) << name << 0;
        }
    }
}

void tst_NoticeData::shippedTextsAndPictures()
{
    QFETCH(QString, className);
    QFETCH(int, choice);
    OfflineNoticeKind = choice;
    ImportResult = choice;

    std::unique_ptr<NoticeDialog> notice = makeNotice(className);
    QVERIFY(notice);

    // Every text comes from the shipped language file (the warning's message
    // is its caller's), not from the form.
    const QString text = notice->findChild<QLabel *>(QStringLiteral("label"))->text();
    QVERIFY2(!text.trimmed().isEmpty(), qPrintable(className));
    if (className != QLatin1String("UpDateWarning"))
        QVERIFY2(text != QLatin1String("Confirm Delete") || className == "DeleteConfirm",
                 qPrintable(text));
    for (const QToolButton *button : notice->findChildren<QToolButton *>()) {
        if (button->objectName() != QLatin1String("CloseButton")) {
            QVERIFY2(!button->text().isEmpty(), qPrintable(button->objectName()));
            QVERIFY2(!button->text().contains(QRegularExpression(QStringLiteral("[^\\x00-\\x7f]"))),
                     qPrintable(button->text()));
        }
    }

    // Every picture named in a style sheet is there.
    const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
    QStringList sheets;
    for (const QWidget *widget : notice->findChildren<QWidget *>())
        sheets << widget->styleSheet();
    int pictures = 0;
    for (const QString &sheet : sheets) {
        auto it = url.globalMatch(sheet);
        while (it.hasNext()) {
            const QString path = it.next().captured(1);
            QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + " is missing"));
            ++pictures;
        }
    }
    QVERIFY(pictures >= 4);
}

void tst_NoticeData::alreadyRunningNotice()
{
    // No language stored: the notice reads Language/en.json by itself.
    ExeIsRun notice;
    const QString text = notice.findChild<QLabel *>(QStringLiteral("label"))->text();
    QCOMPARE(text, HomeLabels[0]["OnRun"]);
    QVERIFY(!text.isEmpty());
    QCOMPARE(notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text(),
             CommonLabels[0]["OK"]);
    notice.ShowSelectMacroFirst();
    QCOMPARE(notice.findChild<QLabel *>(QStringLiteral("label"))->text(),
             MacroLabels[0]["DialogSelectMacroFirst"]);
    notice.ShowStopRecordFirst();
    QCOMPARE(notice.findChild<QLabel *>(QStringLiteral("label"))->text(),
             MacroLabels[0]["DialogStopRecordFirst"]);
}

void tst_NoticeData::noticeTextsFromFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("selectFirst");
    QTest::addColumn<QString>("stopFirst");

    // The notice starts from the installed English texts (the stored language
    // is not installed). Keyboard texts are never taken; a later mouse text
    // replaces an earlier one; empty strings and strings inside arrays are not
    // texts; a broken or missing file changes nothing.
    const QString running = QStringLiteral("ORVAK is already running");
    const QString selectFirst = QStringLiteral("Please select a macro first");
    const QString stopFirst = QStringLiteral("Please stop recording first");
    QTest::newRow("mouse part") << "notice_texts.json"
                                << "ORVAK runs already"
                                << "Fine"
                                << "Pick a macro first" << stopFirst;
    QTest::newRow("keyboard only")
        << "keyboard_only.json" << running << "OK" << selectFirst << stopFirst;
    QTest::newRow("malformed") << "malformed.json" << running << "OK" << selectFirst << stopFirst;
    QTest::newRow("missing") << "no_such_file.json" << running << "OK" << selectFirst << stopFirst;
}

void tst_NoticeData::noticeTextsFromFile()
{
    QFETCH(QString, file);
    QFETCH(QString, label);
    QFETCH(QString, ok);
    QFETCH(QString, selectFirst);
    QFETCH(QString, stopFirst);

    QVERIFY(MacroIniStore::GetInstance()->SetValue("Language", "Language", "9"));
    ExeIsRun notice;
    notice.LoadNoticeTexts(m_data + file);
    QLabel *text = notice.findChild<QLabel *>(QStringLiteral("label"));
    QCOMPARE(text->text(), label);
    QCOMPARE(notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text(), ok);
    notice.ShowSelectMacroFirst();
    QCOMPARE(text->text(), selectFirst);
    notice.ShowStopRecordFirst();
    QCOMPARE(text->text(), stopFirst);
    MacroIniStore::GetInstance()->SetValue("Language", "Language", "");
}

void tst_NoticeData::languageFiles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << 0 << "/Language/en.json";
    QTest::newRow("1") << 1 << "/Language/zh-CN.json";
    QTest::newRow("2") << 2 << "/Language/ru.xml";
    QTest::newRow("3") << 3 << "/Language/3-Korea.xml";
    QTest::newRow("4") << 4 << "/Language/4-Russia.xml";
    QTest::newRow("5") << 5 << "/Language/5-Japanese.xml";
    QTest::newRow("6") << 6 << "/Language/0-English.xml";
    QTest::newRow("-1") << -1 << "/Language/0-English.xml";
}

void tst_NoticeData::languageFiles()
{
    QFETCH(int, index);
    QFETCH(QString, file);
    QCOMPARE(ExeIsRun::languageFileName(index), file);
}

void tst_NoticeData::uninstalledLanguageReadsEnglish()
{
    // "1" asks for zh-CN.json and "3" for 3-Korea.xml, neither of them installed:
    // the notice falls back to en.json rather than show its form text
    // "Confirm Delete".
    for (const char *stored : {"1", "3"}) {
        QVERIFY(MacroIniStore::GetInstance()->SetValue("Language", "Language", stored));
        ExeIsRun notice;
        QCOMPARE(notice.findChild<QLabel *>(QStringLiteral("label"))->text(),
                 QStringLiteral("ORVAK is already running"));
        QCOMPARE(notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text(),
                 QStringLiteral("OK"));
    }
    MacroIniStore::GetInstance()->SetValue("Language", "Language", "");
}

QTEST_MAIN(tst_NoticeData)
#include "tst_noticedata.moc"
