#include "platform/vidide/SimRequestReader.h"

#include "platform/vidide/SimControlSocket.h"

int SimRequestReader::room() const
{
    // One byte beyond a request: enough to tell a line that is too long.
    return m_state == State::Reading ? SimMaxRequestBytes + 1 - m_bytes.size() : 0;
}

SimRequestReader::State SimRequestReader::add(const QByteArray &bytes, bool moreWaiting)
{
    if (m_state != State::Reading)
        return m_state;
    const int taken = qMin(bytes.size(), room());
    m_bytes += bytes.left(taken);
    // A newline beyond the limit ends a line that is too long all the same
    // (bytes may come a few at a time, past the limit in one piece).
    const int newline = m_bytes.indexOf('\n');
    if (newline < 0 || newline >= SimMaxRequestBytes) {
        if (m_bytes.size() >= SimMaxRequestBytes)
            m_state = State::TooLong;
        return m_state;
    }
    const bool extra = newline + 1 < m_bytes.size() || taken < bytes.size() || moreWaiting;
    m_state = extra ? State::Extra : State::Line;
    return m_state;
}

QByteArray SimRequestReader::line() const
{
    return m_state == State::Line ? m_bytes.left(m_bytes.size() - 1) : QByteArray();
}
