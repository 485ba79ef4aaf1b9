#include "common/MouseNotices.h"

#include "common/DialogPlacement.h"
#include "common/MouseOffLine.h"
#include "common/NoticeChoice.h"
#include "hub/PostMsg.h"

#include <QWidget>

MouseNotices::MouseNotices(QWidget *over) : QObject(over), Over(over)
{
    connect(PostMsg::GetInstance(), &PostMsg::SigCloseOffOnline, this, &MouseNotices::MouseBack);
}

void MouseNotices::Report(int kind)
{
    if (Shown.contains(kind) || Queued.contains(kind))
        return;
    Queued.insert(kind);
    QMetaObject::invokeMethod(
        this, [this, kind] { Show(kind); }, Qt::QueuedConnection);
}

void MouseNotices::MouseBack()
{
    Queued.remove(MouseNoticeOffline);
    Queued.remove(MouseNoticeTimeOut);
}

void MouseNotices::Show(int kind)
{
    if (!Queued.remove(kind))
        return;
    Shown.insert(kind);
    OfflineNoticeKind = kind;
    MouseOffLine notice;
    if (Over)
        DialogPlacement::centreOver(&notice, Over, 0, -20);
    notice.exec();
    Shown.remove(kind);
}
