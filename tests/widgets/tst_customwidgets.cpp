#include "common/MyButton.h"
#include "common/MyConmboBox.h"
#include "common/MyLineEdit.h"
#include "common/MySlider.h"
#include "common/MyToolButton.h"
#include "common/mytoolButtonEnter.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Counts what reaches a parent: the slider's press event and stray keys.
class Parent : public QWidget
{
public:
    int sliderEvents = 0;
    int keys = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::Type(MySlider::PressedEventType))
            ++sliderEvents;
        return QWidget::event(event);
    }
    void keyPressEvent(QKeyEvent *) override { ++keys; }
};

void sendMouse(QWidget *widget, QEvent::Type type, Qt::MouseButton button)
{
    const QPoint pos(5, 5);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class tst_CustomWidgets : public QObject
{
    Q_OBJECT

private slots:
    void sliderJumpsToClick_data();
    void sliderJumpsToClick();
    void toolButtonReportsAtPress();
    void toolButtonIgnoresOtherButtons_data();
    void toolButtonIgnoresOtherButtons();
    void lineEditIgnoresKeys();
    void comboBoxRemembersPreviousIndex();
    void comboBoxPaintsCentred();
    void deviceButtonIndex_data();
    void deviceButtonIndex();
    void deviceButtonHoverRunsOwnersAction();
    void buttonCursorFollowsHover();
};

void tst_CustomWidgets::sliderJumpsToClick_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");

    // Width 200 throughout; the value is truncated toward zero.
    QTest::newRow("middle truncates") << 0 << 100 << 99 << int(Qt::LeftButton) << 49;
    QTest::newRow("left edge") << 0 << 100 << 0 << int(Qt::LeftButton) << 0;
    QTest::newRow("right button moves too") << 0 << 100 << 99 << int(Qt::RightButton) << 49;
    QTest::newRow("offset range") << 100 << 200 << 150 << int(Qt::LeftButton) << 175;
    QTest::newRow("negative range") << -50 << 50 << 20 << int(Qt::LeftButton) << -40;
    QTest::newRow("right edge") << 0 << 100 << 199 << int(Qt::LeftButton) << 99;
}

void tst_CustomWidgets::sliderJumpsToClick()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, x);
    QFETCH(int, button);
    QFETCH(int, expected);

    Parent parent;
    MySlider slider(&parent);
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(minimum, maximum);
    slider.setValue(maximum); // so that every row is a change
    slider.setGeometry(0, 0, 200, 20);
    QSignalSpy changed(&slider, &QSlider::valueChanged);

    QTest::mousePress(&slider, Qt::MouseButton(button), Qt::NoModifier, QPoint(x, 10));

    QCOMPARE(slider.value(), expected);
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(0).toInt(), expected);
    QCOMPARE(parent.sliderEvents, 1);
    QTest::mouseRelease(&slider, Qt::MouseButton(button), Qt::NoModifier, QPoint(x, 10));
}

void tst_CustomWidgets::toolButtonReportsAtPress()
{
    MyToolButton button;
    button.setCheckable(true);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QSignalSpy pressed(&button, &QAbstractButton::pressed);
    QSignalSpy released(&button, &QAbstractButton::released);
    QSignalSpy doubleClicked(&button, &MyToolButton::doubleClicked);

    // A double click as the window system delivers it.
    sendMouse(&button, QEvent::MouseButtonPress, Qt::LeftButton);
    QVERIFY(button.isChecked());
    QVERIFY(!button.isDown());
    sendMouse(&button, QEvent::MouseButtonRelease, Qt::LeftButton);
    sendMouse(&button, QEvent::MouseButtonDblClick, Qt::LeftButton);
    sendMouse(&button, QEvent::MouseButtonRelease, Qt::LeftButton);

    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(0).at(0).toBool(), false);
    QCOMPARE(clicked.at(1).at(0).toBool(), true);
    QVERIFY(button.isChecked());
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(released.count(), 0);
    QCOMPARE(doubleClicked.count(), 0);

    // A press on the checked button reports again and keeps it checked.
    sendMouse(&button, QEvent::MouseButtonPress, Qt::LeftButton);
    QCOMPARE(clicked.count(), 3);
    QCOMPARE(clicked.at(2).at(0).toBool(), false);
    QVERIFY(button.isChecked());
}

