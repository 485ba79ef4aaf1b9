#pragma once

// The mouse notices as the main window shows them (MouseNotices: from the
// event loop, one of a kind at a time), read the moment each one appears:
// its kind, and what `look` returns then, the controls as the user sees
// them beside the notice. Each notice is closed with its OK button once
// read; any other dialog goes to the handler installed before.

#include "common/DialogSeam.h"
#include "common/MouseNotices.h"
#include "common/MouseOffLine.h"
#include "hub/PostMsg.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class NoticeReader
{
public:
    struct Seen
    {
        int kind;
        QString look;
    };

    explicit NoticeReader(QWidget *over, std::function<QString()> look = {})
        : Notices(new MouseNotices(over)), Look(std::move(look))
    {
        QObject::connect(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo, Notices,
                         &MouseNotices::Report);
        Previous = DialogSeam::setExecHandler([this](QDialog &dialog) {
            if (auto *notice = qobject_cast<MouseOffLine *>(&dialog)) {
                seen.append({notice->kind(), Look ? Look() : QString()});
                DialogSeam::press(dialog, QStringLiteral("NewHong"));
            } else if (Previous) {
                Previous(dialog);
            } else {
                DialogSeam::press(dialog, QStringLiteral("CloseButton"));
            }
        });
    }
    ~NoticeReader()
    {
        DialogSeam::setExecHandler(Previous);
        delete Notices;
    }
    NoticeReader(const NoticeReader &) = delete;
    NoticeReader &operator=(const NoticeReader &) = delete;

    QList<Seen> seen;

private:
    QPointer<MouseNotices> Notices;
    std::function<QString()> Look;
    DialogSeam::ExecHandler Previous;
};
