#pragma once

#include <QObject>
#include <QSet>

class QWidget;

// Shows the mouse notices (MouseOffLine, one MouseNoticeKind each) over one
// window. A reported notice shows from the event loop, once the code that
// reported it is done: a control whose change was refused is back on the
// mouse's value before the notice tells why, and no modal loop runs inside a
// half-done change. One notice of a kind at a time: the same kind reported
// again while it is shown or waiting to be adds nothing. An offline or
// time-out notice still waiting when the mouse answers again (the hub's
// SigCloseOffOnline) is dropped, as a shown one closes itself then.
// GUI thread only.
class MouseNotices : public QObject
{
    Q_OBJECT

public:
    // Notices are centred over `over`, 20 pixels up.
    explicit MouseNotices(QWidget *over);

    void Report(int kind);

private:
    void Show(int kind);
    void MouseBack();

    QWidget *Over = nullptr;
    QSet<int> Queued;
    QSet<int> Shown;
};
