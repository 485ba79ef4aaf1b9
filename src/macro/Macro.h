#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QModelIndex>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "model/MacroEventFile.h"
#include "platform/vidide/FlashDataMap.h"

class KeyboardHook;
class QButtonGroup;
class QDialog;
class QListWidgetItem;
class Ui_Macro;

// The macro page (stack index 3 of the device window): the macro list (one
// per-macro file each), the event list of the selected macro, recording from
// the keyboard, the delay and repeat controls, export and import, and the
// conversions between the event list and the device's macro record.
//
// Split by concern: Macro.cpp (construction, theme, texts, reset),
// macro_list.cpp (whole macros), macro_files.cpp (per-macro files),
// macro_events.cpp (event list editing), macro_recording.cpp,
// macro_device.cpp (device record) and macro_export.cpp.
class Macro : public QWidget
{
    Q_OBJECT

public:
    explicit Macro(QWidget *parent = nullptr);
    ~Macro() override;

    // The generated form (tests drive its widgets).
    Ui_Macro *ui = nullptr;

    // Event list builders; they add items only while a macro is selected.
    void AppendKeyItem(const QString &name, bool pressed);
    void AppendDelayItem(double ms);
    void InsertKeyEvent(const QString &name, bool pressed);
    void InsertKeyStroke(const QString &name);
    void InsertDelay(double ms);

    // Per-macro files of the current macro. False when the file could not
    // be written.
    bool CreateMacroFile(const QString &unused = QString());
    // Writes the shown macro's file from the event list; false without a
    // shown macro or when the file could not be written.
    bool SaveMacroFile(const QString &unused, const QString &repeatCode);
    void LoadMacroFile(const QString &unused = QString());

    // Repeat code of the repeat controls: 254, 255, 253 or the count.
    int RepeatCode() const;
    // Full path of the file of macro `name`; empty when the name cannot be a
    // file name inside the macro folder.
    QString MacroFilePathOf(const QString &name) const;
    // The text of the current macro; empty without one.
    QString CurrentMacroName() const;
    // Whether an event item's text is a delay ("10ms") rather than a key.
    static bool IsDelayText(const QString &text);

    QString MacroFileFolder;
    QString CurrentMacroFile;
    bool EventsChanged = false;
    bool RepeatModeChanged = false;

public slots:
    void SlotMacroDownLoadData(QString MacroName, int index);
    // A macro of the mouse whose file the button page has just written
    // whole: it is listed, and shown again when it is the shown one.
    void SlotButtonToMacro(FlashDataMap DataMap, int KeyNumer);
    void UpdateCapslockTip(int keyCode, bool downOrUp, bool aotu);

private slots:
    // Whole macros.
    void on_listWidgetHong_clicked(const QModelIndex &index);
    void on_NewHong_clicked();
    void CreateMewMacro();
    void RenameMacro();
    void on_DeleteHong_clicked();
    void DeleteMacro();
    void on_Save_clicked();
    void on_listWidgetHong_customContextMenuRequested(const QPoint &pos);
    void SlotSetMacroPage();
    void SlotAllLanguage(int index);
    void ExPortMacro();
    void InPortMacro();

    // Events.
    void on_ChooseEvent_activated(int index);
    void on_Amend_clicked();
    void on_DeleteKey_clicked();
    void on_DelayTime_valueChanged(int value);
    void on_NumberEdit_valueChanged(int value);
    void on_listWidgetKey_itemChanged(QListWidgetItem *item);

    // Recording.
    void on_StartRecord_clicked();
    void on_StopRecord_clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum ItemType
    {
        PressType = 0,
        ReleaseType = 1
    };

    void FillMacroList();
    void SetUpButtonGroups();
    void ApplyTheme();
    void SetSaveIdle();
    void ActivateSave();
    void OnRepeatModeToggled();
    // Moves a dialog to the page's centre shifted left by dx and up by dy,
    // then runs it modally.
    int RunPlaced(QDialog &dialog, int dx, int dy);
    void ShowStopRecordFirst();
    void ShowSameMacro();
    // A refusal or failure, in a text of the label catalogue.
    void ShowNotice(const QString &text);
    // True, and the user told why, when the macro folder is reached through
    // a link: no macro is read or written there (MacroFolderLink).
    bool RefuseLinkedFolder();
    // A name the macro list keeps and a device record can hold.
    bool IsUsableName(const QString &name) const;
    // The list item of the shown macro; null without one.
    QListWidgetItem *ShownItem() const;
    void SelectShownMacro();
    // Loads the shown macro's file into the event list and the repeat
    // controls, as selecting it does; the current item stays as it is.
    void ReloadShownMacro();
    void LoadShownMacroFile();
    // Nothing shown: no events, no current item, repeat controls and Save off.
    void ShowNoMacro();
    // Enables the repeat controls only while a macro is shown and no
    // recording runs; without a shown macro Save goes idle.
    void ApplyShownState();

    void InsertPattern(int at, QString pattern, const QString &name);
    QListWidgetItem *NewKeyItem(const QString &name, bool pressed) const;
    QListWidgetItem *NewDelayItem(double ms) const;
    // The events of the event list, and the list items of events.
    QVector<MacroEvent> ListEvents() const;
    // Replaces the file of macro name, whole or not at all.
    bool WriteMacroEvents(const QString &name, const QString &repeatCode,
                          const QVector<MacroEvent> &events);
    void ShowEvents(const QVector<MacroEvent> &events);
    // Appends a release, after a pause, for every recorded key still held.
    void ReleaseHeldKeys();
    bool NameTaken(const QString &name) const;
    // Asks for a macro name (prompt 0 new, 1 rename); empty when none was
    // given, it cannot be a file name, or it is taken (that notice shown).
    QString AskFreeMacroName(int promptMode);
    void SetRecordingControlsEnabled(bool enabled);

    KeyboardHook *RecordHook = nullptr;
    QButtonGroup *DelayModeGroup = nullptr;
    QButtonGroup *RepeatModeGroup = nullptr;
    // Keys down now (a second key-down is the key's repeat), and the recorded
    // presses not yet released, in order.
    QList<int> DownKeys;
    QList<QPair<int, QString>> HeldKeys;
    QElapsedTimer DelayTimer;
    bool FirstEventPending = false;
    int KeyEventCount = 0;
    QString ButtonTextColor;
    QString MacroPictureFolder;
    QIcon PressIcon;
    QIcon ReleaseIcon;
    QIcon DelayIcon;
    QString MenuExportText;
    QString MenuRenameText;
    QString MenuDeleteText;
    QString MenuNewText;
    QString MenuImportText;
    QString MacroButtonPrefix;
    // The macro whose events the event list shows, loaded, recorded or
    // imported for it; empty when none is shown. Save writes this macro
    // only. The current item differs only while a context menu acts on the
    // item that was right-clicked.
    QString ShownMacro;
};
