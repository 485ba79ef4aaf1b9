#pragma once

#include "common/NoticeDialog.h"

#include <QString>

#include <memory>

namespace Ui {
class QuestionDialog;
}

// Asks for the name of a new macro, or the new name of one. The name comes
// back in EnteredName; empty means cancelled. The field refuses punctuation
// typed from the keyboard and anything typed with Shift held, drops blanks
// typed at the end, and keeps the name to the 30 bytes a device macro record
// holds in the local 8-bit code page.
class QuestionDialog : public NoticeDialog
{
    Q_OBJECT

public:
    QString EnteredName;

    explicit QuestionDialog(QWidget *parent = nullptr);
    ~QuestionDialog() override;

    // 0: prompt for a new macro; any other mode: prompt for a rename.
    void SetPromptMode(int mode);

    // The field text that an edit to `text` leaves (blank and length rules);
    // path separators and control characters are dropped as well, since the
    // name becomes a file name.
    static QString FitName(const QString &text);

public slots:
    void WindowClosedLan();

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int index);
    void on_lineEdit_textEdited(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<Ui::QuestionDialog> ui;
    QString NewPromptText;
    QString RenamePromptText;
};
