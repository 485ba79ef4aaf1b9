#include "common/mytoolButtonEnter.h"

#include <utility>

mytoolButtonEnter::mytoolButtonEnter(QWidget *parent) : QToolButton(parent) {}

mytoolButtonEnter::~mytoolButtonEnter() = default;

int mytoolButtonEnter::deviceIndex() const
{
    QString number = objectName();
    number.remove(QStringLiteral("btn"), Qt::CaseSensitive);
    bool ok = false;
    const int index = number.toInt(&ok, 10);
    return ok ? index : 0;
}

void mytoolButtonEnter::setHoverAction(std::function<void(int)> action)
{
    m_hoverAction = std::move(action);
}

void mytoolButtonEnter::enterEvent(QEvent *)
{
    if (m_hoverAction)
        m_hoverAction(deviceIndex());
}

void mytoolButtonEnter::leaveEvent(QEvent *) {}
