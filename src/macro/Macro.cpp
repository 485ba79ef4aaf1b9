#include "macro/Macro.h"

#include "ui_Macro.h"

#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/ExeIsRun.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "common/ThemeStyles.h"
#include "hub/PostMsg.h"
#include "model/KeyNames.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"
#include "platform/UserFolder.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QListView>
#include <QMouseEvent>

Macro::Macro(QWidget *parent) : QWidget(parent), ui(new Ui_Macro)
{
    ui->setupUi(this);

    RecordHook = new KeyboardHook(this);
    MacroPictureFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/Macro/");
    MacroFileFolder = UserFolder::filePath(QStringLiteral("usersetting/MacroPage"));
    PressIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroDown.png"));
    ReleaseIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroUp.png"));
    DelayIcon = QIcon(MacroPictureFolder + QStringLiteral("MacroTime.png"));

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigButtonToMacro(FlashDataMap, int)), this,
            SLOT(SlotButtonToMacro(FlashDataMap, int)));
    connect(hub, SIGNAL(SigMacroDownLoadData(QString, int)), this,
            SLOT(SlotMacroDownLoadData(QString, int)));
    connect(hub, SIGNAL(SigSetMacroPage()), this, SLOT(SlotSetMacroPage()));

    FillMacroList();
    SetUpButtonGroups();

    ui->StartRecord->setFocusPolicy(Qt::NoFocus);
    ui->ChooseEvent->setView(ThemeStyles::NewComboView(ui->ChooseEvent));
    ui->ChooseEvent->setMaxVisibleItems(5);
    ui->StopRecord->hide();
    ui->AutoInsertDelay->setChecked(true);
    const QStringList buttonColor = ConfigIniStore::GetInstance()->GetValueList(
        QStringLiteral("Option"), QStringLiteral("ButtonColor"));
    ButtonTextColor = buttonColor.mid(0, 3).join(QLatin1Char(','));
    connect(
        RepeatModeGroup, &QButtonGroup::idToggled, this,
        [this](int, bool) { OnRepeatModeToggled(); }, Qt::DirectConnection);
    ApplyTheme();
    ApplyShownState();

    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

// No key may reach a page that is gone; a recording that was running ends
// with it. Nothing is emitted here: the window that receives SigStartRecord is
// itself being destroyed when its pages go.
Macro::~Macro()
{
    RecordHook->Uninstall();
    MacroRecording = false;
    delete ui;
}

void Macro::FillMacroList()
{
    const QStringList files = MacroFolderFiles();
    for (const QString &file : files) {
        if (file.contains(QStringLiteral("xml")))
            continue;
        QString name = file;
        // Only the extension goes, so the name always leads back to its file.
        if (name.endsWith(QLatin1String(".ini")))
            name.chop(4);
        ui->listWidgetHong->addItem(name);
    }
}

void Macro::SetUpButtonGroups()
{
    DelayModeGroup = new QButtonGroup(this);
    DelayModeGroup->setExclusive(true);
    DelayModeGroup->addButton(ui->AutoInsertDelay);
    DelayModeGroup->addButton(ui->DefaultDelay);
    RepeatModeGroup = new QButtonGroup(this);
    RepeatModeGroup->setExclusive(true);
    RepeatModeGroup->addButton(ui->ReUntilLoose);
    RepeatModeGroup->addButton(ui->ReUntilClick);
    RepeatModeGroup->addButton(ui->ReNumber);
    RepeatModeGroup->addButton(ui->ReUntil);
}

