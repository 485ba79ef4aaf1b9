// The chooser's device grid and what a click on a device does.
#include "device/DialogChange.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/QuestiondialogB.h"
#include "common/RePair.h"
#include "common/UpDateWarning.h"
#include "common/mytoolButtonEnter.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "device/Match.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/Registry.h"
#include "platform/vidide/VidIde.h"
#include "ui_DialogChange.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QThread>

namespace {

const QString ButtonTemplate = QStringLiteral(
    "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;background-"
    "image: url(%P);color: rgb(255, 255, 255);}");
const QString IconTemplate = QStringLiteral(
    "QLabel{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
    "url(%P);color: rgb(255, 255, 255);}");
const QString BadgeTemplate = QStringLiteral("QLabel{background-image: url(%P);}");

// Class of the identity tallies: 0 wired, 1 1K, 2 2K, 3 4K, 4 8K; -1 none.
int tallyClass(const DeviceAllInfo &info)
{
    if (info.Wired)
        return 0;
    switch (info.ReceiverType) {
    case 0:
        return 1;
    case 4:
        return 2;
    case 1:
        return 3;
    case 5:
        return 4;
    default:
        return -1;
    }
}

QString badgePicture(int receiverType)
{
    switch (receiverType) {
    case 0:
        return QStringLiteral("1KHz.png");
    case 4:
        return QStringLiteral("2KHz.png");
    case 1:
        return QStringLiteral("4KHz.png");
    case 5:
    case 3:
        return QStringLiteral("8KHz.png");
    default:
        return QString();
    }
}

int indexFromName(const QString &name)
{
    return QString(name).remove(QStringLiteral("btn")).toInt();
}

// Counts the click handlers running (they may run modal dialogs).
struct ClickScope
{
    explicit ClickScope(int &depth) : Depth(depth) { ++Depth; }
    ~ClickScope() { --Depth; }
    int &Depth;
};

} // namespace

void DialogChange::ClearGrid()
{
    qDeleteAll(DeviceButtons);
    DeviceButtons.clear();
    qDeleteAll(OfflineIcons);
    OfflineIcons.clear();
    qDeleteAll(RateBadges);
    RateBadges.clear();
    qDeleteAll(LinkIcons);
    LinkIcons.clear();
    for (int i = ui->stackedWidget->count() - 1; i >= 0; --i) {
        QWidget *page = ui->stackedWidget->widget(i);
        ui->stackedWidget->removeWidget(page);
        page->deleteLater();
    }
}

