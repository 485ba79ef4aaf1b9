#include <QThread>
#include <QtTest>

#include <atomic>
#include <cstring>

#include "hub/PostMsg.h"

namespace {

QStringList g_warnings;
QtMessageHandler g_previousHandler = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings.append(message);
    g_previousHandler(type, context, message);
}

FlashDataMap patternBlock(unsigned char seed)
{
    FlashDataMap block;
    auto *bytes = reinterpret_cast<unsigned char *>(&block);
    for (size_t i = 0; i < sizeof(block); ++i)
        bytes[i] = static_cast<unsigned char>(seed + i * 7);
    return block;
}

} // namespace

// A page-like receiver on the GUI thread.
class Receiver : public QObject
{
    Q_OBJECT

public:
    explicit Receiver(QString name, QStringList *order) : m_name(std::move(name)), m_order(order) {}
    std::atomic<bool> ran{false};
    bool onGuiThread = false;
    bool blockIntact = false;
    DongleRGB *dongle = nullptr;
    int number = -1;

public slots:
    void SlotBlock(FlashDataMap DataMap)
    {
        const FlashDataMap expected = patternBlock(3);
        blockIntact = memcmp(&DataMap, &expected, sizeof(FlashDataMap)) == 0;
        finish();
    }
    void SlotDongle(DongleRGB *Rgb)
    {
        dongle = Rgb;
        finish();
    }
    void SlotNumber(int index)
    {
        number = index;
        finish();
    }
    void SlotPlain()
    {
        if (m_order)
            m_order->append(m_name);
        finish();
    }

private:
    void finish()
    {
        onGuiThread = QThread::currentThread() == qApp->thread();
        ran = true;
    }
    QString m_name;
    QStringList *m_order;
};

// The hub's contract: its signals, and how they travel from other threads.
class TestHub : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { g_warnings.clear(); }
    void oneInstance();
    void signalsInDeclarationOrder();
    void blockingBlockFromAnotherThread();
    void blockingPointerAndReceiverOrder();
    void autoConnectionQueuesFromAnotherThread();
    void signalWithoutReceiver();
};

void TestHub::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(recordWarnings);
}

void TestHub::cleanupTestCase()
{
    qInstallMessageHandler(g_previousHandler);
}

void TestHub::oneInstance()
{
    PostMsg *first = PostMsg::GetInstance();
    QVERIFY(first);
    QCOMPARE(PostMsg::GetInstance(), first);
    QCOMPARE(first->parent(), nullptr);
    QCOMPARE(first->thread(), qApp->thread());
}

void TestHub::signalsInDeclarationOrder()
{
    const QMetaObject *meta = PostMsg::GetInstance()->metaObject();
    QCOMPARE(meta->methodCount() - meta->methodOffset(), 69);
    const QList<QPair<int, QByteArray>> spots = {{0, "SigChangeMainDialog(int)"},
                                                 {2, "SigUpDataConfigUI(int,int,bool)"},
                                                 {10, "SigSelectMouseInfo(DeviceAllInfo)"},
                                                 {27, "SigCloseUpdate()"},
                                                 {42, "SigRGBValue(DongleRGB*)"},
                                                 {49, "SigContinue(int)"},
                                                 {57, "SigAllLanguage(int)"},
                                                 {68, "SigIsUsb(bool,bool)"}};
    for (const auto &spot : spots) {
        const QMetaMethod method = meta->method(meta->methodOffset() + spot.first);
        QCOMPARE(method.methodType(), QMetaMethod::Signal);
        QCOMPARE(method.methodSignature(), spot.second);
    }
    const QMetaMethod config = meta->method(meta->methodOffset() + 2);
    QCOMPARE(config.parameterNames(),
             (QList<QByteArray>{"ToTalItem", "SelectIndex", "ItemEnable"}));
}

// The device event callback hands the parameter block over while it waits:
// no meta-type is needed, and the slot has run when the emit returns.
void TestHub::blockingBlockFromAnotherThread()
{
    Receiver page("page", nullptr);
    QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigUpDataLightUIButton(FlashDataMap)), &page,
                    SLOT(SlotBlock(FlashDataMap)), Qt::BlockingQueuedConnection));

    std::atomic<bool> ranBeforeReturn{false};
    QThread *emitter = QThread::create([&] {
        emit PostMsg::GetInstance()->SigUpDataLightUIButton(patternBlock(3));
        ranBeforeReturn = page.ran.load();
    });
    emitter->start();
    QTRY_VERIFY(emitter->isFinished());
    delete emitter;

    QVERIFY(ranBeforeReturn);
    QVERIFY(page.onGuiThread);
    QVERIFY(page.blockIntact);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

void TestHub::blockingPointerAndReceiverOrder()
{
    QStringList order;
    Receiver advanced("advanced", &order), buttons("buttons", &order), light("light", &order);
    Receiver lights("lights", nullptr);
    for (Receiver *receiver : {&advanced, &buttons, &light})
        QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigFormReset()), receiver, SLOT(SlotPlain()),
                        Qt::BlockingQueuedConnection));
    QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigRGBValue(DongleRGB *)), &lights,
                    SLOT(SlotDongle(DongleRGB *)), Qt::BlockingQueuedConnection));

    DongleRGB record{};
    QStringList seenAtReturn;
    QThread *emitter = QThread::create([&] {
        emit PostMsg::GetInstance()->SigFormReset();
        seenAtReturn = order;
        emit PostMsg::GetInstance()->SigRGBValue(&record);
    });
    emitter->start();
    QTRY_VERIFY(emitter->isFinished());
    delete emitter;

    QCOMPARE(seenAtReturn, (QStringList{"advanced", "buttons", "light"}));
    QCOMPARE(lights.dongle, &record);
    QVERIFY(lights.onGuiThread);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
}

// SigUpDataParam from the worker: the emit returns at once, the slot runs
// later on the GUI thread.
void TestHub::autoConnectionQueuesFromAnotherThread()
{
    Receiver window("window", nullptr);
    QVERIFY(connect(PostMsg::GetInstance(), SIGNAL(SigUpDataParam(int)), &window,
                    SLOT(SlotNumber(int))));

    std::atomic<bool> ranBeforeReturn{true};
    QThread *emitter = QThread::create([&] {
        emit PostMsg::GetInstance()->SigUpDataParam(5);
        ranBeforeReturn = window.ran.load();
    });
    emitter->start();
    QVERIFY(emitter->wait(10000)); // the GUI thread runs no events meanwhile
    delete emitter;

    QVERIFY(!ranBeforeReturn);
    QVERIFY(!window.ran);
    QTRY_VERIFY(window.ran.load());
    QCOMPARE(window.number, 5);
    QVERIFY(window.onGuiThread);
}

void TestHub::signalWithoutReceiver()
{
    emit PostMsg::GetInstance()->SigCloseUpdate();
    emit PostMsg::GetInstance()->SigButtonCheck();
    emit PostMsg::GetInstance()->SigCloseProgress();
    QVERIFY(g_warnings.isEmpty());
}

QTEST_MAIN(TestHub)
#include "tst_hub.moc"
