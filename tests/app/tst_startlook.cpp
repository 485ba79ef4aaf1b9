// The start's shortcuts change when the work is done, never the result:
// pages are built in their stacks and containers instead of being moved there
// once filled, and the device window is styled when it first shows. Every
// widget then looks as it does when the window is built the plain way (pages
// built with their window as parent and moved into their stacks, styled at
// once), at any font scale.
#include "app/DialogMain.h"
#include "common/DeferredPolish.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/PagePlacement.h"
#include "platform/ScreenMetrics.h"
#include "sensor/Advanced.h"

#include <QComboBox>
#include <QProcess>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char LookArgument[] = "--look";

// A widget's place: the object names (or class and index among the
// siblings of that class) from the window down.
QString pathOf(const QWidget *widget)
{
    QStringList parts;
    for (const QObject *o = widget; o; o = o->parent()) {
        QString part = o->objectName();
        if (part.isEmpty()) {
            int index = 0;
            if (o->parent()) {
                for (const QObject *sibling : o->parent()->children()) {
                    if (sibling == o)
                        break;
                    if (qstrcmp(sibling->metaObject()->className(), o->metaObject()->className()) ==
                        0)
                        ++index;
                }
            }
            part = QStringLiteral("%1#%2").arg(o->metaObject()->className()).arg(index);
        }
        parts.prepend(part);
    }
    return parts.join(QLatin1Char('/'));
}

// What the user sees of a widget and what styling decides.
QString lookOf(const QWidget *widget)
{
    const QPalette palette = widget->palette();
    QStringList colours;
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Window, QPalette::Button,
                                     QPalette::ButtonText, QPalette::Base, QPalette::Text})
        colours << palette.color(role).name(QColor::HexArgb);
    const QRect g = widget->geometry();
    return QStringLiteral("%1 %2,%3 %4x%5 min %6x%7 max %8x%9 font %10 colours %11 %12 %13")
        .arg(QString::fromLatin1(widget->metaObject()->className()))
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .arg(widget->minimumWidth())
        .arg(widget->minimumHeight())
        .arg(widget->maximumWidth())
        .arg(widget->maximumHeight())
        .arg(widget->font().toString(), colours.join(QLatin1Char(',')))
        .arg(widget->isVisibleTo(widget->window()) ? "shown" : "hidden")
        .arg(widget->testAttribute(Qt::WA_WState_Polished) ? "polished" : "unpolished");
}

// Opens and closes the list of every combo box of the window.
void openCombos(QWidget *window)
{
    for (QComboBox *combo : window->findChildren<QComboBox *>()) {
        if (combo->window() != window)
            continue;
        combo->showPopup();
        QTest::qWait(5);
        combo->hidePopup();
    }
}

// Widgets of the main window below `root` that are styled (dialogs kept
// below it are windows of their own and left out).
int polishedBelow(QWidget *root)
{
    int count = root->testAttribute(Qt::WA_WState_Polished) ? 1 : 0;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (widget->window() == root->window() && widget->testAttribute(Qt::WA_WState_Polished))
            ++count;
    }
    return count;
}

// Counts the pages that get a new parent while they already hold widgets:
// those named `prefix`..., or those moved into a widget named one of
// `parents`.
class FilledPageMoves : public QObject
{
public:
    QString prefix;
    QStringList parents;
    int moves = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ParentChange || !watched->isWidgetType() ||
            !watched->findChild<QWidget *>())
            return false;
        const QWidget *parent = static_cast<QWidget *>(watched)->parentWidget();
        if ((!prefix.isEmpty() && watched->objectName().startsWith(prefix)) ||
            (parent && parents.contains(parent->objectName())))
            ++moves;
        return false;
    }
};

// The program's window built at a logical DPI of `dpi`, as the start builds
// it (shortcuts) or the plain way, its fonts scaled as the start scales them,
// shown on the chooser, then on every page of the device window with the list
// of every combo box opened; prints the look of every widget, the popups the
// lists open in included.
int lookChild(int argc, char **argv, bool shortcuts, double dpi)
{
    QApplication app(argc, argv);
    // A desktop's usual 9 pt: the offscreen platform's 12 pt is the size of
    // some of the forms' fonts and would hide a widget left with it.
    QFont applicationFont = QApplication::font();
    applicationFont.setPointSizeF(9);
    QApplication::setFont(applicationFont);
    ScreenMetrics::setOverride(dpi);
    LazyPictures::SetDeferring(shortcuts);
    DeferredPolish::setEnabled(shortcuts);
    FilledPageMoves stackMoves;
    stackMoves.parents =
        QStringList{QStringLiteral("stackedWidgetMain"), QStringLiteral("stackedWidgetDialog")};
    app.installEventFilter(&stackMoves);
    DialogMain *window = nullptr;
    {
        std::unique_ptr<PagePlacement::Scope> placement;
        if (shortcuts)
            placement.reset(new PagePlacement::Scope);
        window = new DialogMain(nullptr);
    }
    app.removeEventFilter(&stackMoves);
    ScaleWidgetFonts(window, FontScaleFactor());
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return 2;
    auto *main = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetMain"));
    auto *device = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"));
    if (!main || !device)
        return 3;
    std::printf("%d styled, %d moved\n", polishedBelow(main->widget(1)), stackMoves.moves);
    // Every page of every stack and tab widget shown once, and the lists of
    // its combo boxes opened.
    main->setCurrentIndex(1);
    for (int page = 0; page < device->count(); ++page) {
        device->setCurrentIndex(page);
        QTest::qWait(10);
        for (QStackedWidget *stack : device->widget(page)->findChildren<QStackedWidget *>()) {
            if (stack->window() != window)
                continue;
            const int shown = stack->currentIndex();
            for (int inner = 0; inner < stack->count(); ++inner) {
                stack->setCurrentIndex(inner);
                QTest::qWait(10);
            }
            stack->setCurrentIndex(shown);
        }
    }
    openCombos(window);
    // The combo boxes' popups are windows of their own, but children of
    // their combo boxes: found here with everything else.
    QStringList lines;
    for (QWidget *widget : window->findChildren<QWidget *>())
        lines << pathOf(widget) + QStringLiteral(": ") + lookOf(widget);
    lines.sort();
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    std::_Exit(0);
}

