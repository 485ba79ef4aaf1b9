#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Moves a folder tree to another place, also onto another file system,
// without losing a file on the way:
// - When the destination does not exist, the tree is renamed there in one
//   step where the file system allows it.
// - Otherwise it is copied into a folder of its own on the destination's file
//   system, every file read back and compared, and only then put in place;
//   the source is removed last. A copy that fails half-way is removed again
//   and the source stays as it was.
// - A destination that exists already takes the tree in: what it lacks is
//   added, a file it holds with the same contents stays once, and an empty
//   file there is replaced, as is one the caller judges replaceable (one
//   that holds only what the program writes by itself on a fresh start).
//   Any other clash keeps both sides: the source's file is put beside the
//   destination's as "<name> (earlier version).<ext>", and named to the
//   caller. A move that stopped half-way can therefore simply be run again.
// - Symbolic links are moved as links (the same target), never followed;
//   FIFOs, sockets and device nodes hold no data and are left out.
namespace FolderMove {

// Whether the destination's file `path` (regular, `relative` below the
// destination) may give way to the source's file of the same name.
using Replaceable = std::function<bool(const QString &relative, const QString &path)>;

// True when everything of `from` is at `to` (and `from` is gone, unless only
// its removal failed, which is logged). False with a reason when the move
// could not be completed; `from` is then untouched. `keptBeside`, when
// given, gets the paths (relative to `to`) under which this move put the
// source's files and folders beside a clashing one of the destination.
bool move(const QString &from, const QString &to, QString *error,
          const Replaceable &replaceable = Replaceable(), QStringList *keptBeside = nullptr);

// The rename that tries to move the whole tree at once (rename(2) by
// default); tests put one in its place that fails with EXDEV to exercise the
// copy. Returns the function installed before; null restores the default.
using RenameFunction = int (*)(const char *from, const char *to);
RenameFunction setTreeRename(RenameFunction rename);

} // namespace FolderMove
