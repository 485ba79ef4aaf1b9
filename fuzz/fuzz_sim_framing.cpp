// The control socket's framing: bytes arriving in pieces, read the way the
// server reads them, must give one request line or a refusal, never holding
// more than one request's worth. The first bytes of the input give the sizes
// of the pieces; the rest is what the tool sent.
#include "FuzzSupport.h"

#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/SimRequestReader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const QByteArray pieces = FuzzSupport::Bytes(data, 4);
    const QByteArray sent = FuzzSupport::Bytes(data + 4, size - 4);
    SimRequestReader reader;
    QByteArray waiting; // arrived, not read yet
    int arrived = 0;
    for (int i = 0; reader.state() == SimRequestReader::State::Reading; ++i) {
        const int piece = 1 + (uchar(pieces.at(i % pieces.size())) & 0x7f);
        const QByteArray next = sent.mid(arrived, piece);
        arrived += next.size();
        waiting += next;
        if (waiting.isEmpty())
            break; // the tool sent everything and waits
        const QByteArray bytes = waiting.left(reader.room());
        waiting.remove(0, bytes.size());
        reader.add(bytes, !waiting.isEmpty());
    }
    const int newline = sent.indexOf('\n');
    switch (reader.state()) {
    case SimRequestReader::State::Line:
        if (reader.line().contains('\n') || reader.line().size() >= SimMaxRequestBytes ||
            !sent.startsWith(reader.line() + '\n'))
            __builtin_trap();
        break;
    case SimRequestReader::State::TooLong:
        if (newline >= 0 && newline < SimMaxRequestBytes)
            __builtin_trap();
        break;
    case SimRequestReader::State::Extra:
        if (newline < 0 || newline + 1 >= sent.size())
            __builtin_trap();
        break;
    case SimRequestReader::State::Reading:
        if (newline >= 0 || sent.size() >= SimMaxRequestBytes)
            __builtin_trap();
        break;
    }
    return 0;
}
