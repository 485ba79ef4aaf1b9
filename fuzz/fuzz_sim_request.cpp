// A request line of the orvak-sim tool as the program's control socket takes
// it: parsed, and carried out on the simulated devices when it is one.
#include "FuzzSupport.h"

#include "platform/vidide/SimRequest.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply = AnswerSimRequest(FuzzSupport::Bytes(data, size));
    if (!reply.endsWith('\n'))
        __builtin_trap();
    return 0;
}