// Starts a child building the window one way at `dpi`; the caller reads it.
void startLook(QProcess &child, bool shortcuts, double dpi)
{
    child.start(
        QCoreApplication::applicationFilePath(),
        {QLatin1String(LookArgument), shortcuts ? "shortcuts" : "plain", QString::number(dpi)});
}

QStringList readLook(QProcess &child)
{
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return {QStringLiteral("failed: ") + QString::fromLocal8Bit(child.readAllStandardError())};
    QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

} // namespace

class TestStartLook : public QObject
{
    Q_OBJECT

private slots:
    // At font scales other than 1 the start's font scaling reads every
    // widget's font before the device window is first styled: what it reads
    // must be what the widget shows once styled.
    void deviceWindowLooksTheSame_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::newRow("logical DPI 100") << 100.0;
        QTest::newRow("logical DPI 120") << 120.0;
    }

    void deviceWindowLooksTheSame()
    {
        QFETCH(double, dpi);
        QProcess plainChild;
        QProcess shortcutsChild;
        startLook(plainChild, false, dpi);
        startLook(shortcutsChild, true, dpi);
        const QStringList plain = readLook(plainChild);
        const QStringList shortcuts = readLook(shortcutsChild);
        QVERIFY2(plain.size() > 500, qPrintable(plain.join('\n').left(2000)));
        QVERIFY2(shortcuts.size() > 500, qPrintable(shortcuts.join('\n').left(2000)));
        // The plain window moves its nine pages (the chooser, the device
        // window and its seven pages) into their stacks; the start builds
        // them there. The device window was hardly styled for the chooser (a
        // few widgets are while their page is built apart).
        const QStringList plainHead = plain.first().split(QLatin1Char(' '));
        const QStringList shortcutsHead = shortcuts.first().split(QLatin1Char(' '));
        QCOMPARE(plainHead.value(2).toInt(), 9);
        QCOMPARE(shortcutsHead.value(2).toInt(), 0);
        const int polishedPlain = plainHead.value(0).toInt();
        const int polishedShortcuts = shortcutsHead.value(0).toInt();
        QVERIFY2(polishedShortcuts * 5 < polishedPlain,
                 qPrintable(
                     QStringLiteral("%1 of %2 styled").arg(polishedShortcuts).arg(polishedPlain)));
        // The lists the combo boxes open are compared too.
        QVERIFY(plain.filter(QStringLiteral("QComboBoxPrivateContainer#0/QListView#0: ")).size() >=
                10);
        QCOMPARE(shortcuts.size(), plain.size());
        for (int i = 1; i < plain.size(); ++i) {
            QVERIFY2(shortcuts.at(i) == plain.at(i),
                     qPrintable(QStringLiteral("start: ") + shortcuts.at(i) +
                                QStringLiteral("\nplain: ") + plain.at(i)));
        }
    }

    // The advanced page's tabs: placed while empty, in the same order, with
    // the same titles, as the form adds them.
    void pagesPlacedBeforeFilled_data()
    {
        QTest::addColumn<bool>("placing");
        QTest::newRow("placed when named") << true;
        QTest::newRow("added by the form") << false;
    }

    void pagesPlacedBeforeFilled()
    {
        QFETCH(bool, placing);
        FilledPageMoves watcher;
        watcher.prefix = QStringLiteral("tab");
        qApp->installEventFilter(&watcher);
        std::unique_ptr<PagePlacement::Scope> placement;
        if (placing)
            placement.reset(new PagePlacement::Scope);
        Advanced page(nullptr);
        placement.reset();
        qApp->removeEventFilter(&watcher);

        const QList<QPair<QString, QStringList>> tabWidgets = {
            {"AdvancedTab", {"tab", "tab_2", "tab_3"}},
            {"ModeTab", {"tab_4", "tab_5", "tab_6", "tab_7"}}};
        for (const auto &expected : tabWidgets) {
            auto *tabs = page.findChild<QTabWidget *>(expected.first);
            QVERIFY(tabs);
            QCOMPARE(tabs->count(), expected.second.size());
            for (int i = 0; i < tabs->count(); ++i) {
                QCOMPARE(tabs->widget(i)->objectName(), expected.second.at(i));
                QCOMPARE(tabs->widget(i)->parentWidget(),
                         tabs->findChild<QStackedWidget *>("qt_tabwidget_stackedwidget"));
            }
        }
        QCOMPARE(watcher.moves == 0, placing);
    }
};

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], LookArgument) == 0)
        return lookChild(argc, argv, qstrcmp(argv[2], "shortcuts") == 0, std::atof(argv[3]));
    QApplication app(argc, argv);
    TestStartLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startlook.moc"
