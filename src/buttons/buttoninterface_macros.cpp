// The macro-name buttons of the function menu's macro page.
#include "buttons/Buttoninterface.h"
#include "ui_Buttoninterface.h"

#include "buttons/MacroBinding.h"
#include "buttons/MacroSyncLedger.h"
#include "common/FontScaling.h"
#include "common/LabelCatalogue.h"
#include "common/MakeMacro.h"
#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "common/UpDateWarning.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "model/MacroFiles.h"

#include <QButtonGroup>
#include <QDebug>
#include <QToolButton>
#include <QVBoxLayout>

void Buttoninterface::BuildMacroList()
{
    MacroListLayout = new QVBoxLayout();
    MacroListLayout->setSizeConstraint(QLayout::SetFixedSize);
    MacroListBox = new QWidget();
    MacroListBox->setMinimumSize(205, 220);
    MacroListBox->setMaximumSize(205, 220);
    MacroListBox->setLayout(MacroListLayout);
    ui->scrollArea_7->setWidget(MacroListBox);
    // The start-up scaling divides the first build's font by the screen
    // factor; later builds divide it themselves.
    FillMacroList(9.0);
}

void Buttoninterface::FillMacroList(double pointSize)
{
    // One sheet on the list for all its buttons: a sheet of each button's own
    // would be parsed once per macro. The box's own rule ("*") is the weaker
    // one and sets no property the buttons' rules set, so every button looks
    // as with a sheet of its own.
    const QString sheet = "*{background-color:transparent;border:none;}QToolButton{color: rgb(" +
                          ButtonColorText + ";);border-image: url(" + PictureFolder +
                          "CMenuTitle.png);}QToolButton:hover{background-image: "
                          "none;}QToolButton:checked{border-image: url(" +
                          PictureFolder + "CMenuTitleChecked.png); }";
    // Set before the new buttons exist, and only when it changed: a new sheet
    // styles everything below the box again.
    if (MacroListBox->styleSheet() != sheet)
        MacroListBox->setStyleSheet(sheet);
    QStringList files = MacroFolderFiles();
    for (int i = 0; i < files.size(); ++i) {
        if (files.at(i).contains(QLatin1String("xml"))) {
            files.removeAt(i);
            break;
        }
    }
    QFont font(QStringLiteral("微软雅黑"));
    font.setPointSizeF(pointSize);
    auto makeButton = [&]() {
        auto *button = new QToolButton(MacroListBox);
        button->setFont(font);
        MacroListLayout->addWidget(button);
        MacroButtons.append(button);
        return button;
    };
    const QList<QAbstractButton *> members = SubMenuGroup->buttons();
    int nextId = members.isEmpty() ? -2 : SubMenuGroup->id(members.first()) - 1;
    for (QAbstractButton *member : members)
        nextId = qMin(nextId, SubMenuGroup->id(member) - 1);
    for (const QString &file : files) {
        // A further file of that kind still counts for the padding below.
        if (file.contains(QLatin1String("xml")))
            continue;
        QString name = file;
        // Only the extension goes, so the name always leads back to its file.
        if (name.endsWith(QLatin1String(".ini")))
            name.chop(4);
        QToolButton *button = makeButton();
        button->setText(name);
        button->setCheckable(true);
        button->setMinimumSize(174, 22);
        // The ids the group would give itself (one below its lowest), without
        // the group's search of every button for each new one.
        SubMenuGroup->addButton(button, nextId--);
        connect(button, SIGNAL(clicked(bool)), this, SLOT(slotButtonClicked(bool)));
    }
    // A short list is padded with blank, hidden buttons to seven so that the
    // list keeps its look.
    if (!files.isEmpty() && files.size() < 7) {
        for (int i = files.size(); i < 7; ++i) {
            QToolButton *blank = makeButton();
            blank->setMinimumSize(174, 23);
            blank->setEnabled(false);
            blank->hide();
        }
    }
}

void Buttoninterface::SlotAddMacroButton()
{
    // The sender of the click that led here may be one of these buttons: they
    // go once control is back in the event loop.
    for (QToolButton *b : MacroButtons) {
        SubMenuGroup->removeButton(b);
        MacroListLayout->removeWidget(b);
        b->hide();
        b->deleteLater();
    }
    MacroButtons.clear();
    FillMacroList(9.0 * FontScaleFactor());
}

QString Buttoninterface::BareLabel(const QToolButton *selector) const
{
    QString label = selector->text();
    label.remove(QChar(0));
    if (!MacroLabelPrefix.isEmpty())
        label.remove(MacroLabelPrefix);
    return label;
}

