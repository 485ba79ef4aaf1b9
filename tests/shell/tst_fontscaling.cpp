#include <QLabel>
#include <QToolTip>
#include <QtTest>

#include "common/FontScaling.h"
#include "platform/ScreenMetrics.h"

// Start-up scales the main window's fonts by 96 / logical DPI, every widget
// exactly once.
class TestFontScaling : public QObject
{
    Q_OBJECT

private slots:
    void scalesEachWidgetOnce_data();
    void scalesEachWidgetOnce();
    void toolTipFontAndPixelFonts();
    void factorFromDpi_data();
    void factorFromDpi();
};

void TestFontScaling::scalesEachWidgetOnce_data()
{
    QTest::addColumn<double>("factor");
    QTest::newRow("96 dpi") << 1.0;
    QTest::newRow("120 dpi") << 0.8;
    QTest::newRow("144 dpi") << 96.0 / 144.0;
}

void TestFontScaling::scalesEachWidgetOnce()
{
    QFETCH(double, factor);
    QWidget root;
    QFont rootFont = root.font();
    rootFont.setPointSizeF(10);
    root.setFont(rootFont);

    auto *inherits = new QWidget(&root);     // 10 pt through the parent
    auto *own = new QLabel("own", inherits); // 12 pt of its own
    QFont ownFont = own->font();
    ownFont.setPointSizeF(12);
    own->setFont(ownFont);
    auto *deep = new QLabel("deep", own); // 12 pt through its parent
    auto *keep = new QWidget(&root);
    keep->setObjectName("Receive_2");            // keeps its 10 pt
    auto *keepChild = new QLabel("child", keep); // scaled all the same

    ScaleWidgetFonts(&root, factor);

    QCOMPARE(root.font().pointSizeF(), 10 * factor);
    QCOMPARE(inherits->font().pointSizeF(), 10 * factor);
    QCOMPARE(own->font().pointSizeF(), 12 * factor);
    QCOMPARE(deep->font().pointSizeF(), 12 * factor);
    QCOMPARE(keep->font().pointSizeF(), 10.0);
    QCOMPARE(keepChild->font().pointSizeF(), 10 * factor);
}

void TestFontScaling::toolTipFontAndPixelFonts()
{
    QWidget root;
    QFont rootFont = root.font();
    rootFont.setPointSizeF(10);
    root.setFont(rootFont);
    auto *noApear = new QLabel("tip", &root);
    noApear->setObjectName("NoApear");
    auto *pixels = new QLabel("px", &root);
    QFont pixelFont = pixels->font();
    pixelFont.setPixelSize(14);
    pixels->setFont(pixelFont);

    ScaleWidgetFonts(&root, 0.8);
    QCOMPARE(QToolTip::font().pointSizeF(), 8.0);
    QCOMPARE(pixels->font().pixelSize(), 14);
    ScaleWidgetFonts(nullptr, 0.8); // nothing to do
}

void TestFontScaling::factorFromDpi_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<double>("factor");
    QTest::newRow("96") << 96.0 << 1.0;
    QTest::newRow("120") << 120.0 << 0.8;
    QTest::newRow("192") << 192.0 << 0.5;
}

void TestFontScaling::factorFromDpi()
{
    QFETCH(double, dpi);
    QFETCH(double, factor);
    ScreenMetrics::setOverride(dpi);
    QCOMPARE(FontScaleFactor(), factor);
    ScreenMetrics::setOverride(0);
    QVERIFY(ScreenMetrics::logicalDpi() > 0);
}

QTEST_MAIN(TestFontScaling)
#include "tst_fontscaling.moc"
