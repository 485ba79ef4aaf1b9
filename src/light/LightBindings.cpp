#include "light/LightBindings.h"

#include "light/LightState.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <utility>

namespace LightBindings {

DeviceField SliderField(QSlider *slider, QSpinBox *number, DeviceField::Writer write,
                        DeviceField::Action announce)
{
    return DeviceField(
        slider, std::move(write),
        [slider, number](int value) {
            // Nothing held yet: the controls keep what they show.
            if (value < 0)
                return;
            slider->setValue(value);
            number->setValue(value);
        },
        std::move(announce));
}

void ReleaseSlider(DeviceField &field, QSpinBox *number, int value)
{
    if (field.Change(value))
        number->setValue(value);
}

int PackColour(int r, int g, int b)
{
    return ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}

void ColourBoxes::Bind(QSpinBox *r, QSpinBox *g, QSpinBox *b, QLabel *preview, Writer write)
{
    Boxes[0] = r;
    Boxes[1] = g;
    Boxes[2] = b;
    Preview = preview;
    Field = DeviceField(
        r,
        [write = std::move(write)](int rgb) {
            return write((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        },
        [this](int rgb) { show(rgb); });
}

void ColourBoxes::show(int rgb)
{
    if (rgb < 0)
        return;
    const int r = (rgb >> 16) & 0xFF;
    const int g = (rgb >> 8) & 0xFF;
    const int b = rgb & 0xFF;
    const QSignalBlocker blockR(Boxes[0]);
    const QSignalBlocker blockG(Boxes[1]);
    const QSignalBlocker blockB(Boxes[2]);
    Boxes[0]->setValue(r);
    Boxes[1]->setValue(g);
    Boxes[2]->setValue(b);
    Preview->setStyleSheet(LightValues::PreviewStyle(r, g, b));
}

void ColourBoxes::Fill(int r, int g, int b)
{
    Field.Fill(PackColour(r, g, b));
}

void ColourBoxes::Change(int r, int g, int b)
{
    const int rgb = PackColour(r, g, b);
    show(rgb);
    if (rgb != Field.Held())
        Field.Change(rgb);
}

void ColourBoxes::BoxEdited()
{
    Change(Boxes[0]->value(), Boxes[1]->value(), Boxes[2]->value());
}

void ColourBoxes::Step(int box, int delta)
{
    if (box < 0 || box > 2)
        return;
    int values[3] = {Boxes[0]->value(), Boxes[1]->value(), Boxes[2]->value()};
    const int stepped = qBound(Boxes[box]->minimum(), values[box] + delta, Boxes[box]->maximum());
    if (stepped == values[box])
        return;
    values[box] = stepped;
    Change(values[0], values[1], values[2]);
}

void ColourBoxes::Preset(int preset)
{
    if (preset < 0 || preset > 13)
        return;
    const LightValues::PresetColour &c = LightValues::PresetColours[preset];
    Change(c.r, c.g, c.b);
}

} // namespace LightBindings
