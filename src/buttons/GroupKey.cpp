#include "buttons/GroupKey.h"

#include "ui_GroupKey.h"

#include "buttons/KeyCombination.h"
#include "common/ConfigIniStore.h"
#include "common/GroupMaxThree.h"
#include "common/LabelCatalogue.h"
#include "hub/PostMsg.h"
#include "model/KeyNames.h"
#include "platform/KeyboardHook.h"

#include <QCloseEvent>
#include <QKeyEvent>

int GroupKey::ComposeWindowMs = 2000;

GroupKeyHook::GroupKeyHook() = default;

GroupKeyHook::~GroupKeyHook()
{
    RemoveHook();
}

void GroupKeyHook::InstallHook(Callback callback)
{
    if (!m_hook)
        m_hook = std::make_unique<KeyboardHook>();
    m_hook->SetCallback(std::move(callback));
    if (!m_hook->Install())
        qWarning("key capture unavailable: no keys can be taken for the combination");
}

void GroupKeyHook::RemoveHook()
{
    if (!m_hook)
        return;
    m_hook->Uninstall();
    m_hook->SetCallback(nullptr);
}

bool GroupKeyHook::IsInstalled() const
{
    return m_hook && m_hook->IsInstalled();
}

GroupKey::GroupKey(QWidget *parent) : NoticeDialog(parent), ui(new Ui::GroupKey)
{
    ui->setupUi(this);
    Hook.InstallHook(
        [this](int key, bool down, bool repeat) { UpdateCapslockTip(key, down, repeat); });

    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->lineEdit->setFocus(Qt::OtherFocusReason);

    Look look;
    look.frame = ui->groupKeyA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong, ui->NewHong_2};
    applyLook(look);
    const QString labelColour = ThemeColorText(QStringLiteral("LabelColor"));
    const QString boxSheet = QStringLiteral("QCheckBox{color: rgb(") + labelColour +
                             QStringLiteral(");}QCheckBox::indicator:checked{image: url(") +
                             PictureFolder +
                             QStringLiteral("CheckBoxCheck.png);}QCheckBox::indicator:unchecked{"
                                            "image: url(") +
                             PictureFolder + QStringLiteral("CheckBox.png);}");
    for (QCheckBox *box : {ui->Shift, ui->Ctrl, ui->Alt, ui->Win})
        box->setStyleSheet(boxSheet);
    ui->lineEdit->setStyleSheet(QStringLiteral("QLineEdit{color: rgb(") +
                                ThemeColorText(QStringLiteral("LinEditColor")) +
                                QStringLiteral(");}"));

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    scaleFonts();
}

GroupKey::~GroupKey()
{
    Hook.RemoveHook();
}

QString GroupKey::CombinationKeyName(int virtualKey)
{
    QString name;
    if (!VirtualKeyToKeyName(virtualKey, &name))
        return QString();
    // Modifiers come from the check boxes only.
    const QStringList code = KeyNameToHidCode(name);
    if (code.size() == 2 && code.at(1) != QLatin1String("1"))
        return QString();
    return name;
}

QString GroupKey::CapturedText() const
{
    return ui->lineEdit->text();
}

void GroupKey::UpdateCapslockTip(int keyCode, bool downOrUp, bool)
{
    if (!downOrUp)
        return;
    if (KeyTimerIdle) {
        KeyTimer.start();
        KeyTimerIdle = false;
    } else if (KeyTimer.elapsed() > ComposeWindowMs) {
        ui->lineEdit->clear();
        LastKey = -1;
        KeyTimer.restart();
    }
    // A key held down, or pressed twice in a row, is taken once.
    if (keyCode == LastKey)
        return;
    LastKey = keyCode;
    const QString name = CombinationKeyName(keyCode);

    const QString text = ui->lineEdit->text();
    // Names, not "+" characters, are counted: "Num+" is one key.
    const QStringList names = text.isEmpty() ? QStringList() : KeyCombination::SplitNames(text);
    PlusCount = qMax(0, names.size() - 1);
    if (PlusCount >= 2) {
        // A fourth key starts a new combination with itself.
        PlusCount = 0;
        LastKey = keyCode;
        ui->lineEdit->setText(name);
    } else if (name.isEmpty() || names.contains(name)) {
        // Nothing to add; whole names are compared, so F1 still joins F11.
    } else if (text.isEmpty()) {
        ui->lineEdit->setText(name);
    } else {
        ui->lineEdit->setText(text + QStringLiteral("+") + name);
        if (PlusCount == 1)
            LastKey = -1;
    }
}

void GroupKey::on_CloseButton_clicked()
{
    Accepted = false;
    Hook.RemoveHook();
    close();
}

void GroupKey::on_NewHong_2_clicked()
{
    Accepted = false;
    Hook.RemoveHook();
    close();
}

void GroupKey::on_NewHong_clicked()
{
    QString text;
    int count = 0;
    const QList<QPair<QCheckBox *, QString>> modifiers = {{ui->Shift, QStringLiteral("Shift")},
                                                          {ui->Ctrl, QStringLiteral("Ctrl")},
                                                          {ui->Alt, QStringLiteral("Alt")},
                                                          {ui->Win, QStringLiteral("Win")}};
    for (const auto &m : modifiers) {
        if (!m.first->isChecked())
            continue;
        ++count;
        text += text.isEmpty() ? m.second : QStringLiteral("+") + m.second;
    }
    const QString keys = ui->lineEdit->text();
    if (!keys.isEmpty())
        count += KeyCombination::SplitNames(keys).size();

    if (count <= KeyCombination::MaxKeys) {
        Hook.RemoveHook();
        if (text.isEmpty())
            text = keys;
        else if (!keys.isEmpty())
            text += QStringLiteral("+") + keys;
        KeyText = text;
        Accepted = true;
        close();
        return;
    }

    GroupMaxThree notice;
    notice.move(mapToGlobal(QPoint(0, 0)));
    notice.exec();
    PlusCount = 0;
    LastKey = -1;
    ui->lineEdit->clear();
}

void GroupKey::on_lineEdit_textEdited(const QString &arg1)
{
    ui->lineEdit->setText(arg1.toUpper());
}

void GroupKey::SlotAllLanguage(int index)
{
    ui->label->setText(HomeLabels[index]["ComKey"]);
    ui->NewHong->setText(CommonLabels[index]["OK"]);
    ui->NewHong_2->setText(CommonLabels[index]["Cancel"]);
}

void GroupKey::keyPressEvent(QKeyEvent *event)
{
    // Esc and F12 are keys of a combination here, not commands.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    NoticeDialog::keyPressEvent(event);
}

void GroupKey::closeEvent(QCloseEvent *event)
{
    // However the dialog ends, the capture ends with it.
    Hook.RemoveHook();
    NoticeDialog::closeEvent(event);
}
