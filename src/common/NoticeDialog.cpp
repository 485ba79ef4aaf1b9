#include "common/NoticeDialog.h"

#include "common/ConfigIniStore.h"
#include "common/DialogSeam.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

NoticeDialog::NoticeDialog(QWidget *parent) : QDialog(parent), PictureFolder(pictureFolder()) {}

NoticeDialog::~NoticeDialog() = default;

int NoticeDialog::exec()
{
    return DialogSeam::exec(*this);
}

QString NoticeDialog::pictureFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/WarningDialog/");
}

void NoticeDialog::applyLook(const Look &look)
{
    // Without a parent the notice is a top-level window. It stays frameless,
    // but is left to the window manager: a window that bypasses it never gets
    // the keyboard focus, and Esc and Return would do nothing.
    setWindowFlags(NoticeWindowFlags);

    if (look.label) {
        look.label->setStyleSheet(QStringLiteral("QLabel{color: rgb(") +
                                  ThemeColorText(QStringLiteral("LabelColor")) +
                                  QStringLiteral(";);}"));
    }

    if (!look.confirmButtons.isEmpty()) {
        const QString style =
            QStringLiteral("QToolButton{border:0px;background-position:center;background-repeat:"
                           "no-repeat;color: rgb(") +
            ThemeColorText(QStringLiteral("ButtonColor")) +
            QStringLiteral(";);border-image: url(") + PictureFolder + look.confirmPicture +
            QStringLiteral(");}QToolButton:pressed{border-image: url(") + PictureFolder +
            look.confirmClickPicture + QStringLiteral("); }");
        for (QToolButton *button : look.confirmButtons)
            button->setStyleSheet(style);
    }

    if (look.closeButton) {
        look.closeButton->setStyleSheet(
            QStringLiteral("QToolButton{border:0px;background-image: url(") + PictureFolder +
            QStringLiteral("Close.png);background-position:center;background-repeat:no-repeat;}"
                           "QToolButton:hover{background-image: url(") +
            PictureFolder +
            QStringLiteral("CloseHover.png);}QToolButton:pressed{background-image: url(") +
            PictureFolder + QStringLiteral("CloseClick.png);}"));
    }

    if (look.frame) {
        LazyPictures::SetStyleSheet(
            look.frame,
            QStringLiteral("#") + look.frame->objectName() +
                QStringLiteral(
                    "{border:0px;background-position:center;background-repeat:no-repeat;") +
                (look.stretchFrame ? QStringLiteral("border-image: url(")
                                   : QStringLiteral("background-image: url(")) +
                PictureFolder + QStringLiteral("BackGround.png") + look.frameStyleEnd);
    }
}

void NoticeDialog::followLanguage()
{
    // Called from the member's constructor, so the slot found is the member's.
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    QMetaObject::invokeMethod(this, "SlotAllLanguage", Qt::DirectConnection,
                              Q_ARG(int, CurrentLanguage));
}

void NoticeDialog::scaleFonts()
{
    ScaleWidgetFonts(this, FontScaleFactor());
}
