#pragma once

#include <QObject>
#include <QString>

#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

// The process-wide signal hub. Pages, dialogs, the device worker and the
// device library's callbacks never hold pointers to each other: a sender emits
// on PostMsg::GetInstance(), receivers connect to it in their constructors.
//
// The declaration order is the order of the meta-object and must not change.
// FlashDataMap, DeviceAllInfo and DongleRGB* are deliberately not registered
// as meta-types: the signals that other threads emit with them are connected
// as Qt::BlockingQueuedConnection (the slot reads the emitter's arguments in
// place while the emitter waits), the others are emitted on the GUI thread.
// Never emit a blocking-connected signal on the GUI thread: it would wait for
// itself.
class PostMsg : public QObject
{
    Q_OBJECT

public:
    explicit PostMsg(QObject *parent = nullptr);
    ~PostMsg() override;

    // The one hub; created on first use and never deleted.
    static PostMsg *GetInstance();

signals:
    void SigChangeMainDialog(int index);                                     // 0
    void SigChangeSize(int index);                                           // 1
    void SigUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable); // 2
    void SigUpDataLightUIButton(FlashDataMap DataMap);                       // 3
    void SigUpDataLightLight(FlashDataMap DataMap);                          // 4
    void SigUpDataLightSensor(FlashDataMap DataMap);                         // 5
    void SigUpDataLightUIA(FlashDataMap DataMap);                            // 6
    void SigUpDataSensorUIB(FlashDataMap DataMap);                           // 7
    void SigUpDataButtonUIC(FlashDataMap DataMap);                           // 8
    void SigButtonToMacro(FlashDataMap DataMap, int KeyNumer);               // 9
    void SigSelectMouseInfo(DeviceAllInfo SelectInfo);                       // 10
    void SigMouseOffLineo(int index);                                        // 11
    void SigMainPageChange();                                                // 12
    void SigSecondPageChange();                                              // 13
    void SigUpPageLight();                                                   // 14
    void SigAddMacroButton();                                                // 15
    void SigDeleteMacroButton(QString MacroName);                            // 16
    void SigMacroDownLoadData(QString MacroName, int index);                 // 17
    void SigUpDataMacro(QString MacroName, int index);                       // 18
    void SigUpDataParam(int index);                                          // 19
    void SigUpDataReportRate(int index);                                     // 20
    void SigUpDataDPI(int index);                                            // 21
    void SigUpDataDPILed(FlashDataMap DataMap);                              // 22
    void SigTimerStop();                                                     // 23
    void SigButtonEnable(int index);                                         // 24
    void SigLabelText(int index, QString Text);                              // 25
    void SigLabelTextB(QString TextA, QString Text);                         // 26
    void SigCloseUpdate();                                                   // 27
    void SigProgress(int index, int value);                                  // 28
    void SigBattery(bool IsCharg, int Number, bool IsText);                  // 29
    void SigAutoRepair(int index);                                           // 30
    void SigAutoRepairProgress(int index);                                   // 31
    void SigChangeLanguage(int index);                                       // 32
    void SigLanguageSameA(int index);                                        // 33
    void SigLanguageSameB(int index);                                        // 34
    void SigCloseOffOnline();                                                // 35
    void SigSetMacroPage();                                                  // 36
    void SigStartRecord(int index);                                          // 37
    void SigUpDateButton(bool IsHide);                                       // 38
    void SigMacroRename(QString Rename, QString Name);                       // 39
    void SigSetver(int index);                                               // 40
    void SigCloseProgress();                                                 // 41
    void SigRGBValue(DongleRGB *Rgb);                                        // 42
    void SigLongRangeMode(bool Select);                                      // 43
    void SigForm();                                                          // 44
    void SigFormB();                                                         // 45
    void SigEnterKey();                                                      // 46
    void SigFormReset();                                                     // 47
    void SigHideModel(int index);                                            // 48
    void SigContinue(int);                                                   // 49
    void SigMouseIndex(int index);                                           // 50
    void SigUpdateStart();                                                   // 51
    void SigCheckUpdate();                                                   // 52
    void SigRepairCheckUpdate();                                             // 53
    void SigSetNewVer();                                                     // 54
    void SigLightToFrom(int index);                                          // 55
    void SigButtonCheck();                                                   // 56
    void SigAllLanguage(int Index);                                          // 57
    void SigUpdateFrame(bool IsVis);                                         // 58
    void SigAddSensor(int Value);                                            // 59
    void SigAddReport(int Value);                                            // 60
    void SigAddLOD(QString Value);                                           // 61
    void SigDebunce(QString Value);                                          // 62
    void SigAddConfig(QString Value);                                        // 63
    void SigAddVer(int Type, QString Ver);                                   // 64
    void SigAddUpdate(int Type, bool Isupdate);                              // 65
    void Sig20KOpen(bool Open);                                              // 66
    void SigtVis(int index);                                                 // 67
    void SigIsUsb(bool Usb, bool IsVs);                                      // 68
};
