#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "device/FlashDataMap.h"

class QButtonGroup;
class QEvent;
class QMouseEvent;
class QToolButton;
class QVBoxLayout;
class MacroSyncLedger;

class Ui_Buttoninterface;

// The button-mapping page of the device window: the mouse picture with its
// button selectors, the function menu, the profile box, profile export and
// import, and the debounce-time widget. One instance, built by the device
// window; it also creates the process-wide device worker.
class Buttoninterface : public QWidget
{
    Q_OBJECT

public:
    explicit Buttoninterface(QWidget *parent = nullptr);
    ~Buttoninterface() override;

    // Number of button selectors the page has (rows of the selector list).
    static constexpr int SelectorCount = 12;

    // Sets the selector text of key k (0..11) from its assignment; leaves it
    // alone when the assignment is not recognised. For a macro it also brings
    // the per-user macro file up to date (see MacroSyncLedger).
    void DecodeKeyAssignment(int k, int category, int param1, int param2, FlashDataMap DataMap);

    // Name of one event of a key combination: low byte of the usage or
    // modifier bit, and its kind (0 modifier, 1 keyboard usage).
    static QString KeyCodeName(int code, int kind);

    // DPI value of a sensor DPI code, through the driver_sensor.h entries of
    // the current sensor model (fallback (code + 1) * 50 without entries).
    int DpiCodeToValue(int code) const;

    // Writes the profile file (tag, sensor name, block) safely; false when it
    // could not be written completely (the caller reports it).
    bool WriteProfileFile(const QString &path, const FlashDataMap &map);

    // The mouse keeps one left button: when selector is the only one that
    // carries the left-click function, releases the selection, closes the
    // menu, shows the LeftButtonOnly notice and returns true. Every path that
    // picks a selector for reassignment goes through it.
    bool LeftButtonGuard(QToolButton *selector);

    // The selector of key k (0..11), nullptr for any other k.
    QToolButton *SelectorOfKey(int k) const;

    // Never reached from the form (no widget of these names); kept so that
    // the restore of defaults and the indicator test can be called directly.
    void on_Reset_clicked();
    void on_checkBox_clicked();
    void on_pushButton_clicked();

    // The form; tests and the function menu reach the widgets through it.
    Ui_Buttoninterface *ui = nullptr;

    QVBoxLayout *MacroListLayout = nullptr;
    QList<QToolButton *> MacroButtons;
    QButtonGroup *SelectorGroup = nullptr;
    QButtonGroup *MenuGroup = nullptr;
    QButtonGroup *SubMenuGroup = nullptr;
    QButtonGroup *NumberGroup = nullptr;
    QString MainPagePath;
    // Category, Param1 and Param2 of the key table entries as last shown.
    // Always SelectorCount long once the page has shown anything, so every
    // selector has an entry (keys beyond KeyNumber hold the block's values).
    QVector<int> CategoryMirror;
    QVector<int> Param1Mirror;
    QVector<int> Param2Mirror;
    QString SensorModel;
    QVector<QString> SensorDefineNames;
    QVector<int> SensorDefineValues;
    int FireKeyInterval = 0;
    int FireKeyTimes = 0;
    QStringList ButtonColorParts;
    QString ButtonColorText;
    QWidget *MacroListBox = nullptr;
    QString PictureFolder;
    QString MacroLabelPrefix;
    QString ProfileNamePrefix;
    int FontScaleOn = 0;

    // Keys whose selector the page offers (Config.ini KeyNumber, bounded to
    // the key table); used by the refresh slots.
    int CurrentKeyNumber() const;

    // Builds the macro-name buttons from the per-user macro folder.
    void BuildMacroList();

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    // Hub slots.
    void SlotMouseIndex(int index);
    void SlotUpDataButtonUIButton(FlashDataMap DataMap);
    void SlotUpDataConfigUI(int ToTalItem, int SelectIndex, bool ItemEnable);
    void SlotUpDataButtonUIB(FlashDataMap DataMap);
    void SlotAddMacroButton();
    void SlotDeleteMacroButton(QString MacroName);
    void SlotUpDataMacro(QString MacroName, int index);
    void SlotMacroRename(QString Rename, QString Name);
    void SlotFormResetButton();
    void SlotAllLanguage(int index);

    // Selectors (key index in brackets) and number buttons.
    void on_FireKey_clicked();    // 0
    void on_RightKey_clicked();   // 1
    void on_BackKey_clicked();    // 2
    void on_StartPause_clicked(); // 4
    void on_TopMusic_clicked();   // 3
    void on_BackMusic_clicked();  // 5
    void on_Button7_clicked();
    void on_Button8_clicked();
    void on_Button9_clicked();
    void on_Button10_clicked();
    void on_Button11_clicked();
    void on_Button12_clicked();
    void on_Number1_clicked();
    void on_Number2_clicked();
    void on_Number3_clicked();
    void on_Number4_clicked();
    void on_Number5_clicked();
    void on_Number6_clicked();
    void on_Number7_clicked();
    void on_Number8_clicked();
    void on_Number9_clicked();
    void on_Number10_clicked();
    void on_Number11_clicked();
    void on_Number12_clicked();

    // Profiles.
    void on_ProjectChoose_activated(int index);
    void on_ProjectChoose_currentIndexChanged(int index);
    void on_OutputData_clicked();
    void on_ImportData_clicked();

    void on_stackedWidget_currentChanged(int index);
    void on_stackedWidget_2_currentChanged(int index);

    void slotButtonClicked(bool checked);

private:
    // Construction (buttoninterface.cpp, buttoninterface_style.cpp).
    void FillButtonGroups();
    void ApplyStyleSheets();
    void ApplyLabelStyleSheets();
    void ApplyFrameStyleSheets();

    // Refresh (buttoninterface_refresh.cpp).
    void FillFromBlock(const FlashDataMap &DataMap);
    void LoadMirrors(const FlashDataMap &DataMap);
    void CloseMenu();
    void ReleaseSelectors();

    // Selection display (buttoninterface_selection.cpp).
    void ShowSelection(int k, QToolButton *selector, const QString &scrollBarStyle,
                       bool swapBrowserRows);
    void SelectRow(int row);
    QString DriveGroup() const;

    // Profiles (buttoninterface_profile.cpp).
    void PlaceDialog(QWidget *dialog, int dx, int dy) const;

    // Macros (buttoninterface_macros.cpp).
    void SyncMacroFile(int k, int param2, const FlashDataMap &DataMap, const QString &name);

    MacroSyncLedger *MacroLedger = nullptr;
};
