#pragma once

#include <QByteArray>
#include <QString>

// Every file the program keeps is read and written here.
//
// Reading takes regular files only: a symbolic link at the path is never
// followed, a FIFO, device or socket is never opened (so nothing waits on
// one), and no more than the caller's bound is read. Below the per-user
// folder no folder of the path is followed as a link either, so nothing
// reached through the folder leaves it.
//
// Writing replaces a file whole or not at all: the bytes go to a new file
// beside it (created exclusively, never through a link), every write, the
// flush to disk and the close are checked, and only then is the new file
// renamed over the old one. A rename replaces a link itself, never what it
// points to. On any failure the old file stays byte for byte.
//
// Something that is not a regular file where the per-user folder keeps one
// is damaged: it is set aside as <name>.bad (an earlier one is replaced) and
// the program goes on with a fresh file. Elsewhere it is refused and left as
// it is.
//
// A file the user chose in a dialog (an import, an export) is the user's,
// links included: readChosen() and writeChosen() reach it through links, but
// still as a regular file only, never waiting on a FIFO or device, and never
// set anything aside.
//
//   QByteArray bytes;
//   QString error;
//   switch (SafeFile::read(path, MaxBytes, &bytes, &error)) { ... }
//   if (!SafeFile::write(path, bytes, &error)) tell the user;
namespace SafeFile {

enum class Status
{
    Ok,
    Missing,    // nothing at the path (or its folder is missing)
    NotRegular, // a link, FIFO, device, socket or folder: never opened
    TooLarge,   // more than the caller's bound: nothing read
    Failed      // could not be opened or read
};

// Reads the regular file at path whole into out (at most maxBytes). On
// NotRegular in the per-user folder the thing is set aside (setAside).
// error, when given, says why on anything but Ok and Missing.
Status read(const QString &path, qint64 maxBytes, QByteArray *out, QString *error = nullptr);

// Reads the file the user chose at path, through links, whole into out (at
// most maxBytes). NotRegular for a FIFO, device, socket or folder, at the
// path or at the end of its links: never opened, never set aside.
Status readChosen(const QString &path, qint64 maxBytes, QByteArray *out, QString *error = nullptr);

// What stands at path, without following a link and without opening it:
// Missing, Ok (a regular file) or NotRegular; Failed when it cannot be told.
Status probe(const QString &path);

// Replaces the file at path with bytes (see above). A new file gets the
// usual permissions (0666 less the umask), a replaced one keeps its own.
// Something that is not a regular file at path is set aside first in the
// per-user folder, and refused elsewhere. False, with a reason, when the
// file was not replaced; the old one is unchanged.
bool write(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Writes bytes to the file the user chose at path, as write() does, its
// folder reached through links wherever it lies. A link at path leads to the
// file that is replaced (the link stays); a link that leads to no file, or
// to anything but a regular file, and a FIFO, device or folder at path are
// refused and left as they are, never opened.
bool writeChosen(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Renames whatever stands at path to path + ".bad", replacing an earlier
// one, so that a damaged file is kept beside the fresh one. True when
// nothing is at path any more.
bool setAside(const QString &path, QString *error = nullptr);

// True when path lies below the per-user folder.
bool inUserFolder(const QString &path);

// Test seam: every write after this call fails as on a full disk (ENOSPC)
// once `bytes` more bytes reached files; a negative count ends it. All
// writers of the program pass here, on any thread.
void failWritesAfter(qint64 bytes);

} // namespace SafeFile
