#pragma once

#include <QString>

class QAbstractButton;
class QLabel;

// What the three on/off widgets of the sensor page share: their look and the
// write of a click through their field setter.
namespace SensorToggle {

void ApplyLook(QAbstractButton *toggle, QLabel *title, QLabel *tip);
// A click: writes 1 or 0 through `setter`; a refused or unsent write flips
// the toggle back without a signal.
void Clicked(QAbstractButton *toggle, bool checked, bool (*setter)(int));
// x of the tip icon per language 0..3 and 4..7; -1 leaves it where it is.
int TipX(const int table[5], int language);

} // namespace SensorToggle