void DialogChange::BuildDeviceGrid()
{
    ClearGrid();
    if (FoundDevices.isEmpty()) {
        ui->label_2->show();
        ui->label_3->hide();
        return;
    }

    int tallies[5][15] = {};
    for (int i = 0; i < FoundDevices.size(); ++i) {
        const DeviceAllInfo &info = FoundDevices.at(i);
        const int cls = tallyClass(info);
        if (cls >= 0 && info.DriveIndex >= 0 && info.DriveIndex < 15)
            ++tallies[cls][info.DriveIndex];
        RefreshDeviceLink(i);
    }

    bool identical = false;
    const int total = DeviceCatalogue::ModelCount();
    for (int n = 0; n < total && n < 15 && !identical; ++n) {
        for (int cls = 0; cls < 5; ++cls) {
            if (tallies[cls][n] > 1)
                identical = true;
        }
        if (identical)
            break;
        if (tallies[0][n] == 1) {
            // A model connected by cable exactly once is listed by its wired
            // entry only.
            for (int i = FoundDevices.size() - 1; i >= 0; --i) {
                if (FoundDevices.at(i).DriveIndex == n && !FoundDevices.at(i).Wired)
                    FoundDevices.removeAt(i);
            }
        }
    }

    if (identical) {
        ui->label_2->show();
        ui->label_3->hide();
        ui->RightButton->hide();
        ui->LeftButton->hide();
        {
            // A rescan during the notice waits for it (see slotButtonClicked).
            ClickScope scope(ClickDepth);
            QuestiondialogB notice;
            CentreDialog(&notice);
            DialogSeam::exec(notice);
        }
        RunPendingRebuild();
        return;
    }

    ui->label_2->hide();
    ui->label_3->show();
    const int count = FoundDevices.size();
    const QFont font = ui->NoApear->font();
    for (int first = 0; first < count; first += 3) {
        auto *page = new QWidget;
        const int onPage = qMin(3, count - first);
        for (int slot = 0; slot < onPage; ++slot) {
            const int n = first + slot;
            const DeviceAllInfo &info = FoundDevices.at(n);
            int buttonX = 300 * slot;
            int iconX = 225 + 300 * slot;
            int badgeX = 7 + 300 * slot;
            if (onPage == 1) {
                buttonX = 305;
                iconX = 530;
                badgeX = 312;
            } else if (onPage == 2) {
                buttonX = slot == 0 ? 135 : 445;
                iconX = slot == 0 ? 360 : 665;
                badgeX = slot == 0 ? 142 : 452;
            }

            auto *button = new mytoolButtonEnter(page);
            button->setObjectName(QStringLiteral("btn") + QString::number(n));
            button->setFixedSize(284, 360);
            button->setFocusPolicy(Qt::NoFocus);
            button->setFont(font);
            button->setStyleSheet(Style(ButtonTemplate, info.DriveIndex == UnknownModelIndex
                                                            ? QStringLiteral("Unknow.png")
                                                            : QStringLiteral("DisOnlin0.png")));
            button->move(buttonX, 0);
            // Hovering a device refreshes its link state and icons. The list
            // may have been pruned since the button was named, which
            // RefreshFoundDevice checks before it reads an entry.
            button->setHoverAction([](int index) { RefreshFoundDevice(index); });
            DeviceButtons.append(button);

            auto *offline = new QLabel(page);
            offline->setObjectName(QStringLiteral("label") + QString::number(n));
            offline->setStyleSheet(Style(IconTemplate, QStringLiteral("DisOnline.png")));
            offline->setFixedSize(32, 32);
            offline->setFocusPolicy(Qt::NoFocus);
            offline->hide();
            offline->setToolTip(OfflineTipText + QStringLiteral("\n") + PairTipText);
            offline->setFont(font);
            offline->move(iconX, 20);
            OfflineIcons.append(offline);

            auto *link = new QLabel(page);
            link->setObjectName(QStringLiteral("UsbWifi") + QString::number(n));
            link->setStyleSheet(Style(IconTemplate, info.Wired ? QStringLiteral("OnLineUsb.png")
                                                               : QStringLiteral("OnLineWifi.png")));
            link->setFixedSize(32, 32);
            link->setFocusPolicy(Qt::NoFocus);
            link->hide();
            link->move(iconX, 20);
            LinkIcons.append(link);

            const QString badge = badgePicture(info.ReceiverType);
            if (!badge.isEmpty()) {
                auto *label = new QLabel(page);
                label->setObjectName(QStringLiteral("badge") + QString::number(n));
                label->setStyleSheet(Style(BadgeTemplate, badge));
                label->setFixedSize(42, 26);
                label->setFocusPolicy(Qt::NoFocus);
                label->move(badgeX, 10);
                RateBadges.append(label);
            }
        }
        ui->stackedWidget->addWidget(page);
    }

    ui->stackedWidget->setCurrentIndex(0);
    ui->RightButton->setVisible(count > 3);
    ui->LeftButton->hide();

    for (mytoolButtonEnter *button : qAsConst(DeviceButtons)) {
        RefreshFoundDevice(indexFromName(button->objectName()));
        connect(button, &QToolButton::clicked, this, &DialogChange::slotButtonClicked);
    }
}

void DialogChange::UpdateDeviceIcons(int index)
{
    if (index < 0 || index >= FoundDevices.size() || index >= DeviceButtons.size() ||
        index >= LinkIcons.size() || index >= OfflineIcons.size())
        return;
    const DeviceAllInfo &info = FoundDevices.at(index);
    if (info.DriveIndex == UnknownModelIndex) {
        LinkIcons[index]->show();
        DeviceButtons[index]->setStyleSheet(Style(ButtonTemplate, QStringLiteral("Unknow.png")));
    } else if (info.Online) {
        LinkIcons[index]->show();
        OfflineIcons[index]->hide();
        DeviceButtons[index]->setStyleSheet(Style(ButtonTemplate, QStringLiteral("OnLine0.png")));
    } else {
        DeviceButtons[index]->setStyleSheet(Style(ButtonTemplate, QStringLiteral("DisOnlin0.png")));
        OfflineIcons[index]->show();
        LinkIcons[index]->hide();
    }
}

void DialogChange::CentreDialog(QWidget *dialog, int shiftX) const
{
    DialogPlacement::centreOver(dialog, this, shiftX);
}

void DialogChange::RunPairing(const DeviceAllInfo &entry)
{
    PairUsesChosenDevice = true;
    PairDeviceInfo = entry;
    Match match;
    match.PreparePair();
    CentreDialog(&match);
    DialogSeam::exec(match);
}

