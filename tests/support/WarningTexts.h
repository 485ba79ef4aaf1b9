#pragma once

// The texts of the warnings (UpDateWarning, the storage notices among them)
// a scoped answer saw, in the order they were shown.

#include "common/DialogSeam.h"

#include <QStringList>

inline QStringList WarningTexts(const DialogSeam::ScopedAnswer &answer)
{
    QStringList texts;
    for (const DialogSeam::ShownDialog &dialog : answer.dialogs()) {
        if (dialog.className == QLatin1String("UpDateWarning"))
            texts << dialog.labelText;
    }
    return texts;
}
