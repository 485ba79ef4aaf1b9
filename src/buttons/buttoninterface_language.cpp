// Texts and fonts of the current language.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

namespace {

// Element i of a list, or an empty text when the list is shorter.
QString ElementOf(const QStringList &list, int i)
{
    return i < list.size() ? list.at(i) : QString();
}

double LogicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

void Buttoninterface::SlotAllLanguage(int index)
{
    // 1. Menu font; from the second call on it is scaled to the screen, as the
    // main window scales every font once after the first language signal.
    QFont menuFont(QStringLiteral("微软雅黑"));
    double points = index == 4 ? 7 : 9;
    if (FontScaleOn == 1)
        points /= LogicalDpi() / 96.0;
    menuFont.setPointSizeF(points);
    for (QWidget *entry :
         {static_cast<QWidget *>(ui->LeftKey_3), static_cast<QWidget *>(ui->RightKey_3),
          static_cast<QWidget *>(ui->MidKey), static_cast<QWidget *>(ui->BackKey_2),
          static_cast<QWidget *>(ui->ForWardKey), static_cast<QWidget *>(ui->DPI_2),
          static_cast<QWidget *>(ui->DPI_3), static_cast<QWidget *>(ui->DPI_6),
          static_cast<QWidget *>(ui->DPI_8), static_cast<QWidget *>(ui->DPI_5),
          static_cast<QWidget *>(ui->DPI_13), static_cast<QWidget *>(ui->DPI_11),
          static_cast<QWidget *>(ui->DPI_4), static_cast<QWidget *>(ui->DPI_9),
          static_cast<QWidget *>(ui->DPI_7), static_cast<QWidget *>(ui->DPI_12),
          static_cast<QWidget *>(ui->DPI_10)})
        entry->setFont(menuFont);
    FontScaleOn = 1;

    LabelMap &keyLabels = KeyLabels[index];
    const LabelMultiMap &options = KeyOptionsLabels[index];

    // 2., 3. Import and export captions; tool tips only for language 5.
    ui->ImportData->setToolTip(index == 5 ? KeyLabels[5]["Import"] : QString());
    ui->ImportData->setText(keyLabels["Import"]);
    ui->OutputData->setToolTip(index == 5 ? KeyLabels[5]["Export"] : QString());

    // 4. All texts of a key come last read first.
    const QStringList left = options.values("0x0100");
    const QStringList right = options.values("0x0200");
    const QStringList middle = options.values("0x0400");
    const QStringList forward = options.values("0x1000");
    const QStringList back = options.values("0x0800");

    ui->OutputData->setText(keyLabels["Export"]);

    // 6. Default names of the selectors, then the menu entries.
    ui->FireKey->setText(ElementOf(left, 3));
    ui->RightKey->setText(ElementOf(right, 3));
    ui->BackKey->setText(ElementOf(middle, 0));
    ui->StartPause->setText(ElementOf(forward, 0));
    ui->TopMusic->setText(ElementOf(back, 0));
    ui->BackMusic->setText(ElementOf(left, 0));
    ui->Button7->setText(QStringLiteral("DPI+"));
    ui->Button8->setText(QStringLiteral("DPI-"));
    for (QToolButton *b : {ui->Button9, ui->Button10, ui->Button11, ui->Button12})
        b->setText(ElementOf(left, 0));

    ui->VolumeUp_8->setText(ElementOf(left, 0));
    ui->LeftKey_3->setText(ElementOf(left, 3));
    ui->RightKey_3->setText(ElementOf(right, 3));
    ui->MidKey->setText(ElementOf(middle, 0));
    ui->BackKey_2->setText(ElementOf(back, 0));
    ui->ForWardKey->setText(ElementOf(forward, 0));

    // A key missing from the options gives an empty text.
    auto optionText = [&options](const char *key) { return options.value(QLatin1String(key)); };
    const struct
    {
        QAbstractButton *entry;
        const char *key;
    } keyed[] = {
        {ui->DPI_2, "7"},
        {ui->DPI_3, "9"},
        {ui->DPI_6, "4"},
        {ui->DPI_8, "5"},
        {ui->DPI_5, "10"},
        {ui->DPI_13, "B"},
        {ui->DPI_11, "3"},
        {ui->DPI_10, "6"},
        {ui->DPI_9, "11"},
        {ui->DPI_7, "2"},
        {ui->DPI_12, "1005"},
        {ui->DPI_4, "12"},
        {ui->Player, "0x0183"},
        {ui->StartPause_2, "0x00CD"},
        {ui->BackMusic_2, "0x00B5"},
        {ui->TopMusic_2, "0x00B6"},
        {ui->Mute, "0x00B7"},
        {ui->VolumeUp, "0x00E2"},
        {ui->VolumeDown, "0x00E9"},
        {ui->VolumeDown_4, "0x00EA"},
        {ui->VolumeDown_5, "0x018A"},
        {ui->VolumeDown_6, "0x0192"},
        {ui->VolumeDown_3, "0x0194"},
        {ui->VolumeDown_8, "0x0223"},
        {ui->VolumeDown_9, "0x0221"},
        {ui->VolumeDown_7, "0x0225"},
        {ui->VolumeDown_10, "0x0224"},
        {ui->VolumeDown_12, "0x0226"},
        {ui->VolumeDown_13, "0x0227"},
        {ui->VolumeDown_11, "0x022A"},
        {ui->VolumeUp_4, "13"},
        {ui->VolumeUp_5, "14"},
        {ui->VolumeUp_6, "15"},
        {ui->VolumeUp_7, "16"},
    };
    for (const auto &item : keyed)
        item.entry->setText(optionText(item.key));

    ui->label_3->setText(keyLabels["DebounceTime"]);
    ui->VolumeUp_2->setText(ElementOf(left, 2));
    ui->VolumeDown_2->setText(ElementOf(right, 2));
    ui->VolumeUp_14->setText(ElementOf(left, 1));
    ui->VolumeDown_14->setText(ElementOf(right, 1));

    // 7., 8. Prefixes of macro labels and profile names.
    MacroLabelPrefix = MacroLabels[index]["MacroSeond"];
    ProfileNamePrefix = ProfileOptionsLabels[index].value(QStringLiteral("0"), QString());
    ProfileNamePrefix.remove(QLatin1Char('1'));

    // 9. Debounce items.
    for (int i = 0; i < 16; ++i)
        ui->DebunceButton->SetItemText(i, QStringLiteral("ms"));

    // 10. Selector names from the device's data, when the chosen device was
    // ever read (its cache file exists).
    FlashDataMap cached{};
    if (ReadFlashDataCache(SelectedCacheName, cached)) {
        const int n = CurrentKeyNumber();
        const FlashDataMap source = DeviceOnline ? FlashDataSnapshot() : cached;
        LoadMirrors(source);
        for (int k = 0; k < n; ++k)
            DecodeKeyAssignment(k, CategoryMirror.at(k), Param1Mirror.at(k), Param2Mirror.at(k),
                                source);

        MyConmboBox *box = ui->ProjectChoose;
        const int count = box->count();
        const int current = box->currentIndex();
        const QSignalBlocker blocker(box);
        box->clear();
        for (int i = 0; i < count; ++i)
            box->insertItem(i, ProfileNamePrefix + QString::number(i + 1));
        box->setCurrentIndex(current);
    }

    emit PostMsg::GetInstance()->SigAddConfig(ui->ProjectChoose->currentText());
}
