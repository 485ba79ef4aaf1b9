#include "macro/Macro.h"

#include "app/PagePlaceholder.h"
#include "app/PostMsg.h"
#include "common/SharedState.h"

#include <QLabel>

Macro::Macro(QWidget *parent) : QWidget(parent)
{
    Title = BuildPagePlaceholder(this, "Macro");
    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));
    connect(hub, SIGNAL(SigMacroDownLoadData(QString, int)), this,
            SLOT(SlotMacroDownLoadData(QString, int)));
    connect(hub, SIGNAL(SigButtonToMacro(FlashDataMap, int)), this,
            SLOT(SlotButtonToMacro(FlashDataMap, int)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

Macro::~Macro() = default;

// Recording locks the device window's page buttons until it stops; the
// keyboard capture itself comes with the macro editor.
void Macro::on_StartRecord_clicked()
{
    MacroRecording = true;
    emit PostMsg::GetInstance()->SigStartRecord(0);
}

void Macro::on_StopRecord_clicked()
{
    MacroRecording = false;
    emit PostMsg::GetInstance()->SigStartRecord(1);
}

void Macro::SlotSetMacroPage()
{
    emit PostMsg::GetInstance()->SigStartRecord(1);
    MacroRecording = false;
}

// Without the macro editor there are no macro events to download or to take
// over from a button; both requests leave the block and the files unchanged.
void Macro::SlotMacroDownLoadData(QString, int) {}

void Macro::SlotButtonToMacro(FlashDataMap, int) {}

void Macro::SlotAllLanguage(int) {}
