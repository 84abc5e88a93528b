#pragma once

#include <QString>
#include <QStringList>

// Files as a skin from a case-insensitive file system names them.
namespace fs {

// Turns "\" into "/".
QString toSlashes(const QString &path);

// The existing path that matches path without regard to case, component by
// component, preferring an exact match; path itself (with "/" separators) when
// nothing matches. When only a leading part exists, that part is resolved and the
// rest keeps the spelling it was given (a file about to be created).
QString resolve(const QString &path);

// Whether a file (not a folder) exists, names matched without regard to case.
bool fileExists(const QString &path);
bool folderExists(const QString &path);

// Names of the entries of folder that match a wildcard pattern ("*.lng"),
// without regard to case, in the order the system lists them.
QStringList listFolder(const QString &folder, const QString &pattern, bool foldersToo = false);

// Between holdListings() and the matching releaseListings() (they nest; see
// ListingScope) every lookup of this thread is answered from one listing per
// folder, taken when the folder is first needed: a name the listing holds costs
// no further system call, and a missing name is answered from the listings too.
// Outside, each lookup asks the system afresh.
void holdListings();
void releaseListings();
// Drops the listings held so far (they are taken again when next needed): the
// program has just created or replaced a file.
void forgetListings();
// Names the listings this thread holds now: 0 while it holds none, another
// number each time listings are taken afresh (a new outermost hold, or after
// forgetListings). What was worked out from the files while the number stays
// the same still holds.
quint64 listingsId();

} // namespace fs
