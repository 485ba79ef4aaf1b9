// The function menu's entries: each writes its function to the button of the
// checked selector and closes the menu.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/FireKey.h"
#include "buttons/GroupKey.h"
#include "buttons/KeyCombination.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"

#include <QDebug>
#include <QScrollBar>

// First page: mouse keys and switches.
void Buttoninterface::on_LeftKey_3_clicked(bool checked)
{
    ui->stackedWidget_2->setCurrentIndex(4);
    AssignEntry(checked, true, 1, 1, 0, ui->LeftKey_3->text());
}
void Buttoninterface::on_RightKey_3_clicked(bool checked)
{
    AssignEntry(checked, true, 1, 2, 0, ui->RightKey_3->text());
}
void Buttoninterface::on_MidKey_clicked(bool checked)
{
    AssignEntry(checked, true, 1, 4, 0, ui->MidKey->text());
}
void Buttoninterface::on_BackKey_2_clicked(bool checked)
{
    AssignEntry(checked, true, 1, 8, 0, ui->BackKey_2->text());
}
void Buttoninterface::on_ForWardKey_clicked(bool checked)
{
    AssignEntry(checked, true, 1, 16, 0, ui->ForWardKey->text());
}
void Buttoninterface::on_DPI_2_clicked(bool checked)
{
    AssignEntry(checked, true, 7, 0, 0, ui->DPI_2->text());
}
void Buttoninterface::on_DPI_3_clicked(bool checked)
{
    AssignEntry(checked, true, 9, 0, 0, ui->DPI_3->text());
}
void Buttoninterface::on_DPI_5_clicked(bool checked)
{
    AssignEntry(checked, true, 0, 0, 0, ui->DPI_5->text());
}

// Fire key: a press opens the dialog (clicked(false)); the accepted values
// are written through the clicked(true) path.
void Buttoninterface::on_DPI_6_clicked()
{
    // No dialog for a mouse that cannot take its answer: the user is told
    // why the menu closes.
    if (!CheckDeviceOnline()) {
        ui->stackedWidget->setCurrentIndex(0);
        ui->stackedWidget_2->setCurrentIndex(4);
        return;
    }
    int k = CheckedKey();
    if (k < 0)
        k = 0;
    FireKey dialog;
    const bool hasFireKey = SelectorOfKey(k)->text() == ui->DPI_6->text();
    if (hasFireKey && k < Param1Mirror.size() && k < Param2Mirror.size()) {
        dialog.SetInterval(Param1Mirror.at(k));
        dialog.SetTimes(Param2Mirror.at(k));
    } else {
        dialog.SetInterval(10);
        dialog.SetTimes(3);
    }
    PlaceDialog(&dialog, 50, 70);
    dialog.exec();
    if (!dialog.Accepted)
        return;
    FireKeyInterval = dialog.Interval;
    FireKeyTimes = dialog.Times;
    on_DPI_6_clicked(true);
}
void Buttoninterface::on_DPI_6_clicked(bool checked)
{
    AssignEntry(checked, true, 4, FireKeyInterval, FireKeyTimes, ui->DPI_6->text());
}

void Buttoninterface::on_DPI_8_clicked()
{
    GroupKey dialog;
    PlaceDialog(&dialog, 50, 70);
    dialog.exec();
    if (!dialog.Accepted)
        return;
    ui->stackedWidget_2->setCurrentIndex(4);
    UncheckFunctionMenu();
    const int k = CheckedKey();
    if (k >= 0 && RefuseLastLeft(k, false))
        return;
    KeyEventBlock block;
    if (k >= 0) {
        if (KeyCombination::Parse(dialog.KeyText, &block))
            WriteEvents(k, block, dialog.KeyText);
        else
            qWarning() << "key combination" << dialog.KeyText << "has more than three keys";
    }
    // Unlike the other entries, the menu stays open after a combination.
    ui->stackedWidget->setCurrentWidget(ui->page_2);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar {width:10px;}"));
    ui->stackedWidget_2->setCurrentIndex(4);
}

// Entries that open a sub-menu.
void Buttoninterface::on_DPI_13_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_10);
}
void Buttoninterface::on_DPI_11_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_4);
}
void Buttoninterface::on_DPI_4_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_8);
}
void Buttoninterface::on_DPI_4_clicked(bool) {}
void Buttoninterface::on_DPI_9_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_6);
}
void Buttoninterface::on_DPI_7_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_7);
}
void Buttoninterface::on_DPI_12_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_3);
}
void Buttoninterface::on_DPI_10_clicked()
{
    if (!MacroButtons.isEmpty()) {
        ui->stackedWidget_2->setCurrentWidget(ui->page_5);
        return;
    }
    ui->stackedWidget_2->setCurrentIndex(4);
    ShowNoMacroToOffer();
}

