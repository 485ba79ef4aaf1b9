#pragma once

#include "common/NoticeDialog.h"

#include <QString>

#include <memory>

class KeyboardHook;

namespace Ui {
class addKey;
}

// Asks for one key: the user presses it and the dialog shows its name. The
// key is taken by a keyboard hook of the dialog's own, which lives exactly
// as long as the dialog is open. exec() returns Accepted after OK; KeyName is
// the name of the last key event seen (press or release), empty for a key
// without a name.
class addKey : public NoticeDialog
{
    Q_OBJECT

public:
    bool OkPressed = false;
    QString KeyName;

    explicit addKey(QWidget *parent = nullptr);
    ~addKey() override;

    void done(int result) override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);
    void SlotAllLanguage(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    KeyboardHook *Hook = nullptr;
    std::unique_ptr<Ui::addKey> ui;
};
