#pragma once

#include <QDialog>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

class QTimer;

namespace Ui {
class Match;
}

// Pairing dialog: puts the receiver into pairing mode for our customer id,
// polls the pairing status every second and shows success or failure on its
// one big button. While an attempt runs it suspends the device page's
// background work (DevicePageActive) and owns the library's event callback, so
// its openers bind OnDeviceEvent again after it closed.
//
// Openers: set PairUsesChosenDevice (and PairDeviceInfo), construct,
// PreparePair(), place, exec().
class Match : public QDialog
{
    Q_OBJECT

public:
    explicit Match(QWidget *parent = nullptr);
    ~Match() override;

    void PreparePair();

    const QString &pairPath() const { return PairPath; }

public slots:
    void WindowClosedSet();

protected:
    void changeEvent(QEvent *event) override;
    void done(int result) override;

private slots:
    void on_MatchButton_clicked();
    void onPairTimeupDestroy();
    void onUSBTimeupDestroy();
    void onTextTimeupDestroy();
    void SlotStopTimer();
    void SlotButtonenable(int index);
    void SlotAllLanguage(int index);

private:
    void StartPairing();
    void SetButtonPicture(const QString &picture);
    void EndAttempt();

    std::unique_ptr<Ui::Match> ui;
    bool ButtonEnabled = false;
    QString ConstructionPath;
    uint8_t Cid = 0;
    QString PairPath;
    QString VidText;
    QString PidText;
    bool Wired = false;
    QString StartText;
    QString PairingText;
    QString FailText;
    QString SuccessText;
    // The chooser's hot-plug callback is armed again on close only when the
    // dialog was opened from the chooser page.
    bool OpenedOnChooser = false;
    bool HasDevice = false;
    bool Finished = false;
};

// Pairing state shared with OnPairEvent (library thread).
extern std::atomic<bool> PairRunning;
extern std::atomic<int> PairState; // 0 prepared, 1 pairing, 2 success, 3 failure
extern std::atomic<bool> PairSuspendedDevicePage;
extern QTimer *PairWiredCheckTimer;
extern QTimer *PairPollTimer;
extern QTimer *PairTextTimer;
extern int PairDotCount;
extern QString PairButtonColor;
extern QString PairPictureDir;

// Event callback of a pairing attempt.
void OnPairEvent(const unsigned char *hdr, int hdrLen, const unsigned char *payload,
                 int payloadLen);
