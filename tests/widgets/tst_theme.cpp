// One dark theme: what the style sheets do not reach (menus, tool tips, the
// colour dialog) follows the theme palette, the rapid-fire dialog is drawn
// dark edge to edge, and the pairing result's picture leaves its caption
// readable.
#include "buttons/FireKey.h"
#include "common/LabelCatalogue.h"
#include "common/ThemeStyles.h"
#include "device/Match.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>
#include <QtTest>

#include <memory>

namespace {

// Text must stand out from what it is drawn on.
bool readable(const QColor &text, const QColor &back)
{
    return qAbs(text.lightness() - back.lightness()) >= 100;
}

bool dark(const QColor &colour)
{
    return colour.lightness() < 100;
}

// Counts the times a widget is moved to another parent.
class ParentChanges : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ParentChange)
            ++count;
        return false;
    }
};

} // namespace

class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        LabelCatalogue::load();
        ThemeStyles::ApplyApplicationTheme();
    }

    void defaultDrawnWidgetsFollowTheTheme_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("context menu of a text field") << "menu";
        QTest::newRow("colour dialog") << "colour";
    }

    void defaultDrawnWidgetsFollowTheTheme()
    {
        QFETCH(QString, what);
        QLineEdit field;
        std::unique_ptr<QWidget> widget;
        if (what == "menu")
            widget.reset(field.createStandardContextMenu());
        else
            widget.reset(new QColorDialog);
        widget->ensurePolished();
        const QPalette palette = widget->palette();
        QVERIFY(dark(palette.color(QPalette::Window)));
        QVERIFY(readable(palette.color(QPalette::WindowText), palette.color(QPalette::Window)));
        QVERIFY(dark(palette.color(QPalette::Base)));
        QVERIFY(readable(palette.color(QPalette::Text), palette.color(QPalette::Base)));
        QVERIFY(readable(palette.color(QPalette::ButtonText), palette.color(QPalette::Button)));
    }

    void toolTipsFollowTheTheme()
    {
        const QPalette palette = QToolTip::palette();
        QVERIFY(dark(palette.color(QPalette::ToolTipBase)));
        QVERIFY(
            readable(palette.color(QPalette::ToolTipText), palette.color(QPalette::ToolTipBase)));
    }

    // The frame's picture covers the whole dialog: no light window shows at
    // its edges, and the texts on it stay readable.
    void rapidFireDialogIsDarkEdgeToEdge()
    {
        FireKey dialog(nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QImage shot = dialog.grab().toImage();
        const QList<QPoint> points = {{3, 3},
                                      {shot.width() - 4, 3},
                                      {3, shot.height() - 4},
                                      {shot.width() - 4, shot.height() - 4},
                                      {shot.width() / 2, shot.height() / 2}};
        for (const QPoint &point : points) {
            const QColor back = shot.pixelColor(point);
            QVERIFY2(dark(back), qPrintable(QStringLiteral("light at %1,%2: %3")
                                                .arg(point.x())
                                                .arg(point.y())
                                                .arg(back.name())));
        }
        for (QLabel *label : dialog.findChildren<QLabel *>()) {
            const QColor text = label->palette().color(QPalette::WindowText);
            QVERIFY2(readable(text, shot.pixelColor(label->geometry().topLeft())),
                     qPrintable(label->objectName()));
        }
    }

    // The captions above the two boxes and the tip show the program's texts
    // in full, inside the dialog, without covering the boxes.
    void rapidFireDialogShowsItsTextsInFull()
    {
        FireKey dialog(nullptr);
        const QRect inside = dialog.rect();
        const QList<QWidget *> boxes = {dialog.findChild<QSpinBox *>("Count"),
                                        dialog.findChild<QSpinBox *>("Time")};
        QList<QRect> taken;
        for (const char *name : {"label", "label_2"}) {
            auto *label = dialog.findChild<QLabel *>(name);
            QVERIFY(label);
            QVERIFY(!label->text().isEmpty());
            const QRect shown = label->geometry();
            const QSize needed = label->sizeHint();
            QVERIFY2(needed.width() <= shown.width() && needed.height() <= shown.height(),
                     qPrintable(QStringLiteral("\"%1\" needs %2 x %3, has %4 x %5")
                                    .arg(label->text())
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(shown.width())
                                    .arg(shown.height())));
            QVERIFY(inside.contains(shown));
            for (QWidget *box : boxes)
                QVERIFY(!shown.intersects(box->geometry()));
            for (const QRect &other : taken)
                QVERIFY(!shown.intersects(other));
            taken << shown;
        }
        auto *tip = dialog.findChild<QLabel *>("label_3");
        QVERIFY(!tip->text().isEmpty());
        QVERIFY(tip->heightForWidth(tip->width()) <= tip->height());
        QVERIFY(inside.contains(tip->geometry()));
    }

    void pairingResultLeavesItsCaptionReadable_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("picture");
        QTest::newRow("success") << 1 << "PairSuccess.png";
        QTest::newRow("failure") << 0 << "PairFail.png";
    }

    // Nothing bright of the picture (a tick, a cross) lies under the caption.
    void pairingResultLeavesItsCaptionReadable()
    {
        QFETCH(int, result);
        QFETCH(QString, picture);
        PairLabels[0]["PairSuccess"] = QStringLiteral("Pairing succeeded");
        PairLabels[0]["PairFail"] = QStringLiteral("Pairing failed");
        Match match;
        QVERIFY(QMetaObject::invokeMethod(&match, "SlotButtonenable", Q_ARG(int, result)));
        auto *button = match.findChild<QPushButton *>(QStringLiteral("MatchButton"));
        QVERIFY(button);
        QVERIFY(button->styleSheet().contains(picture));
        const QImage image(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/Picture/Setting/") + picture);
        QVERIFY(!image.isNull());

        const QFontMetrics metrics(button->font());
        const int width = metrics.horizontalAdvance(button->text());
        const QRect caption((image.width() - width) / 2, (image.height() - metrics.height()) / 2,
                            width, metrics.height());
        for (int y = qMax(0, caption.top()); y <= qMin(image.height() - 1, caption.bottom()); ++y) {
            for (int x = qMax(0, caption.left()); x <= qMin(image.width() - 1, caption.right());
                 ++x) {
                QVERIFY2(
                    image.pixelColor(x, y).lightness() < 150,
                    qPrintable(
                        QStringLiteral("bright picture under the caption at %1,%2").arg(x).arg(y)));
            }
        }
    }

    // A page's combo box gets its themed list without the list being moved
    // (and so styled and laid out again) when the combo box takes it; the
    // list is the combo box's, shows its items and drops the one before.
    void comboListIsMadeInItsPlace()
    {
        QWidget page;
        page.setStyleSheet(QStringLiteral("QLabel{color: white;}"));
        auto *combo = new QComboBox(&page);
        combo->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        QPointer<QAbstractItemView> before = combo->view();

        QListView *view = ThemeStyles::NewComboView(combo);
        ParentChanges moves;
        view->installEventFilter(&moves);
        view->setStyleSheet(ThemeStyles::ComboList(QStringLiteral("1,2,3")));
        combo->setView(view);

        QCOMPARE(combo->view(), view);
        QCOMPARE(view->model(), combo->model());
        QCOMPARE(moves.count, 0);
        QCOMPARE(view->window(), view->parentWidget()->window());
        QVERIFY(view->window() != page.window());
        QTRY_VERIFY(!before);

        ThemeStyles::SetComboList(combo, QStringLiteral("1,2,3"));
        QVERIFY(combo->view() != view);
        QCOMPARE(combo->view()->styleSheet(), ThemeStyles::ComboList(QStringLiteral("1,2,3")));
        QCOMPARE(combo->maxVisibleItems(), 5);
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->view()->model()->rowCount(), 3);
        combo->hidePopup();
    }
};

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"
