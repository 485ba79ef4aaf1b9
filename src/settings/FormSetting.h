#pragma once

#include <QString>
#include <QWidget>

class QLabel;
struct DongleRGB;

// The settings page (stack index 6 of the device window). This first version
// holds the page's place, creates the one firmware repair dialog RepairDialog,
// keeps WiredModeText (common/SharedState.h) and forwards version reports to the summary panel; the
// page's controls come with the settings work.
class FormSetting : public QWidget
{
    Q_OBJECT

public:
    explicit FormSetting(QWidget *parent = nullptr);
    ~FormSetting() override;

public slots:
    void SetVer(int index);
    void SetVerText();
    void on_Start();

private slots:
    void SlotLabelText(int index, QString Text);
    void SlotLabelTextB(QString TextA, QString Text);
    void SlotRGBValue(DongleRGB *Rgb);
    void SlotLongRangeMode(bool Select);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetForm();
    void SlotLanguageSameB(int index);
    void SlotCheckUpdate();
    void SlotLightToFrom(int index);
    void SlotContinue(int index);
    void SlotUpdateFrame(bool IsVis);
    void SlotAllLanguage(int index);

private:
    static void InstallFirmwareHooks();

    QLabel *Title = nullptr;
};
