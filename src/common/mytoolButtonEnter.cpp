#include "common/mytoolButtonEnter.h"

#include "device/DeviceState.h"
#include "device/DialogChange.h"

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

// Hovering a device refreshes its link state and icons. The grid may have
// pruned the list since the button was named, so the number is checked
// against the list before it is used.
void mytoolButtonEnter::enterEvent(QEvent *)
{
    const int index = deviceIndex();
    if (index < 0 || index >= FoundDevices.size())
        return;
    RefreshFoundDevice(index);
}

void mytoolButtonEnter::leaveEvent(QEvent *) {}
