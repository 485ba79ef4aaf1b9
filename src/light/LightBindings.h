#pragma once

// The bindings that the light editors share: a slider with the read-only
// number beside it, and a colour held in three boxes with its preview. Both
// show what the mouse or receiver holds (DeviceField): a refused change puts
// the controls back with one notice and leaves them enabled.

#include "device/DeviceField.h"

#include <functional>

class QLabel;
class QSlider;
class QSpinBox;

namespace LightBindings {

// Slider and number show the held value; the number follows a drag as a
// preview, the release writes.
DeviceField SliderField(QSlider *slider, QSpinBox *number, DeviceField::Writer write,
                        DeviceField::Action announce = {});
// The slider's release: written, or slider and number back on the held value.
void ReleaseSlider(DeviceField &field, QSpinBox *number, int value);

int PackColour(int r, int g, int b);

// A colour of three boxes (0..255 each) and a preview. One change of the
// colour, whichever way the user makes it (a box, a step, a preset, a pick),
// is one write of all three components.
class ColourBoxes
{
public:
    using Writer = std::function<bool(int r, int g, int b)>;

    // The boxes' own signals must reach BoxEdited; the binding blocks them
    // while it shows a colour.
    void Bind(QSpinBox *r, QSpinBox *g, QSpinBox *b, QLabel *preview, Writer write);

    void Fill(int r, int g, int b);
    // The user's colour: shown, written, or put back on the held colour. The
    // colour already held writes nothing.
    void Change(int r, int g, int b);
    // A box was edited (typing or its arrows).
    void BoxEdited();
    // Box 0..2 one step up or down; a box at its limit writes nothing.
    void Step(int box, int delta);
    void Preset(int preset);

private:
    void show(int rgb);

    QSpinBox *Boxes[3] = {nullptr, nullptr, nullptr};
    QLabel *Preview = nullptr;
    DeviceField Field;
};

} // namespace LightBindings
