#pragma once

#include <QByteArray>

// The framing of the control socket: one request line per connection, of at
// most SimMaxRequestBytes bytes with its newline. Fed with what arrives, in
// whatever pieces it arrives; it never holds more than one request's worth,
// and once it has decided it takes nothing more.
class SimRequestReader
{
public:
    enum class State
    {
        Reading, // no newline yet, and still room for one
        Line,    // one whole request: line()
        TooLong, // no newline within SimMaxRequestBytes
        Extra    // more came after the newline: more than one request
    };

    // How many bytes to read now; 0 once decided.
    int room() const;
    // Takes what was read (at most room() bytes are kept); `moreWaiting` says
    // whether more bytes wait behind them.
    State add(const QByteArray &bytes, bool moreWaiting);
    State state() const { return m_state; }
    // The request without its newline, once the state is Line.
    QByteArray line() const;

private:
    QByteArray m_bytes;
    State m_state = State::Reading;
};
