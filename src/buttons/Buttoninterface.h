#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "device/DeviceField.h"
#include "platform/vidide/FlashDataMap.h"

class QButtonGroup;
class QEvent;
class QMouseEvent;
class QScrollArea;
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
    // Interval and count last accepted in the fire-key dialog; they start at
    // the dialog's presets, so a fire key written before any dialog ran (a
    // double click on the entry, a macro deletion's default) is valid.
    int FireKeyInterval = 10;
    int FireKeyTimes = 3;
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

    // Function assignment (buttoninterface_assign.cpp).
    // Sensor DPI code of a DPI value (driver_sensor.h entries of the current
    // sensor model; fallback dpi / 50 - 1 without entries).
    int DpiValueToCode(int dpi) const;
    // Element k of the three mirrors; the mirrors grow to hold k.
    void StoreKeyMirrors(int k, int category, int param1, int param2);
    // Unchecks every sub-menu entry but the vertical-scroll ones, and every
    // macro-name button.
    void UncheckFunctionMenu();
    // Key index of the first checked selector in list order; -1 when none.
    int CheckedKey() const;
    // Writes the combination text to key k (0..11) and relabels its selector.
    // False when the text is no valid combination or the write failed.
    bool RestoreCombinationKey(int k, const QString &text);
    // Writes the consumer usage whose low byte is lowByte to key k (0..11)
    // and relabels its selector. False for an unknown byte or a failed write.
    bool RestoreMultimediaKey(int k, int lowByte);
    // Gives key k (0..11) its default function after its macro went away:
    // the Config.ini event-block default when the model has a usable one,
    // else the page's fixed default; the event block is cleared in the same
    // guarded write. False when the write failed.
    bool RestoreDefaultKey(int k);

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

    // Function menu, first page.
    void on_LeftKey_3_clicked(bool checked);
    void on_RightKey_3_clicked(bool checked);
    void on_MidKey_clicked(bool checked);
    void on_BackKey_2_clicked(bool checked);
    void on_ForWardKey_clicked(bool checked);
    void on_DPI_2_clicked(bool checked);
    void on_DPI_3_clicked(bool checked);
    void on_DPI_5_clicked(bool checked);
    void on_DPI_6_clicked();
    void on_DPI_6_clicked(bool checked);
    void on_DPI_8_clicked();
    void on_DPI_4_clicked();
    void on_DPI_4_clicked(bool checked);
    void on_DPI_7_clicked();
    void on_DPI_9_clicked();
    void on_DPI_10_clicked();
    void on_DPI_11_clicked();
    void on_DPI_12_clicked();
    void on_DPI_13_clicked();

    // Sub-menus: scrolling, DPI control, light switches.
    void on_VolumeUp_2_clicked(bool checked);
    void on_VolumeDown_2_clicked(bool checked);
    void on_VolumeUp_14_clicked(bool checked);
    void on_VolumeDown_14_clicked(bool checked);
    void on_VolumeUp_8_clicked(bool checked);
    void on_VolumeUp_9_clicked(bool checked);
    void on_VolumeUp_10_clicked(bool checked);
    void on_VolumeUp_4_clicked(bool checked);
    void on_VolumeUp_5_clicked(bool checked);
    void on_VolumeUp_6_clicked(bool checked);
    void on_VolumeUp_7_clicked(bool checked);

    // DPI lock, 100 .. 1200.
    void on_VolumeUp_11_clicked(bool checked);
    void on_VolumeUp_12_clicked(bool checked);
    void on_VolumeUp_13_clicked(bool checked);
    void on_VolumeUp_16_clicked(bool checked);
    void on_VolumeUp_15_clicked(bool checked);
    void on_VolumeUp_19_clicked(bool checked);
    void on_VolumeUp_20_clicked(bool checked);
    void on_VolumeUp_22_clicked(bool checked);
    void on_VolumeUp_18_clicked(bool checked);
    void on_VolumeUp_24_clicked(bool checked);
    void on_VolumeUp_23_clicked(bool checked);
    void on_VolumeUp_21_clicked(bool checked);

    // Multimedia keys.
    void on_Player_clicked(bool checked);
    void on_StartPause_2_clicked(bool checked);
    void on_BackMusic_2_clicked(bool checked);
    void on_TopMusic_2_clicked(bool checked);
    void on_Mute_clicked(bool checked);
    void on_VolumeUp_clicked(bool checked);
    void on_VolumeDown_clicked(bool checked);
    void on_VolumeDown_4_clicked(bool checked);
    void on_VolumeDown_5_clicked(bool checked);
    void on_VolumeDown_6_clicked(bool checked);
    void on_VolumeDown_3_clicked(bool checked);
    void on_VolumeDown_8_clicked(bool checked);
    void on_VolumeDown_9_clicked(bool checked);
    void on_VolumeDown_7_clicked(bool checked);
    void on_VolumeDown_10_clicked(bool checked);
    void on_VolumeDown_12_clicked(bool checked);
    void on_VolumeDown_13_clicked(bool checked);
    void on_VolumeDown_11_clicked(bool checked);

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
    // The profile box shows the profile the mouse runs; a switch it refuses
    // puts the box back with one notice.
    void BindProfileBox();
    DeviceField ProfileField;

    // Macros (buttoninterface_macros.cpp).
    // Tells the user why macro name was not sent to a button.
    void ShowMacroRefusal(const QString &name, const QString &reason);
    void SyncMacroFile(int k, int param2, const FlashDataMap &DataMap, const QString &name);

    // Function assignment (buttoninterface_assign.cpp).
    // The common path of a menu entry: target key, left-button guard, the
    // triple through SetKeyAssign, label and mirrors on success, menu closed.
    // barArea: the scroll area whose bar gets its width back (the selector
    // list unless given).
    void AssignEntry(bool checked, bool clearSubEntries, int category, int param1, int param2,
                     const QString &label, QScrollArea *barArea = nullptr);
    // The same for an event block (key combination or multimedia key).
    bool WriteEvents(int k, const KeyEventBlock &block, const QString &label);
    void AssignMultimedia(bool checked, int usage, QToolButton *entry);
    void AssignDpiLock(bool checked, int dpi);
    // True (and the notice shown) when writing a function other than the
    // left click to key k would take the mouse's last left button.
    bool RefuseLastLeft(int k, bool newIsLeft);
    QToolButton *MultimediaEntryOfLowByte(int lowByte) const;

    // Macros (buttoninterface_macros.cpp).
    // One button per macro file of the per-user folder, into MacroListBox.
    void FillMacroList(double pointSize);
    // Selectors (all twelve, list order) whose label names the macro.
    QList<int> KeysBoundTo(const QString &macroName) const;
    QString BareLabel(const QToolButton *selector) const;
    // The function menu's macro entry without a macro to offer: why.
    void ShowNoMacroToOffer();

    // Sending saved macros (buttoninterface_macrosend.cpp).
    // Keys bound to name by their label, and those holding a copy of it the
    // file replaced (under whatever name).
    QList<int> KeysHolding(const QString &name) const;
    // Sends the macro file of name, events and repeat mode, to every button
    // holding it (and renamedKeys, bound under its former name); false when
    // the mouse did not take it (it stays pending).
    bool SendMacroFromFile(const QString &name, const QList<int> &renamedKeys = {});
    // Sends the macros saved or renamed while the mouse could not take them,
    // and those whose replaced copies the read found, once the page shows
    // the settings read from the mouse.
    void SendPendingMacros();

    MacroSyncLedger *MacroLedger = nullptr;
    // Macros whose replaced copies the last fill found on the mouse.
    QSet<QString> MacrosReplacedOnRead;
};
