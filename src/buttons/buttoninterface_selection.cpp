// The selectors and the number buttons: which button the function menu
// writes to, and what the menu marks for its current assignment.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/LeftButtonOnly.h"
#include "device/FlashDataStore.h"

#include <QButtonGroup>
#include <QScrollBar>

namespace {

const QString HiddenBar = QStringLiteral("QScrollBar {width:0px;}");
const QString ShownBar = QStringLiteral("QScrollBar {width:10px;}");

void ScrollTo(QScrollArea *area, int position)
{
    area->verticalScrollBar()->setSliderPosition(position);
}

} // namespace

bool Buttoninterface::LeftButtonGuard(QToolButton *selector)
{
    // The mouse must keep one left button: the only selector that carries the
    // left-click function cannot be taken for another function.
    const QString leftText = ui->LeftKey_3->text();
    int count = 0;
    QAbstractButton *holder = nullptr;
    for (QAbstractButton *b : SelectorGroup->buttons()) {
        if (b->text() == leftText) {
            ++count;
            holder = b;
        }
    }
    if (count != 1 || holder != selector)
        return false;

    ui->stackedWidget->setCurrentIndex(0);
    ui->stackedWidget_2->setCurrentIndex(4);
    ReleaseSelectors();
    LeftButtonOnly notice;
    DialogPlacement::centreOver(&notice, this, -50, -70);
    notice.exec();
    return true;
}

void Buttoninterface::ShowSelection(int k, QToolButton *selector, const QString &scrollBarStyle,
                                    bool swapBrowserRows)
{
    if (LeftButtonGuard(selector))
        return;
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(scrollBarStyle);

    auto openMenu = [this](QWidget *subPage) {
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(subPage);
    };

    // Before the first refresh there is nothing to mark: the menu opens on
    // the debounce page with no entry marked.
    if (k >= CategoryMirror.size() || k >= Param1Mirror.size()) {
        openMenu(ui->page_9);
        ScrollTo(ui->scrollArea_10, 0);
        ScrollTo(ui->scrollArea_4, 0);
        return;
    }
    const int c = CategoryMirror.at(k);
    const int p = Param1Mirror.at(k);
    int mainRow = 0;
    int dpiRow = 0;

    switch (c) {
    case 0:
        openMenu(ui->page_9);
        ui->DPI_5->setChecked(true);
        mainRow = 9;
        break;
    case 1: {
        openMenu(ui->page_9);
        QToolButton *const entries[] = {ui->LeftKey_3, ui->RightKey_3, ui->MidKey, ui->BackKey_2,
                                        ui->ForWardKey};
        const int values[] = {1, 2, 4, 8, 16};
        for (int i = 0; i < 5; ++i) {
            if (p == values[i]) {
                entries[i]->setChecked(true);
                mainRow = i;
            }
        }
        break;
    }
    case 2:
        openMenu(ui->page_7);
        ui->DPI_7->setChecked(true);
        if (p == 1)
            ui->VolumeUp_8->setChecked(true);
        else if (p == 2)
            ui->VolumeUp_9->setChecked(true);
        else if (p == 3)
            ui->VolumeUp_10->setChecked(true);
        mainRow = 13;
        break;
    case 3:
        openMenu(ui->page_4);
        ui->DPI_11->setChecked(true);
        if (p == 1)
            ui->VolumeUp_2->setChecked(true);
        else if (p == 2)
            ui->VolumeDown_2->setChecked(true);
        mainRow = 10;
        break;
    case 4:
        openMenu(ui->page_9);
        ui->DPI_6->setChecked(true);
        mainRow = 7;
        break;
    case 5: {
        const FlashDataMap block = FlashDataSnapshot();
        const KeyStroke &first = block.KeyEvents[k].Strokes[0];
        struct
        {
            int low;
            QToolButton *entry;
            int row;
        } const table[] = {
            {0x83, ui->Player, 0},
            {0xCD, ui->StartPause_2, 1},
            {0xB5, ui->BackMusic_2, 2},
            {0xB6, ui->TopMusic_2, 3},
            {0xB7, ui->Mute, 4},
            {0xE2, ui->VolumeUp, 5},
            {0xE9, ui->VolumeDown, 6},
            {0xEA, ui->VolumeDown_4, 7},
            {0x8A, ui->VolumeDown_5, 8},
            {0x92, ui->VolumeDown_6, 9},
            {0x94, ui->VolumeDown_3, 10},
            {0x23, ui->VolumeDown_8, 11},
            {0x21, ui->VolumeDown_9, 12},
            {0x24, ui->VolumeDown_10, swapBrowserRows ? 14 : 13},
            {0x25, ui->VolumeDown_7, swapBrowserRows ? 13 : 14},
            {0x26, ui->VolumeDown_12, 15},
            {0x27, ui->VolumeDown_13, 16},
            {0x2A, ui->VolumeDown_11, 17},
        };
        if (first.Kind == 2) {
            for (const auto &e : table) {
                if (e.low == (first.Code & 0xFF)) {
                    openMenu(ui->page_3);
                    e.entry->setChecked(true);
                    ui->DPI_12->setChecked(true);
                    ScrollTo(ui->scrollArea_3, 15 * e.row);
                    ScrollTo(ui->scrollArea_4, 15 * 16);
                    return;
                }
            }
        }
        // A key combination, or a consumer usage the menu does not offer.
        openMenu(ui->page_9);
        ui->DPI_8->setChecked(true);
        ScrollTo(ui->scrollArea_3, 0);
        ScrollTo(ui->scrollArea_4, 15 * 8);
        return;
    }
    case 6: {
        openMenu(ui->page_5);
        ui->DPI_10->setChecked(true);
        QString label = selector->text();
        label.remove(QChar(0));
        int position = 1;
        for (QToolButton *b : MacroButtons) {
            if (MacroLabelPrefix + b->text() == label) {
                b->setChecked(true);
                ScrollTo(ui->scrollArea_7, 15 * position);
            }
            ++position;
        }
        mainRow = 15;
        break;
    }
    case 7:
        openMenu(ui->page_9);
        ui->DPI_2->setChecked(true);
        mainRow = 5;
        break;
    case 8:
        openMenu(ui->page_6);
        ui->DPI_9->setChecked(true);
        if (p == 0)
            ui->VolumeUp_4->setChecked(true);
        else if (p == 1)
            ui->VolumeUp_5->setChecked(true);
        else if (p == 3)
            ui->VolumeUp_6->setChecked(true);
        else if (p == 4)
            ui->VolumeUp_7->setChecked(true);
        mainRow = 12;
        break;
    case 9:
        openMenu(ui->page_9);
        ui->DPI_3->setChecked(true);
        mainRow = 6;
        break;
    case 10: {
        openMenu(ui->page_8);
        ui->DPI_4->setChecked(true);
        QToolButton *const entries[] = {ui->VolumeUp_11, ui->VolumeUp_12, ui->VolumeUp_13,
                                        ui->VolumeUp_16, ui->VolumeUp_15, ui->VolumeUp_19,
                                        ui->VolumeUp_20, ui->VolumeUp_22, ui->VolumeUp_18,
                                        ui->VolumeUp_24, ui->VolumeUp_23, ui->VolumeUp_21};
        const int dpi = DpiCodeToValue(p);
        if (dpi >= 100 && dpi <= 1200 && dpi % 100 == 0) {
            dpiRow = dpi / 100 - 1;
            entries[dpiRow]->setChecked(true);
        }
        mainRow = 15;
        break;
    }
    case 11:
        openMenu(ui->page_10);
        ui->DPI_13->setChecked(true);
        if (p == 1)
            ui->VolumeUp_14->setChecked(true);
        else if (p == 2)
            ui->VolumeDown_14->setChecked(true);
        mainRow = 10;
        break;
    default:
        break;
    }
    ScrollTo(ui->scrollArea_10, 15 * dpiRow);
    ScrollTo(ui->scrollArea_4, 15 * mainRow);
}