QList<int> Buttoninterface::KeysBoundTo(const QString &macroName) const
{
    // A selector shows a macro as the prefix followed by its name. The label
    // of another function could read like a macro name (a macro called
    // "Forward"), so a key whose known category is not the macro one is
    // never taken for a bound key.
    QList<int> keys;
    for (int k : {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11}) {
        QString label = SelectorOfKey(k)->text();
        label.remove(QChar(0));
        if (label != MacroLabelPrefix + macroName)
            continue;
        if (k < CategoryMirror.size() && CategoryMirror.at(k) != 6)
            continue;
        keys << k;
    }
    return keys;
}

void Buttoninterface::slotButtonClicked(bool checked)
{
    if (!checked)
        return;
    auto *button = qobject_cast<QToolButton *>(sender());
    const int k = CheckedKey();
    if (!button || k < 0) {
        CloseMenu();
        return;
    }
    if (RefuseLastLeft(k, false))
        return;
    const QString name = button->text();
    if (!DeviceDataReady) {
        qWarning() << "device data not ready; macro" << name << "not bound";
        CloseMenu();
        return;
    }
    MacroRecord record;
    const MacroBinding::LoadResult loaded = MacroBinding::LoadRecord(name, &record);
    if (loaded != MacroBinding::LoadResult::Ok) {
        qWarning() << "macro" << name << "not bound:" << MacroBinding::Describe(loaded);
        CloseMenu();
        ShowMacroRefusal(name,
                         MacroLabels[CurrentLanguage].value(MacroBinding::RefusalKey(loaded)));
        return;
    }
    const QString code = MacroBinding::ReadRepeatCode(name);
    int mode = 0;
    if (!MacroBinding::RepeatCodeOf(code, &mode)) {
        qWarning() << "macro" << name << "not bound: its repeat code" << code
                   << "does not fit the button's entry";
        CloseMenu();
        ShowMacroRefusal(name, MacroLabels[CurrentLanguage]
                                   .value(QStringLiteral("MacroRepeatCodeRefused"))
                                   .arg(code.left(20)));
        return;
    }
    // The macro goes to the button's own slot of the macro table. A mouse
    // that does not take it is reported once, as for any other setting.
    const unsigned char entry[3] = {6, uint8_t(k), uint8_t(mode)};
    if (DeviceField::Write([&] {
            return SetKeyMacro(k, entry, reinterpret_cast<const unsigned char *>(&record));
        })) {
        SelectorOfKey(k)->setText(MacroLabelPrefix + name);
        StoreKeyMirrors(k, 6, k, mode);
        MacroLedger->recordSynced(
            name,
            MacroSyncLedger::DeviceDigest(mode, reinterpret_cast<const unsigned char *>(&record),
                                          int(sizeof(record))),
            MacroSyncLedger::Change::Bound);
    }
    CloseMenu();
}

void Buttoninterface::SlotDeleteMacroButton(QString MacroName)
{
    QString name = MacroName;
    name.remove(QChar(0));
    if (!MacroLabelPrefix.isEmpty() && name.startsWith(MacroLabelPrefix))
        name = name.mid(MacroLabelPrefix.size());
    // Also the buttons that hold it under a former name.
    const QList<int> keys = KeysHolding(name);
    // Gone from the computer: nothing of it is left to send.
    MacroLedger->forgetMacro(name);
    for (int k : keys) {
        SelectorOfKey(k)->setChecked(true);
        // The default function and the cleared event block go out in one
        // guarded write; offline, the button keeps its binding and the
        // offline notice says why.
        RestoreDefaultKey(k);
    }
    ReleaseSelectors();
    CloseMenu();
}

void Buttoninterface::ShowNoMacroToOffer()
{
    // Macros reached through a link are not offered: creating one first
    // would not help, the link is why.
    const QString link = MacroFolderLink();
    if (!link.isEmpty()) {
        UpDateWarning notice;
        notice.SetText(StorageNotice::Text(StorageNotice::Kind::MacroFolder, link));
        PlaceDialog(&notice, 50, 70);
        notice.exec();
        return;
    }
    MakeMacro notice;
    PlaceDialog(&notice, 50, 70);
    notice.exec();
}

void Buttoninterface::ShowMacroRefusal(const QString &name, const QString &reason)
{
    UpDateWarning notice;
    const QString text = MacroLabels[CurrentLanguage].value(QStringLiteral("MacroNotBound"));
    notice.SetText(text + QStringLiteral("\n") + name + QStringLiteral(": ") + reason);
    PlaceDialog(&notice, 75, 65);
    notice.exec();
}
