#include "app/DialogMain.h"

#include "app/Dialog.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MouseNotices.h"
#include "common/NoticeChoice.h"
#include "common/PagePlacement.h"
#include "common/SharedState.h"
#include "device/DialogChange.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include "platform/Logging.h"
#include "ui_DialogMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDebug>
#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QThread>

#include <cstdlib>

void (*DialogMain::ExitProcess)(int) = ::exit;
bool (*DialogMain::TrayAvailable)() = QSystemTrayIcon::isSystemTrayAvailable;

DialogMain::DialogMain(QWidget *parent) : QDialog(parent), ui(new Ui::DialogMain)
{
    ui->setupUi(this);
    LoadLabelCatalogue();
    ReadLanguage();
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/Dialog/";

    // At start the pages are built in their stack. The frame's sheet and the
    // window's flags come first then: either one styles everything below it
    // again. Otherwise the pages are built with the window as parent and
    // moved into the stack once built, and the sheet and flags come last, the
    // way the window always was built.
    const bool inPlace = PagePlacement::active();
    if (inPlace)
        SetFrameAndFlags();
    QWidget *pageParent = inPlace ? static_cast<QWidget *>(ui->stackedWidgetMain) : this;
    DeviceWindow = new Dialog(pageParent);
    ChooserPage = new DialogChange(pageParent);
    ui->stackedWidgetMain->addWidget(ChooserPage);
    ui->stackedWidgetMain->addWidget(DeviceWindow);
    ui->stackedWidgetMain->setCurrentWidget(ChooserPage);
    if (inPlace)
        PagePlacement::settleFonts(ChooserPage); // the device window settled its own pages
    else
        SetFrameAndFlags();

    setFixedSize(width(), height());

    Notices = new MouseNotices(this);
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    connect(hub, SIGNAL(SigChangeMainDialog(int)), this, SLOT(SlotChangeMainDialog(int)));
    connect(hub, SIGNAL(SigChangeSize(int)), this, SLOT(SlotChangeSize(int)));
    connect(hub, SIGNAL(SigMouseOffLineo(int)), this, SLOT(SlotMouseOffLine(int)));
    connect(hub, SIGNAL(SigUpPageLight()), this, SLOT(SlotUpPageLight()));

    // Shown only while the window is hidden.
    TrayIcon = new QSystemTrayIcon(nullptr);
    TrayIcon->setIcon(QIcon(PictureFolder + "Logo.png"));
    TrayIcon->setToolTip(ProductName);

    emit PostMsg::GetInstance()->SigLanguageSameA(CurrentLanguage);
    emit PostMsg::GetInstance()->SigLanguageSameB(CurrentLanguage);
    emit PostMsg::GetInstance()->SigAllLanguage(CurrentLanguage);
}

void DialogMain::SetFrameAndFlags()
{
    // The pages draw the whole window; the frame's panel border would show
    // as a line around it.
    ui->frame->setStyleSheet("#frame{border:0px;}");
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
}

DialogMain::~DialogMain()
{
    delete TrayIcon;
    delete ui;
}

void DialogMain::LoadLabelCatalogue()
{
    LabelCatalogue::load();
}

void DialogMain::ReadLanguage()
{
    // Moves a registry index into Macro.ini once; an index that names no
    // loaded language reads as 0, so no page indexes past the tables.
    CurrentLanguage = LabelCatalogue::loadStartLanguage();
}

bool DialogMain::onDeviceWindow() const
{
    return ui->stackedWidgetMain->currentWidget() == DeviceWindow;
}

int DialogMain::currentPage() const
{
    return ui->stackedWidgetMain->currentIndex();
}

void DialogMain::SlotChangeMainDialog(int index)
{
    DeviceDataReady = true;
    if (index == 0) {
        emit PostMsg::GetInstance()->SigSecondPageChange();
        DevicePageActive = 0;
        emit PostMsg::GetInstance()->SigMainPageChange();
        UsbServer_Exit();
        QThread::msleep(100);
        ui->stackedWidgetMain->setCurrentWidget(ChooserPage);
        StartUsbChanged(OnChooserUsbChanged, 600);
    } else if (index == 1) {
        ui->stackedWidgetMain->setCurrentWidget(DeviceWindow);
        StartUsbChanged(OnDeviceUsbChanged, 600);
    }
}