void Macro::ApplyTheme()
{
    const QString &p = MacroPictureFolder;
    auto color = [](const char *key) { return ThemeColorText(QString::fromLatin1(key)); };
    const QString labelStyle =
        QStringLiteral("QLabel{color: rgb(") + color("LabelColor") + QStringLiteral(";);}");
    for (QWidget *w :
         {static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->label_2),
          static_cast<QWidget *>(ui->label_3), static_cast<QWidget *>(ui->AutoInsertDelayLabel),
          static_cast<QWidget *>(ui->ReUntilLabel), static_cast<QWidget *>(ui->ReUntilClickLabel),
          static_cast<QWidget *>(ui->ReUntilLooseLabel)})
        w->setStyleSheet(labelStyle);
    const QString checkStyle =
        QStringLiteral("QCheckBox{color: rgb(") + color("LabelColor") +
        QStringLiteral(";);}QCheckBox:indicator::checked {image: url(") + p +
        QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator::unchecked {image: url(") + p +
        QStringLiteral("CheckBox.png);}");
    for (QWidget *w : {ui->AutoInsertDelay, ui->DefaultDelay, ui->ReUntilLoose, ui->ReUntilClick,
                       ui->ReUntil, ui->ReNumber})
        w->setStyleSheet(checkStyle);
    const QString active =
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:"
                       "no-repeat;color: rgb(") +
        ButtonTextColor + QStringLiteral(";);background-image: url(") + p +
        QStringLiteral("Button.png);}QToolButton:hover{background-image: url(") + p +
        QStringLiteral("ButtonHover.png); }QToolButton:pressed{background-image: url(") + p +
        QStringLiteral("ButtonClick.png); }");
    for (QWidget *w : {ui->NewHong, ui->DeleteHong, ui->Amend, ui->DeleteKey})
        w->setStyleSheet(active);
    auto recordStyle = [&](const char *picture, const char *hover) {
        return QStringLiteral("QPushButton{border:0px;background-position:center;background-"
                              "repeat:no-repeat;color: rgb(") +
               ButtonTextColor + QStringLiteral(";);background-image: url(") + p +
               QString::fromLatin1(picture) +
               QStringLiteral(");}QPushButton:hover{background-image: url(") + p +
               QString::fromLatin1(hover) + QStringLiteral("); }");
    };
    ui->StartRecord->setStyleSheet(recordStyle("Record.png", "RecordHover.png"));
    ui->StopRecord->setStyleSheet(recordStyle("Stop.png", "StopHover.png"));
    const QString spinStyle =
        QStringLiteral("QSpinBox{background-color: rgb(63, 63, 63);color: rgb(") +
        color("LinEditColorSecond") + QStringLiteral(";);border: none;}");
    ui->DelayTime->setStyleSheet(spinStyle);
    ui->NumberEdit->setStyleSheet(spinStyle);
    const QString t = color("ComboxTextColor");
    const QString s = color("ComboxSelectColor");
    const QString g = color("ComboxBackGroundColor");
    ui->ChooseEvent->setStyleSheet(ThemeStyles::Combo(p, t, g, s));
    ui->ChooseEvent->view()->setStyleSheet(ThemeStyles::ComboList(s));
    for (QWidget *list : {ui->listWidgetHong, ui->listWidgetKey}) {
        const QString id = QLatin1Char('#') + list->objectName();
        list->setStyleSheet(
            id + QStringLiteral("{background:transparent;color:rgb(255, 255, 255);outline:0px;}") +
            id + QStringLiteral("::item:selected,") + id +
            QStringLiteral("::item:selected:!active{background:qlineargradient(x1:0,y1:0,x2:0,"
                           "y2:1,stop:0 #ff6a00,stop:1 #ff6a00);color:rgb(255,255,255);}") +
            id + QStringLiteral("::item:hover{background:transparent;}") +
            QStringLiteral(
                "QScrollBar:vertical{border:none;width:20px;margin:22px 0px 22px 0px;"
                "background:rgb(30,30,30);}QScrollBar::add-page:vertical,QScrollBar::sub-page:"
                "vertical{background:rgb(30,30,30);}QScrollBar::handle:vertical{background:"
                "rgb(117, 117, 117);border-radius:3px;min-height:30px;margin:2px 4px 2px 6px;}"
                "QScrollBar::add-line:vertical{height:25px;background:rgb(30,30,30);"
                "subcontrol-position:bottom;}QScrollBar::sub-line:vertical{height:25px;"
                "background:rgb(30,30,30);subcontrol-position:top;}QScrollBar::up-arrow:"
                "vertical{border-image:url(") +
            p +
            QStringLiteral("Up.png);width:15px;height:15px;margin:1px 2px 1px 4px;}"
                           "QScrollBar::down-arrow:vertical{border-image:url(") +
            p + QStringLiteral("Down.png);width:15px;height:15px;margin:1px 2px 1px 4px;}"));
    }
}

void Macro::SetSaveIdle()
{
    ui->Save->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:"
                       "no-repeat;color: rgb(127,127,127);background-image: url(") +
        MacroPictureFolder + QStringLiteral("Button.png);}"));
    ui->Save->setEnabled(false);
}

void Macro::ActivateSave()
{
    // Save writes the shown macro; without one there is nothing to write.
    if (ShownMacro.isEmpty())
        return;
    ui->Save->setEnabled(true);
    ui->Save->setStyleSheet(ui->NewHong->styleSheet());
}

void Macro::OnRepeatModeToggled()
{
    RepeatModeChanged = true;
    ActivateSave();
}

