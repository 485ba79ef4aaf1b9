#pragma once

#include "platform/vidide/FlashDataMap.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <memory>

class QTimer;

namespace Ui {
class UpDataParam;
}

// "Please wait, we are updating the setting": covers the device window while
// fresh settings reach the pages. Three uses, chosen before each run:
// - read wait (no mode): waits for the three pages, shows the cache file when
//   the device did not answer, creates the model's cache file on the first read;
// - reset wait (ResetMode): waits for the pages, then holds two seconds;
// - profile import (ImportMode, ProfilePath): reads and checks the file and,
//   when it fits, loads, sends and shows it.
// A mode lasts for one use: both are cleared when the timer's work is done.
class UpDataParam : public QDialog
{
    Q_OBJECT

public:
    explicit UpDataParam(QWidget *parent = nullptr);
    ~UpDataParam() override;

    // Starts the 2500 ms single-shot timer; the caller then sets the mode,
    // places the dialog and runs it.
    void StartTimer();
    // The wait of a profile the mouse has just taken: no fixed hold, the
    // dialog closes as soon as the three pages show the read (or reports a
    // time-out after the read wait's longest wait). The caller then places
    // and runs it.
    void StartProfileWait();

    // Profile reader: 0 fits (the block is in `out`), 1 unreadable or not a
    // profile, 2 another sensor or too many DPI levels for the current model.
    // Only the exact layout of an exported profile is accepted.
    static int ReadProfileFile(const QString &path, FlashDataMap &out);
    static int ReadProfileFile(const QString &path);
    // The same on the content of a profile file.
    static int ReadProfileBytes(const QByteArray &bytes, FlashDataMap &out);

    QString ProfilePath;
    bool ImportMode = false;
    bool ResetMode = false;

    // How the last page wait ended (for tests and callers): true when all three
    // pages reported.
    bool lastWaitSucceeded() const { return LastWaitSucceeded; }

    // Milliseconds of the single-shot timer and of one page-wait step; tests
    // shorten them.
    static int TimerMs;
    static int WaitStepMs;
    static int ResetHoldMs;
    // How often the profile wait looks at the pages (ms).
    static int ProfileWaitStepMs;

private slots:
    void onTimeupDestroy();
    void SlotAllLanguage(int index);

private:
    // At most `checks` looks at the three page flags, `stepMs` apart.
    bool WaitForPages(int stepMs, int checks);
    bool ProfileMode = false;
    void ShowBlock(const FlashDataMap &block);

    std::unique_ptr<Ui::UpDataParam> ui;
    QTimer *Timer = nullptr;
    QString PictureFolder;
    bool LastWaitSucceeded = false;
};
