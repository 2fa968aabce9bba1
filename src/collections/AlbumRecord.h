#pragma once

#include "collections/RecordSchema.h"

#include <optional>

// One page of the photo album (".oap"), as a block body:
//
//   1   "TITLE " + title
//   2   "ANIMATE " + path when the path names an ".avi" file (any letter
//       case), else "PICTURE " + path (empty when no file is chosen)
//   3.. the comment, one line per line, untagged, up to the end marker
//
// Reading takes the title from character 7 and the path from character 9 of
// their lines, whole, and decides again from the path whether it is an
// animation: the keyword is not looked at. Paths keep their letter case
// (Linux file names are case-sensitive). A block whose first or second line
// is missing reads empty values for them.
namespace AlbumRecord {

enum Field
{
    Title,
    Path,
    Comment
};

const RecordSchema &schema();

bool isAnimation(const QString &path);

// The values of a block body: title and path (QString), comment
// (QStringList).
RecordValues read(const QStringList &body);

// The body of a page. A page is kept as soon as it has a title, a comment
// or a file; an entirely empty page gives nothing (it leaves the file).
// Comment lines that look like markers are the block file's concern.
std::optional<QStringList> write(const RecordValues &values);

} // namespace AlbumRecord
