#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QFrame;
class QLabel;
class QToolButton;

// Common ground of the small frameless notice and confirm dialogs: their look
// (pictures of Picture/WarningDialog, theme colours of Config.ini), their
// window flags, their one-time font scaling, and a modal run that goes through
// DialogSeam so tests can answer them.
class NoticeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NoticeDialog(QWidget *parent = nullptr);
    ~NoticeDialog() override;

    // Runs through DialogSeam::exec; every button closes the dialog, so the
    // result is QDialog::Rejected whichever button was pressed.
    int exec() override;

    // Frameless, but managed by the window manager so the notice gets the
    // keyboard focus (Esc and Return work).
    static constexpr Qt::WindowFlags NoticeWindowFlags = Qt::Dialog | Qt::FramelessWindowHint;

    // The program folder + "/Picture/WarningDialog/".
    static QString pictureFolder();

protected:
    struct Look
    {
        QFrame *frame = nullptr;
        QLabel *label = nullptr;
        QToolButton *closeButton = nullptr;
        QList<QToolButton *> confirmButtons; // OK and Cancel look alike
        QString confirmPicture = QStringLiteral("Confirm.png");
        QString confirmClickPicture = QStringLiteral("ConfirmClick.png");
        QString frameStyleEnd = QStringLiteral(");}");
        // The frame's picture fills the whole frame (a border image) instead
        // of sitting in its middle at its own size.
        bool stretchFrame = false;
    };
    // Window flags, style sheets of frame, label, close and confirm buttons
    // (theme colours Option/LabelColor and Option/ButtonColor of Config.ini).
    void applyLook(const Look &look);
    // Connects the hub's SigAllLanguage to the member's SlotAllLanguage(int)
    // and runs that slot once for the current language.
    void followLanguage();
    // Scales every font of the dialog by 96 / logical DPI, each widget once.
    void scaleFonts();

    QString PictureFolder;
};
