#pragma once

#include "common/NoticeDialog.h"

#include <QString>
#include <QStringList>
#include <memory>

// Builds a notice or confirm dialog by its class name (null for an unknown one).
std::unique_ptr<NoticeDialog> makeNotice(const QString &className);

// Every notice and confirm dialog of the program.
QStringList noticeClassNames();