void tst_CustomWidgets::toolButtonIgnoresOtherButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void tst_CustomWidgets::toolButtonIgnoresOtherButtons()
{
    QFETCH(int, button);
    MyToolButton tool;
    tool.setCheckable(true);
    QSignalSpy clicked(&tool, &QAbstractButton::clicked);

    sendMouse(&tool, QEvent::MouseButtonPress, Qt::MouseButton(button));
    sendMouse(&tool, QEvent::MouseButtonRelease, Qt::MouseButton(button));
    sendMouse(&tool, QEvent::MouseButtonDblClick, Qt::MouseButton(button));

    QCOMPARE(clicked.count(), 0);
    QVERIFY(!tool.isChecked());
}

void tst_CustomWidgets::lineEditIgnoresKeys()
{
    Parent parent;
    MyLineEdit edit(&parent);
    edit.setText(QStringLiteral("Ctrl + A"));
    QSignalSpy edited(&edit, &QLineEdit::textEdited);

    QTest::keyClicks(&edit, QStringLiteral("xyz"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);

    QCOMPARE(edit.text(), QStringLiteral("Ctrl + A"));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(parent.keys, 0);

    edit.setText(QStringLiteral("Shift + B"));
    QCOMPARE(edit.text(), QStringLiteral("Shift + B"));
}

void tst_CustomWidgets::comboBoxRemembersPreviousIndex()
{
    MyConmboBox combo;
    QCOMPARE(combo.PreviousIndex, 0);
    combo.addItems({"0", "1", "2", "3", "4", "5"});
    combo.setCurrentIndex(2);
    combo.resize(120, 24);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));

    int seenPrevious = -1;
    connect(&combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [&](int) { seenPrevious = combo.PreviousIndex; });

    // The user opens the list with a press and picks index 4 in it.
    QTest::mousePress(&combo, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    combo.setCurrentIndex(4);
    combo.hidePopup();

    QCOMPARE(seenPrevious, 2);
    QCOMPARE(combo.PreviousIndex, 2);
    // A refused pick puts the box back.
    combo.setCurrentIndex(combo.PreviousIndex);
    QCOMPARE(combo.currentIndex(), 2);
}

void tst_CustomWidgets::comboBoxPaintsCentred()
{
    // Black text on white, no arrow or frame in the way: the text's ink must
    // sit in the middle of the edit field, not at its left end.
    MyConmboBox combo;
    combo.setStyleSheet(QStringLiteral(
        "QComboBox{background:white;color:black;border:0px;}QComboBox::drop-down{width:0px;}"));
    QPalette palette = combo.palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    combo.setPalette(palette);
    combo.addItem(QStringLiteral("MMMM"));
    combo.resize(300, 30);

    const QImage image = combo.grab().toImage();
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
        }
    }
    if (right < 0)
        QSKIP("no font to paint with on this platform");
    const int centre = (left + right) / 2;
    QVERIFY2(qAbs(centre - image.width() / 2) < 30,
             qPrintable(QStringLiteral("ink from %1 to %2").arg(left).arg(right)));

    // Editable boxes keep the ordinary label; painting them must work too.
    combo.setEditable(true);
    QVERIFY(!combo.grab().isNull());
}

void tst_CustomWidgets::deviceButtonIndex_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("btn12") << "btn12" << 12;
    QTest::newRow("btn0") << "btn0" << 0;
    QTest::newRow("no digits") << "btn" << 0;
    QTest::newRow("letters") << "btnabc" << 0;
    QTest::newRow("every btn removed") << "btn3btn" << 3;
    QTest::newRow("case-sensitive") << "BTN4" << 0;
}

void tst_CustomWidgets::deviceButtonIndex()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    mytoolButtonEnter button;
    button.setObjectName(name);
    QCOMPARE(button.deviceIndex(), index);
}

void tst_CustomWidgets::deviceButtonHoverRunsOwnersAction()
{
    mytoolButtonEnter button;
    button.setObjectName(QStringLiteral("btn2"));
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    // Without an owner's action a hover does nothing.
    QCoreApplication::sendEvent(&button, &enter);

    QList<int> hovered;
    button.setHoverAction([&hovered](int index) { hovered.append(index); });
    QCoreApplication::sendEvent(&button, &enter);
    QCoreApplication::sendEvent(&button, &leave);
    button.setObjectName(QStringLiteral("btn7"));
    QCoreApplication::sendEvent(&button, &enter);
    QCOMPARE(hovered, QList<int>({2, 7}));
}

void tst_CustomWidgets::buttonCursorFollowsHover()
{
    MyButton button;
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&button, &enter);
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(tst_CustomWidgets)
#include "tst_customwidgets.moc"
