// Construction, destruction and the page's own events.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroSyncLedger.h"
#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "model/SensorDefines.h"
#include "platform/UserFolder.h"
#include "platform/vidide/VidIde.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

Buttoninterface::Buttoninterface(QWidget *parent) : QWidget(parent), ui(new Ui_Buttoninterface)
{
    ui->setupUi(this);

    // The page offers six buttons; rows 7 to 12 stay hidden for good.
    const QList<QWidget *> hiddenRows = {
        ui->Number7,  ui->Number8,  ui->Number9,  ui->Number10, ui->Number11, ui->Number12,
        ui->label_16, ui->label_17, ui->label_18, ui->label_19, ui->label_20, ui->label_21,
        ui->Button7,  ui->Button8,  ui->Button9,  ui->Button10, ui->Button11, ui->Button12};
    for (QWidget *w : hiddenRows)
        w->hide();

    connect(PostMsg::GetInstance(), SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));

    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/";
    MainPagePath = UserFolder::filePath(QStringLiteral("usersetting/MainPage"));
    if (!QDir(MainPagePath).exists())
        QDir().mkpath(MainPagePath);
    MacroLedger = new MacroSyncLedger(QDir::cleanPath(MainPagePath) + "/MacroSync.ini");

    SelectorGroup = new QButtonGroup(this);
    MenuGroup = new QButtonGroup(this);
    SubMenuGroup = new QButtonGroup(this);
    NumberGroup = new QButtonGroup(this);
    for (QButtonGroup *group : {SelectorGroup, MenuGroup, SubMenuGroup, NumberGroup})
        group->setExclusive(true);
    FillButtonGroups();

    ButtonColorParts = ConfigIniStore::GetInstance()->GetValueList("Option", "ButtonColor");
    ButtonColorText = ButtonColorParts.size() >= 3
                          ? QStringList(ButtonColorParts.mid(0, 3)).join(",")
                          : QString();

    BuildMacroList();

    ui->DPI_3->hide();
    ui->DPI_9->hide();

    // The frames' sheets before those of what they hold: a widget's first
    // sheet styles again everything below it that has a sheet of its own.
    ApplyFrameStyleSheets();
    ApplyStyleSheets();

    SensorDefines defines;
    defines.read(QCoreApplication::applicationDirPath() + "/driver_sensor.h");
    SensorDefineNames = defines.names;
    SensorDefineValues = defines.values;

    ApplyLabelStyleSheets();

    QObject *hub = PostMsg::GetInstance();
    BindProfileBox();
    connect(hub, SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
            SLOT(SlotUpDataButtonUIButton(FlashDataMap)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataConfigUI(int, int, bool)), this,
            SLOT(SlotUpDataConfigUI(int, int, bool)), Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this,
            SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAddMacroButton()), this, SLOT(SlotAddMacroButton()));
    connect(hub, SIGNAL(SigDeleteMacroButton(QString)), this, SLOT(SlotDeleteMacroButton(QString)));
    connect(hub, SIGNAL(SigUpDataMacro(QString, int)), this, SLOT(SlotUpDataMacro(QString, int)));
    connect(hub, SIGNAL(SigMacroRename(QString, QString)), this,
            SLOT(SlotMacroRename(QString, QString)));
    connect(hub, SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()),
            Qt::BlockingQueuedConnection);

    // The worker keeps no parent; the page only creates it.
    WorkerThread = new Worker(this);

    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(4);

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
}

Buttoninterface::~Buttoninterface()
{
    if (WorkerThread) {
        WorkerThread->Stop();
        // A pass may sit in a blocking emit that needs this (GUI) thread, so
        // the wait is bounded; a thread still running is left alone rather
        // than deleted under its own feet.
        if (WorkerThread->Shutdown(10000))
            WorkerThread->deleteLater();
    }
    StopUsbChanged();
    delete MacroLedger;
    delete ui;
}

