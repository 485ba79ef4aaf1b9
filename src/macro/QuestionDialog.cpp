#include "macro/QuestionDialog.h"

#include "ui_QuestionDialog.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

constexpr int MaxNameBytes = 30;

bool IsRefusedCommit(const QString &commit)
{
    static const QString refused = QStringLiteral("\u3010\u3011-=\u3001\uFF1B\u2019\uFF0C\u3002/*"
                                                  "\u00B7\u2018");
    return commit.size() == 1 && refused.contains(commit.at(0));
}

bool IsRefusedKeyText(const QString &text)
{
    static const QStringList refused = {
        QStringLiteral("-"),      QStringLiteral("="),      QStringLiteral("["),
        QStringLiteral("]"),      QStringLiteral(";"),      QStringLiteral("'"),
        QStringLiteral(","),      QStringLiteral("."),      QStringLiteral("/"),
        QStringLiteral("`"),      QStringLiteral("\\"),     QStringLiteral("*"),
        QStringLiteral("+"),      QStringLiteral("\u3010"), QStringLiteral("\uFF1B"),
        QStringLiteral("\u2019"), QStringLiteral("\uFF0C"), QStringLiteral("\u3002")};
    return refused.contains(text);
}

} // namespace

QuestionDialog::QuestionDialog(QWidget *parent) : NoticeDialog(parent), ui(new Ui::QuestionDialog)
{
    ui->setupUi(this);

    Look look;
    look.frame = ui->Question;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong, ui->NewHong_2};
    applyLook(look);
    setFixedSize(width(), height());
    ui->lineEdit->setStyleSheet(QStringLiteral("QLineEdit{color: rgb(") +
                                ThemeColorText(QStringLiteral("LinEditColor")) +
                                QStringLiteral(";);}"));

    connect(ui->NewHong_2, SIGNAL(clicked()), this, SLOT(WindowClosedLan()));
    ui->lineEdit->setFocus(Qt::ActiveWindowFocusReason);
    ui->lineEdit->installEventFilter(this);

    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    // The name field keeps its size, so a name of 30 bytes stays readable.
    const QFont fieldFont = ui->lineEdit->font();
    scaleFonts();
    ui->lineEdit->setFont(fieldFont);
}

QuestionDialog::~QuestionDialog() = default;

void QuestionDialog::SetPromptMode(int mode)
{
    ui->label->setText(mode == 0 ? NewPromptText : RenamePromptText);
}

QString QuestionDialog::FitName(const QString &text)
{
    QString t;
    for (const QChar c : text) {
        if (c != QLatin1Char('/') && c != QLatin1Char('\\') && c.category() != QChar::Other_Control)
            t.append(c);
    }
    if (t.endsWith(QLatin1Char(' ')))
        t.remove(QLatin1Char(' '));
    if (t.toLocal8Bit().size() <= MaxNameBytes)
        return t;
    // Cut before the first character that no longer fits, never inside a
    // surrogate pair.
    int n = 0;
    while (n < t.size()) {
        const int step = (t.at(n).isHighSurrogate() && n + 1 < t.size()) ? 2 : 1;
        if (t.left(n + step).toLocal8Bit().size() > MaxNameBytes)
            break;
        n += step;
    }
    return t.left(n);
}

void QuestionDialog::WindowClosedLan()
{
    EnteredName.clear();
    close();
}

void QuestionDialog::on_CloseButton_clicked()
{
    EnteredName.clear();
    close();
}

void QuestionDialog::on_NewHong_clicked()
{
    EnteredName = ui->lineEdit->text();
    close();
}

void QuestionDialog::SlotAllLanguage(int index)
{
    NewPromptText = MacroLabels[index][QStringLiteral("DialogNewMacroName")];
    RenamePromptText = MacroLabels[index][QStringLiteral("DialogInputMacroName")];
    ui->NewHong_2->setText(CommonLabels[index][QStringLiteral("Cancel")]);
    ui->NewHong->setText(CommonLabels[index][QStringLiteral("OK")]);
}

void QuestionDialog::on_lineEdit_textEdited(const QString &text)
{
    const QString fitted = FitName(text);
    if (fitted != text)
        ui->lineEdit->setText(fitted);
}

bool QuestionDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lineEdit) {
        if (event->type() == QEvent::InputMethod &&
            IsRefusedCommit(static_cast<QInputMethodEvent *>(event)->commitString()))
            return true;
        if (event->type() == QEvent::KeyPress &&
            IsRefusedKeyText(static_cast<QKeyEvent *>(event)->text()))
            return true;
    }
    return NoticeDialog::eventFilter(watched, event);
}

// Only the buttons end the dialog: Escape and Enter get the plain widget
// handling. Shift held disables the field, so no shifted character gets in.
void QuestionDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Shift)
        ui->lineEdit->setEnabled(false);
    QWidget::keyPressEvent(event);
}

void QuestionDialog::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Shift) {
        ui->lineEdit->setEnabled(true);
        ui->lineEdit->setFocus(Qt::OtherFocusReason);
    }
    QWidget::keyReleaseEvent(event);
}
