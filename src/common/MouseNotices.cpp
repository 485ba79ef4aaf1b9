#include "common/MouseNotices.h"

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
    if (Over) {
        const QPoint p = Over->mapToGlobal(QPoint(0, 0));
        notice.move(p.x() + (Over->width() - notice.width()) / 2,
                    p.y() + (Over->height() - notice.height()) / 2 - 20);
    }
    notice.exec();
    Shown.remove(kind);
}
