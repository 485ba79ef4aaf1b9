#pragma once

#include <QString>
#include <QWidget>

#include "device/FlashDataMap.h"

class QLabel;

// The macro page (stack index 3 of the device window). This first version
// holds the page's place and the recording state the device window relies on
// (leaving the device page resets it); the editor comes with the macro work.
class Macro : public QWidget
{
    Q_OBJECT

public:
    explicit Macro(QWidget *parent = nullptr);
    ~Macro() override;

private slots:
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();
    void SlotSetMacroPage();
    void SlotMacroDownLoadData(QString MacroName, int index);
    void SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void SlotAllLanguage(int index);

private:
    QLabel *Title = nullptr;
};
