#include "common/KeyboardFocus.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFocusFrame>
#include <QPointer>

namespace {

class OutlineFollower : public QObject
{
public:
    explicit OutlineFollower(QObject *parent) : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget *, QWidget *now) { follow(now); });
    }

    void setColour(const QColor &colour)
    {
        m_style = QStringLiteral("QFocusFrame{border: 2px solid %1; border-radius: 3px;}")
                      .arg(colour.name());
        if (m_frame)
            m_frame->setStyleSheet(m_style);
    }

private:
    static bool outlined(const QWidget *widget)
    {
        // Text fields show their cursor already.
        return qobject_cast<const QAbstractButton *>(widget) ||
               qobject_cast<const QComboBox *>(widget) ||
               qobject_cast<const QAbstractSlider *>(widget);
    }

    void follow(QWidget *now)
    {
        // Qt marks a window once its focus moved by Tab or a shortcut.
        if (!now || !outlined(now) || !now->window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
            if (m_frame)
                m_frame->setWidget(nullptr);
            return;
        }
        if (!m_frame) {
            // Goes with the parent it is moved to; QPointer notices.
            m_frame = new QFocusFrame(now);
            m_frame->setStyleSheet(m_style);
        }
        m_frame->setWidget(now);
    }

    QPointer<QFocusFrame> m_frame;
    QString m_style;
};

} // namespace

namespace KeyboardFocus {

void ShowOutline(const QColor &colour)
{
    static QPointer<OutlineFollower> follower;
    if (!follower)
        follower = new OutlineFollower(qApp);
    follower->setColour(colour);
}

} // namespace KeyboardFocus