void Macro::SlotAllLanguage(int index)
{
    LabelMap &macro = MacroLabels[index];
    LabelMultiMap &events = InsertEventOptionsLabels[index];
    ui->label->setText(macro.value(QStringLiteral("MacroList")));
    ui->label_2->setText(macro.value(QStringLiteral("KeyList")));
    ui->NewHong->setToolTip(index == 5 ? MacroLabels[5].value(QStringLiteral("NewMacro"))
                                       : QString());
    ui->NewHong->setText(macro.value(QStringLiteral("NewMacro")));
    ui->DeleteHong->setText(macro.value(QStringLiteral("Delete")));
    ui->Amend->setText(macro.value(QStringLiteral("Modify")));
    ui->DeleteKey->setText(macro.value(QStringLiteral("Delete")));
    ui->StartRecord->setText(macro.value(QStringLiteral("StartRecord")));
    ui->StopRecord->setText(macro.value(QStringLiteral("StopRecord")));
    ui->AutoInsertDelayLabel->setText(macro.value(QStringLiteral("AutoDelay")));
    ui->DefaultDelay->setText(macro.value(QStringLiteral("DefaultDelay")));
    ui->ReUntilLooseLabel->setText(macro.value(QStringLiteral("UntilThisReleased")));
    ui->ReUntilClickLabel->setText(macro.value(QStringLiteral("UntilAnyPressed")));
    ui->ReUntilLabel->setText(macro.value(QStringLiteral("UntilThisPressed")));
    ui->ReNumber->setText(macro.value(QStringLiteral("CycleTimes")));
    ui->label_3->setText(macro.value(QStringLiteral("InsertEvent")));
    ui->ChooseEvent->setItemText(1, events.value(QStringLiteral("0")));
    ui->ChooseEvent->setItemText(2, events.value(QStringLiteral("1")));
    ui->ChooseEvent->setItemText(3, macro.value(QStringLiteral("Delay")));
    QString *mouseNames[] = {&MouseLeftName, &MouseRightName, &MouseMiddleName, &MouseForwardName,
                             &MouseBackName};
    for (int i = 0; i < 5; ++i) {
        *mouseNames[i] = events.value(QString::number(i + 2));
        ui->ChooseEvent->setItemText(4 + i, *mouseNames[i]);
    }
    ui->Save->setText(CommonLabels[index].value(QStringLiteral("Save")));
    MacroButtonPrefix = macro.value(QStringLiteral("MacroSeond"));
    MenuExportText = macro.value(QStringLiteral("MacroExport"));
    MenuRenameText = macro.value(QStringLiteral("Rename"));
    MenuDeleteText = macro.value(QStringLiteral("Delete"));
    MenuNewText = macro.value(QStringLiteral("NewMacro"));
    MenuImportText = macro.value(QStringLiteral("MacroImport"));
}

void Macro::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange)
        return;
    const int choice = ui->ChooseEvent->currentIndex();
    const int delay = ui->DelayTime->value();
    const int count = ui->NumberEdit->value();
    const bool b1 = ui->ChooseEvent->blockSignals(true);
    const bool b2 = ui->DelayTime->blockSignals(true);
    const bool b3 = ui->NumberEdit->blockSignals(true);
    ui->retranslateUi(this);
    ui->ChooseEvent->setCurrentIndex(choice);
    ui->DelayTime->setValue(delay);
    ui->NumberEdit->setValue(count);
    ui->ChooseEvent->blockSignals(b1);
    ui->DelayTime->blockSignals(b2);
    ui->NumberEdit->blockSignals(b3);
}

// Leaving the device page ends a recording; the macro and its events stay.
void Macro::SlotSetMacroPage()
{
    emit PostMsg::GetInstance()->SigStartRecord(1);
    if (MacroRecording)
        RecordHook->DeliverHeldBack();
    RecordHook->Uninstall();
    ui->StopRecord->hide();
    ui->StartRecord->show();
    for (QWidget *w :
         {static_cast<QWidget *>(ui->DelayTime), static_cast<QWidget *>(ui->NumberEdit),
          static_cast<QWidget *>(ui->listWidgetHong), static_cast<QWidget *>(ui->AutoInsertDelay),
          static_cast<QWidget *>(ui->DefaultDelay), static_cast<QWidget *>(ui->ReUntilLoose),
          static_cast<QWidget *>(ui->ReUntilClick), static_cast<QWidget *>(ui->ReUntil),
          static_cast<QWidget *>(ui->ReNumber), static_cast<QWidget *>(ui->ChooseEvent)})
        w->setEnabled(true);
    if (MacroRecording)
        ReleaseHeldKeys();
    MacroRecording = false;
    DownKeys.clear();
    HeldKeys.clear();
    SetSaveIdle();
    ApplyShownState();
}

int Macro::RunPlaced(QDialog &dialog, int dx, int dy)
{
    DialogPlacement::centreOver(&dialog, this, -dx, -dy);
    return dialog.exec();
}

void Macro::ShowStopRecordFirst()
{
    ExeIsRun notice;
    notice.ShowStopRecordFirst();
    RunPlaced(notice, 100, 50);
}

void Macro::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Macro::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->pos();
    auto inside = [&](QWidget *w) {
        return QRect(w->mapTo(this, QPoint(0, 0)), w->size()).contains(pos);
    };
    if (inside(ui->DelayTime) || inside(ui->NumberEdit))
        return;
    ui->DelayTime->clearFocus();
    ui->NumberEdit->clearFocus();
    setFocus(Qt::OtherFocusReason);
}
