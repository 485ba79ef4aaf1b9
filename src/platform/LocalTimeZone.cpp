#include "platform/LocalTimeZone.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>
#include <ctime>

namespace LocalTimeZone {

const char *PinProcessZone()
{
    // glibc's own default when TZ is unset; the leading ':' names a zone file.
    static const char SystemZone[] = ":/etc/localtime";
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", QByteArray(SystemZone));
    tzset();
    const char *zone = std::getenv("TZ");
    return zone ? zone : "";
}

} // namespace LocalTimeZone
