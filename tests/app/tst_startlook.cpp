// The start's shortcuts change when the work is done, never the result:
// pages go into their containers before they are filled, and the device
// window is styled when it first shows. Every widget then looks as it would
// have without them.
#include "app/DialogMain.h"
#include "common/DeferredPolish.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/PagePlacement.h"
#include "sensor/Advanced.h"

#include <QComboBox>
#include <QProcess>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include <cstdio>
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

// Widgets of the main window below `root` that are styled (dialogs kept
// below it are windows of their own and left out).
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

int polishedBelow(QWidget *root)
{
    int count = root->testAttribute(Qt::WA_WState_Polished) ? 1 : 0;
    for (QWidget *widget : root->findChildren<QWidget *>()) {
        if (widget->window() == root->window() && widget->testAttribute(Qt::WA_WState_Polished))
            ++count;
    }
    return count;
}

// The program's window built with or without the shortcuts, shown on the
// chooser, then on every page of the device window; prints the look of
// every widget.
int lookChild(int argc, char **argv, bool shortcuts)
{
    QApplication app(argc, argv);
    LazyPictures::SetDeferring(true);
    DeferredPolish::setEnabled(shortcuts);
    DialogMain *window = nullptr;
    {
        std::unique_ptr<PagePlacement::Scope> placement;
        if (shortcuts)
            placement.reset(new PagePlacement::Scope);
        window = new DialogMain(nullptr);
    }
    ScaleWidgetFonts(window, FontScaleFactor());
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return 2;
    auto *main = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetMain"));
    auto *device = window->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"));
    if (!main || !device)
        return 3;
    std::printf("%d\n", polishedBelow(main->widget(1)));
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
    QStringList lines;
    for (QWidget *widget : window->findChildren<QWidget *>())
        lines << pathOf(widget) + QStringLiteral(": ") + lookOf(widget);
    lines.sort();
    for (const QString &line : lines)
        std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    std::_Exit(0);
}

QStringList runLook(bool shortcuts)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(LookArgument), shortcuts ? "shortcuts" : "plain"});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return {QStringLiteral("failed: ") + QString::fromLocal8Bit(child.readAllStandardError())};
    return QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
}

// Counts the tab pages that get a new parent while they already hold
// widgets.
class FilledPageMoves : public QObject
{
public:
    int moves = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ParentChange && watched->objectName().startsWith("tab") &&
            watched->findChild<QWidget *>())
            ++moves;
        return false;
    }
};

} // namespace

class TestStartLook : public QObject
{
    Q_OBJECT

private slots:
    void deviceWindowLooksTheSame()
    {
        const QStringList plain = runLook(false);
        const QStringList shortcuts = runLook(true);
        QVERIFY2(plain.size() > 500, qPrintable(plain.join('\n').left(2000)));
        QVERIFY2(shortcuts.size() > 500, qPrintable(shortcuts.join('\n').left(2000)));
        // The device window was hardly styled for the chooser (a few widgets
        // are while their page is built apart).
        const int polishedPlain = plain.first().toInt();
        const int polishedShortcuts = shortcuts.first().toInt();
        QVERIFY2(polishedShortcuts * 5 < polishedPlain,
                 qPrintable(
                     QStringLiteral("%1 of %2 styled").arg(polishedShortcuts).arg(polishedPlain)));
        QCOMPARE(shortcuts.size(), plain.size());
        for (int i = 1; i < plain.size(); ++i)
            QCOMPARE(shortcuts.at(i), plain.at(i));
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
    if (argc >= 3 && qstrcmp(argv[1], LookArgument) == 0)
        return lookChild(argc, argv, qstrcmp(argv[2], "shortcuts") == 0);
    QApplication app(argc, argv);
    TestStartLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startlook.moc"
