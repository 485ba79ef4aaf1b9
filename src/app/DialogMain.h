#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QKeyEvent;
class QMouseEvent;
class QWidget;
class Dialog;
class DialogChange;
class MouseNotices;

namespace Ui {
class DialogMain;
}

// The program's only top-level window: a frameless 1020 x 700 dialog that
// stacks the device chooser (page 0) and the device window (page 1), hides
// into a tray icon and comes back from it.
class DialogMain : public QDialog
{
    Q_OBJECT

public:
    explicit DialogMain(QWidget *parent = nullptr);
    ~DialogMain() override;

    // The form's fixed size, known before any widget exists (start-up scales
    // the program so that the window fits the screen).
    static constexpr int FixedWidth = 1020;
    static constexpr int FixedHeight = 700;

    // Fills the label catalogue from Language/en.json and Language/Net.xml
    // beside the program. Called once by the constructor.
    void LoadLabelCatalogue();

    // Reached by tests and by the two pages.
    QWidget *chooserPage() const { return ChooserPage; }
    Dialog *deviceWindow() const { return DeviceWindow; }
    QSystemTrayIcon *trayIcon() const { return TrayIcon; }
    QMenu *trayMenu() const { return TrayMenu; }
    QString openText() const { return OpenText; }
    QString exitText() const { return ExitText; }

    int currentPage() const;
    bool onDeviceWindow() const;

    // Centres the window on the screen, as a dialog's first show would, before
    // it has an X window: the X window is then made where it stands. For the
    // start, before the first show.
    void placeOnScreen();

    // Ends the process for the tray menu's exit (::exit; tests replace it).
    static void (*ExitProcess)(int);
    // Whether the desktop has a tray to hide into; tests replace it.
    static bool (*TrayAvailable)();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void SlotChangeMainDialog(int index);
    void SlotChangeSize(int index);
    void SlotMouseOffLine(int index);
    void SlotUpPageLight();
    void on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void slotActionMain();
    void slotActionExitApp();
    void SlotAllLanguage(int index);

private:
    void ReadLanguage();
    void SetFrameAndFlags();
    void ShowFromTray(bool tellDevice);
    void GoToTray();
    void Quit();
    void PlaceDialog(QWidget *dialog, int dx, int dy) const;
    void PairDevice(bool useChosenDevice);
    void CheckReceiverFirmware();

    QMenu *TrayMenu = nullptr;
    QSystemTrayIcon *TrayIcon = nullptr;
    QAction *ActionOpen = nullptr;
    QAction *ActionExit = nullptr;
    Ui::DialogMain *ui = nullptr;
    QPoint DragOffset;
    QPoint PressPos;
    QPoint WindowPos;
    QWidget *ChooserPage = nullptr;
    Dialog *DeviceWindow = nullptr;
    QString PictureFolder;
    QString OpenText;
    QString ExitText;
    // The mouse notices of SigMouseOffLineo.
    MouseNotices *Notices = nullptr;
};