// Scrolling, DPI control and light switches.
void Buttoninterface::on_VolumeUp_2_clicked(bool checked)
{
    AssignEntry(checked, false, 3, 1, 0, ui->VolumeUp_2->text());
}
void Buttoninterface::on_VolumeDown_2_clicked(bool checked)
{
    AssignEntry(checked, false, 3, 2, 0, ui->VolumeDown_2->text());
}
void Buttoninterface::on_VolumeUp_14_clicked(bool checked)
{
    AssignEntry(checked, false, 11, 1, 0, ui->VolumeUp_14->text(), ui->scrollArea_12);
}
void Buttoninterface::on_VolumeDown_14_clicked(bool checked)
{
    AssignEntry(checked, false, 11, 2, 0, ui->VolumeDown_14->text(), ui->scrollArea_12);
}
void Buttoninterface::on_VolumeUp_8_clicked(bool checked)
{
    AssignEntry(checked, false, 2, 1, 0, ui->VolumeUp_8->text());
}
void Buttoninterface::on_VolumeUp_9_clicked(bool checked)
{
    AssignEntry(checked, false, 2, 2, 0, ui->VolumeUp_9->text());
}
void Buttoninterface::on_VolumeUp_10_clicked(bool checked)
{
    AssignEntry(checked, false, 2, 3, 0, ui->VolumeUp_10->text());
}
void Buttoninterface::on_VolumeUp_4_clicked(bool checked)
{
    AssignEntry(checked, false, 8, 0, 0, ui->VolumeUp_4->text());
}
void Buttoninterface::on_VolumeUp_5_clicked(bool checked)
{
    AssignEntry(checked, false, 8, 1, 0, ui->VolumeUp_5->text());
}
void Buttoninterface::on_VolumeUp_6_clicked(bool checked)
{
    AssignEntry(checked, false, 8, 3, 0, ui->VolumeUp_6->text());
}
void Buttoninterface::on_VolumeUp_7_clicked(bool checked)
{
    AssignEntry(checked, false, 8, 4, 0, ui->VolumeUp_7->text());
}

// DPI lock.
void Buttoninterface::on_VolumeUp_11_clicked(bool checked)
{
    AssignDpiLock(checked, 100);
}
void Buttoninterface::on_VolumeUp_12_clicked(bool checked)
{
    AssignDpiLock(checked, 200);
}
void Buttoninterface::on_VolumeUp_13_clicked(bool checked)
{
    AssignDpiLock(checked, 300);
}
void Buttoninterface::on_VolumeUp_16_clicked(bool checked)
{
    AssignDpiLock(checked, 400);
}
void Buttoninterface::on_VolumeUp_15_clicked(bool checked)
{
    AssignDpiLock(checked, 500);
}
void Buttoninterface::on_VolumeUp_19_clicked(bool checked)
{
    AssignDpiLock(checked, 600);
}
void Buttoninterface::on_VolumeUp_20_clicked(bool checked)
{
    AssignDpiLock(checked, 700);
}
void Buttoninterface::on_VolumeUp_22_clicked(bool checked)
{
    AssignDpiLock(checked, 800);
}
void Buttoninterface::on_VolumeUp_18_clicked(bool checked)
{
    AssignDpiLock(checked, 900);
}
void Buttoninterface::on_VolumeUp_24_clicked(bool checked)
{
    AssignDpiLock(checked, 1000);
}
void Buttoninterface::on_VolumeUp_23_clicked(bool checked)
{
    AssignDpiLock(checked, 1100);
}
void Buttoninterface::on_VolumeUp_21_clicked(bool checked)
{
    AssignDpiLock(checked, 1200);
}

// Multimedia keys (consumer usages).
void Buttoninterface::on_Player_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0183, ui->Player);
}
void Buttoninterface::on_StartPause_2_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00CD, ui->StartPause_2);
}
void Buttoninterface::on_BackMusic_2_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00B5, ui->BackMusic_2);
}
void Buttoninterface::on_TopMusic_2_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00B6, ui->TopMusic_2);
}
void Buttoninterface::on_Mute_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00B7, ui->Mute);
}
void Buttoninterface::on_VolumeUp_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00E2, ui->VolumeUp);
}
void Buttoninterface::on_VolumeDown_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00E9, ui->VolumeDown);
}
void Buttoninterface::on_VolumeDown_4_clicked(bool checked)
{
    AssignMultimedia(checked, 0x00EA, ui->VolumeDown_4);
}
void Buttoninterface::on_VolumeDown_5_clicked(bool checked)
{
    AssignMultimedia(checked, 0x018A, ui->VolumeDown_5);
}
void Buttoninterface::on_VolumeDown_6_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0192, ui->VolumeDown_6);
}
void Buttoninterface::on_VolumeDown_3_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0194, ui->VolumeDown_3);
}
void Buttoninterface::on_VolumeDown_8_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0223, ui->VolumeDown_8);
}
void Buttoninterface::on_VolumeDown_9_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0221, ui->VolumeDown_9);
}
void Buttoninterface::on_VolumeDown_7_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0225, ui->VolumeDown_7);
}
void Buttoninterface::on_VolumeDown_10_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0224, ui->VolumeDown_10);
}
void Buttoninterface::on_VolumeDown_12_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0226, ui->VolumeDown_12);
}
void Buttoninterface::on_VolumeDown_13_clicked(bool checked)
{
    AssignMultimedia(checked, 0x0227, ui->VolumeDown_13);
}
void Buttoninterface::on_VolumeDown_11_clicked(bool checked)
{
    AssignMultimedia(checked, 0x022A, ui->VolumeDown_11);
}
