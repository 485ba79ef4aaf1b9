#include "settings/UpDateRepair.h"

#include "app/PostMsg.h"
#include "common/ConfigIniStore.h"
#include "common/SharedState.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

UpDateRepair *RepairDialog = nullptr;

UpDateRepair::UpDateRepair(QWidget *parent) : QDialog(parent)
{
    setObjectName("UpDateRepair");
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(300, 140);
    const QString folder = QCoreApplication::applicationDirPath() + "/Picture/WarningDialog/";
    const QString colour = ThemeColorText("LabelColor");

    auto *frame = new QFrame(this);
    frame->setObjectName("UpDateRepairA");
    frame->setGeometry(0, 0, 300, 140);
    frame->setStyleSheet("#UpDateRepairA{border:0px;background-position:center;background-"
                         "repeat:no-repeat;background-image: url(" +
                         folder + "BackGround.png);}");

    Message = new QLabel(frame);
    Message->setObjectName("label");
    Message->setGeometry(10, 30, 280, 60);
    Message->setAlignment(Qt::AlignCenter);
    Message->setWordWrap(true);
    Message->setStyleSheet("QLabel{color: rgb(" + colour + ");}");

    Progress = new QProgressBar(frame);
    Progress->setObjectName("progressBar");
    Progress->setGeometry(30, 100, 240, 14);
    Progress->setRange(0, 100);

    CloseButton = new QToolButton(frame);
    CloseButton->setObjectName("CloseButton");
    CloseButton->setGeometry(275, 3, 20, 20);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setStyleSheet(
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
        folder + "Close.png);}QToolButton:hover{background-image: url(" + folder +
        "CloseHover.png);}");
    connect(CloseButton, &QToolButton::clicked, this, &UpDateRepair::on_CloseButton_clicked);

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigProgress(int, int)), this, SLOT(SlotProgress(int, int)));
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    ResetView();
}

UpDateRepair::~UpDateRepair()
{
    if (RepairDialog == this)
        RepairDialog = nullptr;
}

void UpDateRepair::ResetView()
{
    Message->clear();
    Message->show();
    CloseButton->show();
    Progress->setValue(0);
    Progress->hide();
}

bool UpDateRepair::StartAutoRepair(int variant)
{
    AutoStarted = true;
    ReceiverVariant = variant;
    // No upgrade engine yet, so there is no repair image to flash.
    qDebug() << "firmware repair not available yet";
    return false;
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    // The check of an interrupted upgrade comes with the upgrade engine.
}

void UpDateRepair::SlotProgress(int, int value)
{
    Progress->show();
    Progress->setValue(value);
}

void UpDateRepair::SlotAutoRepair(int) {}

void UpDateRepair::SlotAutoRepairProgress(int) {}

void UpDateRepair::SlotAllLanguage(int) {}

void UpDateRepair::on_CloseButton_clicked()
{
    close();
}