void Buttoninterface::on_FireKey_clicked()
{
    ShowSelection(0, ui->FireKey, ShownBar, false);
}
void Buttoninterface::on_RightKey_clicked()
{
    ShowSelection(1, ui->RightKey, HiddenBar, true);
}
void Buttoninterface::on_BackKey_clicked()
{
    ShowSelection(2, ui->BackKey, HiddenBar, false);
}
void Buttoninterface::on_StartPause_clicked()
{
    ShowSelection(4, ui->StartPause, HiddenBar, false);
}
void Buttoninterface::on_TopMusic_clicked()
{
    ShowSelection(3, ui->TopMusic, HiddenBar, false);
}
void Buttoninterface::on_BackMusic_clicked()
{
    ShowSelection(5, ui->BackMusic, HiddenBar, false);
}
void Buttoninterface::on_Button7_clicked()
{
    ShowSelection(6, ui->Button7, ShownBar, false);
}
void Buttoninterface::on_Button8_clicked()
{
    ShowSelection(7, ui->Button8, ShownBar, false);
}
void Buttoninterface::on_Button9_clicked()
{
    ShowSelection(8, ui->Button9, ShownBar, false);
}
void Buttoninterface::on_Button10_clicked()
{
    ShowSelection(9, ui->Button10, ShownBar, false);
}
void Buttoninterface::on_Button11_clicked()
{
    ShowSelection(10, ui->Button11, ShownBar, false);
}
void Buttoninterface::on_Button12_clicked()
{
    ShowSelection(11, ui->Button12, ShownBar, false);
}

void Buttoninterface::SelectRow(int row)
{
    // The online check reports an offline mouse; selecting goes on all the same.
    CheckDeviceOnline();
    QToolButton *const selectors[] = {ui->FireKey,  ui->RightKey,  ui->BackKey,  ui->StartPause,
                                      ui->TopMusic, ui->BackMusic, ui->Button7,  ui->Button8,
                                      ui->Button9,  ui->Button10,  ui->Button11, ui->Button12};
    QToolButton *selector = selectors[row - 1];
    // A number button reaches the same selector as a click on it, so it gets
    // the same left-button guard.
    if (LeftButtonGuard(selector))
        return;
    selector->setChecked(true);
    ScrollTo(ui->scrollArea_11, 20 * (row - 1));
}

void Buttoninterface::on_Number1_clicked()
{
    SelectRow(1);
}
void Buttoninterface::on_Number2_clicked()
{
    SelectRow(2);
}
void Buttoninterface::on_Number3_clicked()
{
    SelectRow(3);
}
void Buttoninterface::on_Number4_clicked()
{
    SelectRow(4);
}
void Buttoninterface::on_Number5_clicked()
{
    SelectRow(5);
}
void Buttoninterface::on_Number6_clicked()
{
    SelectRow(6);
}
void Buttoninterface::on_Number7_clicked()
{
    SelectRow(7);
}
void Buttoninterface::on_Number8_clicked()
{
    SelectRow(8);
}
void Buttoninterface::on_Number9_clicked()
{
    SelectRow(9);
}
void Buttoninterface::on_Number10_clicked()
{
    SelectRow(10);
}
void Buttoninterface::on_Number11_clicked()
{
    SelectRow(11);
}
void Buttoninterface::on_Number12_clicked()
{
    SelectRow(12);
}
