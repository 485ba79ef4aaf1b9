#include "platform/CrashDump.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/UserFolder.h"
#include "platform/vidide/VidIde.h"

namespace {

// Everything the handler needs is prepared here at install time: it may not
// allocate, lock or call into Qt.
constexpr size_t FolderMax = 4096;
char g_folder[FolderMax];
size_t g_folderLength = 0;
long g_utcOffsetSecs = 0;
std::atomic<bool> g_inHandler{false};
bool g_installed = false;

constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

void writeAll(int fd, const char *data, size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, data, length);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        length -= size_t(written);
    }
}

void writeText(int fd, const char *text)
{
    writeAll(fd, text, strlen(text));
}

void writeNumber(int fd, long value)
{
    char digits[24];
    size_t pos = sizeof(digits);
    const bool negative = value < 0;
    unsigned long magnitude =
        negative ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        digits[--pos] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 && pos > 1);
    if (negative)
        digits[--pos] = '-';
    writeAll(fd, digits + pos, sizeof(digits) - pos);
}

void writeHex(int fd, uintptr_t value)
{
    char digits[2 + 2 * sizeof(uintptr_t)];
    size_t pos = sizeof(digits);
    do {
        digits[--pos] = "0123456789abcdef"[value & 0xf];
        value >>= 4;
    } while (value != 0 && pos > 2);
    digits[--pos] = 'x';
    digits[--pos] = '0';
    writeAll(fd, digits + pos, sizeof(digits) - pos);
}

const char *signalName(int sig)
{
    switch (sig) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    default:
        return "signal";
    }
}

// mkdir -p of the dump folder.
void makeFolder()
{
    char path[FolderMax];
    memcpy(path, g_folder, g_folderLength + 1);
    for (size_t i = 1; i < g_folderLength; ++i) {
        if (path[i] == '/') {
            path[i] = '\0';
            ::mkdir(path, 0755);
            path[i] = '/';
        }
    }
    ::mkdir(path, 0755);
}

void crashHandler(int sig, siginfo_t *info, void *)
{
    // A second thread crashing meanwhile must not write over the dump.
    if (!g_inHandler.exchange(true)) {
        makeFolder();

        char stamp[20];
        FormatDumpTime(static_cast<long long>(::time(nullptr)), g_utcOffsetSecs, stamp);
        char path[FolderMax + 32];
        memcpy(path, g_folder, g_folderLength);
        size_t pos = g_folderLength;
        path[pos++] = '/';
        memcpy(path + pos, stamp, 19);
        pos += 19;
        memcpy(path + pos, ".dmp", 5);

        // Never through a link, never waiting on a FIFO put in its place.
        const int fd =
            ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
        if (fd >= 0) {
            writeText(fd, "ORVAK crash dump\nsignal: ");
            writeNumber(fd, sig);
            writeText(fd, " (");
            writeText(fd, signalName(sig));
            writeText(fd, ")\naddress: ");
            writeHex(fd, info ? reinterpret_cast<uintptr_t>(info->si_addr) : 0U);
            writeText(fd, "\npid: ");
            writeNumber(fd, long(::getpid()));
            writeText(fd, "\nbacktrace:\n");
            void *frames[128];
            const int count = ::backtrace(frames, 128);
            ::backtrace_symbols_fd(frames, count, fd);
            ::close(fd);
        }
    }

    // Let the signal end the process as it would have without us.
    struct sigaction standard;
    memset(&standard, 0, sizeof(standard));
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(sig, &standard, nullptr);
    ::raise(sig);
}

// The alternate signal stack of one thread. It is handed back to the system
// before its memory goes, when the thread ends.
class ThreadSignalStack
{
public:
    ThreadSignalStack() = default;
    ThreadSignalStack(const ThreadSignalStack &) = delete;
    ThreadSignalStack &operator=(const ThreadSignalStack &) = delete;
    ~ThreadSignalStack()
    {
        if (!m_memory)
            return;
        stack_t off;
        memset(&off, 0, sizeof(off));
        off.ss_flags = SS_DISABLE;
        ::sigaltstack(&off, nullptr);
        ::free(m_memory);
    }

    bool install()
    {
        if (m_memory)
            return true;
        stack_t current;
        // A thread that has one already (given by whoever made the thread)
        // keeps it.
        if (::sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE))
            return true;
        void *memory = ::malloc(StackSize);
        if (!memory)
            return false;
        stack_t stack;
        memset(&stack, 0, sizeof(stack));
        stack.ss_sp = memory;
        stack.ss_size = StackSize;
        if (::sigaltstack(&stack, nullptr) != 0) {
            ::free(memory);
            return false;
        }
        m_memory = memory;
        return true;
    }

private:
    static constexpr size_t StackSize = 64 * 1024;
    void *m_memory = nullptr;
};

} // namespace

bool PrepareThreadForCrashDumps()
{
    // A stack overflow leaves no stack for the handler: each thread needs one
    // of its own, since the alternate stack belongs to the thread that set it.
    thread_local ThreadSignalStack stack;
    if (stack.install())
        return true;
    qWarning().noquote() << "Crash dumps: no alternate signal stack for this thread -"
                         << strerror(errno);
    return false;
}

void FormatDumpTime(long long secs, long utcOffsetSecs, char out[20])
{
    long long local = secs + utcOffsetSecs;
    long long days = local / 86400;
    long long rest = local % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);

    const long long fields[6] = {year, month, day, rest / 3600, (rest / 60) % 60, rest % 60};
    const int widths[6] = {4, 2, 2, 2, 2, 2};
    int pos = 0;
    for (int i = 0; i < 6; ++i) {
        long long value = fields[i] < 0 ? 0 : fields[i];
        for (int digit = widths[i] - 1; digit >= 0; --digit) {
            out[pos + digit] = char('0' + value % 10);
            value /= 10;
        }
        pos += widths[i];
        if (i < 5)
            out[pos++] = '_';
    }
    out[pos] = '\0';
}

bool InstallCrashDumpFilterIn(const QString &folder)
{
    const QByteArray encoded = QFile::encodeName(QDir::cleanPath(folder));
    if (encoded.isEmpty() || size_t(encoded.size()) >= FolderMax) {
        qWarning().noquote() << "Crash dumps: unusable folder" << folder;
        return false;
    }
    memcpy(g_folder, encoded.constData(), size_t(encoded.size()) + 1);
    g_folderLength = size_t(encoded.size());
    // The offset of the moment of installation; a daylight-saving change
    // during the run shifts the dump's name by an hour, nothing more.
    g_utcOffsetSecs = QDateTime::currentDateTime().offsetFromUtc();

    // The first backtrace() loads the unwinder (it allocates); do it now.
    void *frames[4];
    ::backtrace(frames, 4);

    if (g_installed)
        return true;

    PrepareThreadForCrashDumps();
    // The device library's threads take theirs before their next job.
    VidIde_SetThreadStartHook([] { PrepareThreadForCrashDumps(); });

    struct sigaction action;
    memset(&action, 0, sizeof(action));
    action.sa_sigaction = crashHandler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    bool ok = true;
    for (int sig : CrashSignals) {
        if (::sigaction(sig, &action, nullptr) != 0) {
            qWarning().noquote() << "Crash dumps: cannot handle signal" << sig << "-"
                                 << strerror(errno);
            ok = false;
        }
    }
    g_installed = true;
    return ok;
}

void InstallCrashDumpFilter()
{
    InstallCrashDumpFilterIn(UserFolder::filePath(QStringLiteral("Exception")));
}