bool DialogChange::RunOffer(const DeviceAllInfo &entry)
{
    ConfigIniStore *store = ConfigIniStore::GetInstance();
    const QString group = DeviceCatalogue::Group(entry.DriveIndex);
    const QString cid = store->GetValue(QStringLiteral("Option"), QStringLiteral("CID"));
    const QString mid = store->GetValue(group, QStringLiteral("MID"));
    store->GetValue(QStringLiteral("Option"), QStringLiteral("Transition"));
    const QString version =
        Registry::instance()
            ->value(Registry::mouseDriveTestKey(), QStringLiteral("MouseVer") + cid + mid)
            .toString();
    if (version.isEmpty()) {
        RunPairing(entry);
        return true;
    }
    const bool mouseNew = FirmwareHooks::loadUpgradeImage(
        210, version, store->GetValue(group, QStringLiteral("MM")), cid.toInt(), mid.toInt());
    QString key;
    switch (entry.ReceiverType) {
    case 1:
        key = QStringLiteral("D4M");
        break;
    case 4:
        key = QStringLiteral("D2M");
        break;
    case 0:
        key = QStringLiteral("DM");
        break;
    case 5:
        key = QStringLiteral("D8M");
        break;
    default:
        break; // a wired or unknown type has no receiver image
    }
    bool receiverNew = false;
    if (!key.isEmpty()) {
        const QString name = store->GetValue(group, key);
        if (key == QLatin1String("DM") || !name.isEmpty())
            receiverNew = FirmwareHooks::loadRepairImage(211, entry.DongleVersionText, name,
                                                         cid.toInt(), mid.toInt());
    }
    if (mouseNew == receiverNew) {
        RePair confirm;
        CentreDialog(&confirm);
        DialogSeam::exec(confirm);
        if (confirm.OkChosen)
            RunPairing(entry);
        return true;
    }
    if (mouseNew) {
        UpDateWarning warning;
        warning.SetText(WiredModeText);
        CentreDialog(&warning, -20);
        DialogSeam::exec(warning);
        return true;
    }
    return false;
}

void DialogChange::slotButtonClicked()
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigIsUsb(false, true);
    emit hub->SigSetver(6);
    const QObject *source = sender();
    const int n = source ? indexFromName(source->objectName()) : -1;
    emit hub->SigMouseIndex(0);
    if (n < 0 || n >= FoundDevices.size())
        return;

    {
        // The click works on its own copy of the record: a hot-plug rescan
        // during one of its modal dialogs replaces the lists, and the grid is
        // rebuilt only after the click has ended.
        ClickScope scope(ClickDepth);
        const DeviceAllInfo entry = FoundDevices.at(n);
        bool ended = false;

        if (FoundDevices.size() == 2 && (n == 0 || n == 1) &&
            FoundDevices.at(0).CidMid == FoundDevices.at(1).CidMid) {
            const DeviceAllInfo other = FoundDevices.at(1 - n);
            const bool clickedOnline =
                UsbFinderC_GetDeviceOnLine(entry.Path.toLocal8Bit().constData());
            const bool otherOnline =
                UsbFinderC_GetDeviceOnLine(other.Path.toLocal8Bit().constData());
            if (!clickedOnline && otherOnline)
                ended = RunOffer(entry);
        }
        if (!ended && entry.DriveIndex == UnknownModelIndex && !entry.Wired)
            ended = RunOffer(entry);
        if (!ended && entry.DriveIndex != UnknownModelIndex) {
            emit hub->SigSelectMouseInfo(entry);
            const int cls = ReportRateClass(entry.ReceiverType);
            if (QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/bin")).exists()) {
                ReceiverHasNewFirmware =
                    FirmwareHooks::hasNewFirmware(211, entry.DongleVersionText, cls);
                emit hub->SigLabelTextB(entry.DongleVersionText, ReceiverHasNewFirmware
                                                                     ? QStringLiteral("true")
                                                                     : QString());
            } else {
                emit hub->SigLabelTextB(entry.DongleVersionText, QString());
            }
            emit hub->SigChangeMainDialog(1);
            QThread::msleep(static_cast<unsigned long>(SelectPauseMs));
            // The device page is active before the pass starts, or the pass
            // could find it inactive and drop the first read.
            DevicePageActive = 1;
            if (WorkerThread)
                WorkerThread->RequestRun();
        }
    }

    RunPendingRebuild();
}

void DialogChange::RunPendingRebuild()
{
    if (!GridRebuildPending || ClickDepth > 0)
        return;
    GridRebuildPending = false;
    // Later, from the event loop: the button whose click is ending must not
    // be deleted inside its own clicked() signal.
    QMetaObject::invokeMethod(
        this,
        [] {
            if (DevicePageActive == 0)
                OnChooserUsbChanged();
        },
        Qt::QueuedConnection);
}