void Buttoninterface::FillButtonGroups()
{
    for (QAbstractButton *b :
         {ui->FireKey, ui->RightKey, ui->BackKey, ui->StartPause, ui->TopMusic, ui->BackMusic,
          ui->Button7, ui->Button8, ui->Button9, ui->Button10, ui->Button11, ui->Button12})
        SelectorGroup->addButton(b);
    for (QAbstractButton *b :
         {static_cast<QAbstractButton *>(ui->LeftKey_3),
          static_cast<QAbstractButton *>(ui->RightKey_3),
          static_cast<QAbstractButton *>(ui->MidKey), static_cast<QAbstractButton *>(ui->BackKey_2),
          static_cast<QAbstractButton *>(ui->ForWardKey), static_cast<QAbstractButton *>(ui->DPI_2),
          static_cast<QAbstractButton *>(ui->DPI_3), static_cast<QAbstractButton *>(ui->DPI_4),
          static_cast<QAbstractButton *>(ui->DPI_5), static_cast<QAbstractButton *>(ui->DPI_6),
          static_cast<QAbstractButton *>(ui->DPI_7), static_cast<QAbstractButton *>(ui->DPI_8),
          static_cast<QAbstractButton *>(ui->DPI_9), static_cast<QAbstractButton *>(ui->DPI_10),
          static_cast<QAbstractButton *>(ui->DPI_11), static_cast<QAbstractButton *>(ui->DPI_12),
          static_cast<QAbstractButton *>(ui->DPI_13)})
        MenuGroup->addButton(b);
    for (QAbstractButton *b :
         {ui->Player,        ui->StartPause_2,  ui->BackMusic_2,   ui->TopMusic_2,
          ui->Mute,          ui->VolumeUp,      ui->VolumeDown,    ui->VolumeDown_3,
          ui->VolumeDown_4,  ui->VolumeDown_5,  ui->VolumeDown_6,  ui->VolumeDown_7,
          ui->VolumeDown_8,  ui->VolumeDown_9,  ui->VolumeDown_10, ui->VolumeDown_11,
          ui->VolumeDown_12, ui->VolumeDown_13, ui->VolumeUp_4,    ui->VolumeUp_5,
          ui->VolumeUp_6,    ui->VolumeUp_7,    ui->VolumeUp_11,   ui->VolumeUp_12,
          ui->VolumeUp_13,   ui->VolumeUp_15,   ui->VolumeUp_16,   ui->VolumeUp_18,
          ui->VolumeUp_19,   ui->VolumeUp_20,   ui->VolumeUp_21,   ui->VolumeUp_22,
          ui->VolumeUp_23,   ui->VolumeUp_24,   ui->VolumeDown_2,  ui->VolumeUp_2,
          ui->VolumeUp_10,   ui->VolumeUp_8,    ui->VolumeUp_9,    ui->VolumeUp_14,
          ui->VolumeDown_14})
        SubMenuGroup->addButton(b);
    for (QAbstractButton *b :
         {ui->Number1, ui->Number2, ui->Number3, ui->Number4, ui->Number5, ui->Number6, ui->Number7,
          ui->Number8, ui->Number9, ui->Number10, ui->Number11, ui->Number12})
        NumberGroup->addButton(b);
}

QToolButton *Buttoninterface::SelectorOfKey(int k) const
{
    switch (k) {
    case 0:
        return ui->FireKey;
    case 1:
        return ui->RightKey;
    case 2:
        return ui->BackKey;
    case 3:
        return ui->TopMusic;
    case 4:
        return ui->StartPause;
    case 5:
        return ui->BackMusic;
    case 6:
        return ui->Button7;
    case 7:
        return ui->Button8;
    case 8:
        return ui->Button9;
    case 9:
        return ui->Button10;
    case 10:
        return ui->Button11;
    case 11:
        return ui->Button12;
    default:
        return nullptr;
    }
}

void Buttoninterface::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const int index = ui->ProjectChoose->currentIndex();
    const QSignalBlocker blocker(ui->ProjectChoose);
    ui->retranslateUi(this);
    ui->ProjectChoose->setCurrentIndex(index);
}

void Buttoninterface::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    const QPoint shifted(p.x(), p.y() - 340);
    const bool left = event->button() == Qt::LeftButton;
    auto inside = [](QWidget *w, const QPoint &pt) { return w->geometry().contains(pt); };
    auto menuOpen = [this] { return ui->stackedWidget->currentIndex() == 1; };
    auto subPageShown = [this] { return ui->stackedWidget_2->currentIndex() != 4; };

    if (menuOpen() && subPageShown() && !inside(ui->groupBox, p)) {
        if (!left)
            return;
        CloseMenu();
    } else if (menuOpen() && !subPageShown() && !inside(ui->scrollArea_11, p) &&
               !inside(ui->stackedWidget, shifted)) {
        if (!left)
            return;
        CloseMenu();
    }
    if (!left)
        return;

    if (!menuOpen() && !subPageShown()) {
        if (!inside(ui->scrollArea_11, p) || inside(ui->stackedWidget, shifted)) {
            ReleaseSelectors();
            CloseMenu();
        }
    } else if (menuOpen() && !subPageShown()) {
        if (!inside(ui->groupBox, p)) {
            ReleaseSelectors();
            CloseMenu();
        }
    } else if (menuOpen() && subPageShown()) {
        if (!inside(ui->scrollArea_11, p) && !inside(ui->stackedWidget, p) &&
            !inside(ui->stackedWidget_2, p)) {
            ReleaseSelectors();
            CloseMenu();
        }
    }

    const QList<QWidget *> numbers = {ui->Number1, ui->Number2, ui->Number3,
                                      ui->Number4, ui->Number5, ui->Number6};
    bool onNumber = false;
    for (QWidget *n : numbers)
        onNumber = onNumber || inside(n, p);
    if (!onNumber) {
        NumberGroup->setExclusive(false);
        for (QAbstractButton *b : NumberGroup->buttons())
            b->setChecked(false);
        NumberGroup->setExclusive(true);
    }

    if (inside(ui->widget, p)) {
        ReleaseSelectors();
        CloseMenu();
    }
}

void Buttoninterface::CloseMenu()
{
    ui->stackedWidget->setCurrentIndex(0);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet("QScrollBar {width:10px;}");
    ui->stackedWidget_2->setCurrentIndex(4);
}

void Buttoninterface::ReleaseSelectors()
{
    SelectorGroup->setExclusive(false);
    for (QAbstractButton *b : SelectorGroup->buttons())
        b->setChecked(false);
    SelectorGroup->setExclusive(true);
}

void Buttoninterface::on_stackedWidget_currentChanged(int index)
{
    // The menu overlaps the right part of the selector list: whichever is in
    // use is raised above the other.
    if (index != 0)
        ui->stackedWidget->raise();
    else
        ui->scrollArea_11->raise();
}

void Buttoninterface::on_stackedWidget_2_currentChanged(int) {}