void DialogMain::SlotChangeSize(int index)
{
    if (index == 0 || index == 1)
        UsbServer_SetPCDriverStatus(false);
    if (index == 0 || index == 2)
        GoToTray();
    else if (index == 1 || index == 3)
        Quit();
}

void DialogMain::GoToTray()
{
    if (!TrayAvailable()) {
        // A hidden window with no tray icon to click could only be killed:
        // without a tray the window is minimised and stays reachable.
        qCInfo(lcApp) << "No system tray: minimising the window instead of hiding it";
        showMinimized();
        return;
    }
    hide();
    // The menu is rebuilt with the texts of the current language; the old
    // one and its actions go, so repeated trips to the tray leave nothing behind.
    QMenu *oldMenu = TrayMenu;
    ActionOpen = new QAction(OpenText, this);
    ActionExit = new QAction(ExitText, this);
    connect(ActionOpen, SIGNAL(triggered()), this, SLOT(slotActionMain()));
    connect(ActionExit, SIGNAL(triggered()), this, SLOT(slotActionExitApp()));
    TrayMenu = new QMenu(this);
    TrayMenu->addAction(ActionOpen);
    TrayMenu->addSeparator();
    TrayMenu->addAction(ActionExit);
    TrayIcon->setContextMenu(TrayMenu);
    if (oldMenu) {
        for (QAction *action : oldMenu->actions()) {
            if (action->parent() == this)
                action->deleteLater();
        }
        oldMenu->deleteLater();
    }
    connect(TrayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
            SLOT(on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason)), Qt::UniqueConnection);
    TrayIcon->show();
}

void DialogMain::Quit()
{
    qCDebug(lcApp) << "close";
    StopUsbChanged();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    UsbServer_Exit();
    close();
}

void DialogMain::ShowFromTray(bool tellDevice)
{
    show();
    if (tellDevice && onDeviceWindow())
        UsbServer_SetPCDriverStatus(true);
    TrayIcon->hide();
}

void DialogMain::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context:
        if (TrayMenu)
            TrayMenu->popup(QCursor::pos());
        break;
    case QSystemTrayIcon::DoubleClick:
        ShowFromTray(false);
        break;
    case QSystemTrayIcon::Trigger:
        ShowFromTray(true);
        break;
    default:
        break;
    }
}

void DialogMain::slotActionMain()
{
    ShowFromTray(true);
}

void DialogMain::slotActionExitApp()
{
    // Every preference reached its file when it was changed: nothing is left
    // for the destructors that exit() skips.
    ExitProcess(0);
}

void DialogMain::SlotMouseOffLine(int index)
{
    // Only a mouse that did not answer is watched and read again when back;
    // a refusal by an answering mouse leaves the settings read as they are.
    if (index == MouseNoticeOffline || index == MouseNoticeTimeOut) {
        DeviceWentOffline = true;
        ReloadWhenOnline = true;
    }
    Notices->Report(index);
}

void DialogMain::SlotUpPageLight() {}

void DialogMain::SlotAllLanguage(int index)
{
    OpenText = HomeLabels[index]["OpenMain"];
    ExitText = HomeLabels[index]["Exit"];
}

void DialogMain::placeOnScreen()
{
    // Left to the first show, the centring moves an X window already made at
    // 0,0, just before it is mapped. Qt reads that move's ConfigureNotify
    // only after the mapping and then asks the X server where the window
    // stands; a window manager that has just put the window into its new
    // frame, not yet moved to its place, answers 0,0. It then moves the frame
    // without a word (the window stands where it asked to be), and Qt keeps
    // 0,0 until the window is moved: every dialog centred over the window and
    // every list under its box opens that far off. Made in place, the window
    // is never moved before it shows, and Qt has nothing to ask.
    adjustPosition(parentWidget());
}

void DialogMain::PlaceDialog(QWidget *dialog, int dx, int dy) const
{
    DialogPlacement::centreOver(dialog, this, dx, dy);
}
