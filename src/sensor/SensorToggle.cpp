#include "sensor/SensorToggle.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceField.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLabel>

namespace SensorToggle {

void ApplyLook(QAbstractButton *toggle, QLabel *title, QLabel *tip)
{
    const QString p = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    title->setStyleSheet("QLabel{color: rgb(" + ThemeColorText("LabelColor") + ");}");
    const QString name = "#" + toggle->objectName();
    toggle->setStyleSheet(name +
                          "{color: rgb(255, 255, 255);border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: url(" +
                          p + "Close.png);}" + name + ":checked{background-image: url(" + p +
                          "Open.png);}");
    tip->setStyleSheet("QLabel{border-image: url(" + p + "Tips.png);}");
}

void Clicked(QAbstractButton *toggle, bool checked, bool (*setter)(int))
{
    if (DeviceField::Filling())
        return;
    if (DeviceField::WritesOpen() && DeviceField::Write([&] { return setter(checked ? 1 : 0); }))
        return;
    // Before the click the toggle showed what the mouse holds.
    DeviceField::Silently(toggle, [&] { toggle->setChecked(!checked); });
}

int TipX(const int table[5], int language)
{
    if (language < 0 || language > 7)
        return -1;
    return table[qMin(language, 4)];
}

} // namespace SensorToggle
