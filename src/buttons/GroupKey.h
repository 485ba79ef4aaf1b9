#pragma once

#include "common/NoticeDialog.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class KeyboardHook;
class QCloseEvent;
class QKeyEvent;

namespace Ui {
class GroupKey;
}

// Key capture of the key-combination dialog. It lives inside its dialog, so
// the capture can never outlive the dialog it reports to.
class GroupKeyHook
{
public:
    GroupKeyHook();
    ~GroupKeyHook();
    GroupKeyHook(const GroupKeyHook &) = delete;
    GroupKeyHook &operator=(const GroupKeyHook &) = delete;

    // (virtual-key code, key down, same key as the event before)
    using Callback = std::function<void(int, bool, bool)>;

    void InstallHook(Callback callback);
    void RemoveHook();
    bool IsInstalled() const;

private:
    std::unique_ptr<KeyboardHook> m_hook;
};

// The key-combination dialog: up to three names in all, modifiers from the
// four check boxes, keys taken from the keyboard while the dialog is open.
// The caller runs it and reads Accepted and KeyText ("Ctrl+Alt+A").
class GroupKey : public NoticeDialog
{
    Q_OBJECT

public:
    explicit GroupKey(QWidget *parent = nullptr);
    ~GroupKey() override;

    bool Accepted = false;
    QString KeyText;

    // Keys taken within this window of the first one form one combination;
    // a key after it starts a new one.
    static int ComposeWindowMs;

    // The name a key gets in a combination: the keyboard names of the macro
    // editor; modifiers and keys without a name give the empty name.
    static QString CombinationKeyName(int virtualKey);

    // The captured keys as shown.
    QString CapturedText() const;
    bool IsCapturing() const { return Hook.IsInstalled(); }

public slots:
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();
    void on_lineEdit_textEdited(const QString &arg1);
    void SlotAllLanguage(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    GroupKeyHook Hook;
    int PlusCount = 0;
    int LastKey = -1;
    bool KeyTimerIdle = true;
    QElapsedTimer KeyTimer;
    std::unique_ptr<Ui::GroupKey> ui;
};
