#pragma once

#include <QString>

class QComboBox;

// The themed look shared by the combo boxes of the sensor and advanced pages:
// pictures from `picturePath`, colours from Config.ini's theme. Also gives the
// combo a new list view with the themed selection; at most `visible` items.
void ApplyThemedCombo(QComboBox *combo, const QString &picturePath, int visible);
