// The orvak-sim tool's command line: the input's NUL-separated parts are the
// arguments after the tool's name.
#include "FuzzSupport.h"

#include "SimToolCommandLine.h"

#include <QStringList>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList arguments;
    for (const QByteArray &part : FuzzSupport::Bytes(data, size).split('\0'))
        arguments << QString::fromLocal8Bit(part);
    const SimToolCommandLine line = ParseSimToolCommandLine(arguments);
    if (line.action == SimToolCommandLine::Action::Send &&
        (line.request.isEmpty() || !line.request.endsWith('\n')))
        __builtin_trap();
    if (!line.socketPath.isEmpty() && arguments.first() != QLatin1String("--socket"))
        __builtin_trap();
    return 0;
}
