#pragma once

#include "collections/RecordSchema.h"

// The film record of the video library (".ovd"): 15 fixed lines, then the
// actors, description and comments memos tagged "Memo2", "Memo3", "Memo4".
//
//   1 code            6 producer        11 video format
//   2 date            7 country         12 video bit rate (Kb/sec)
//   3 mark            8 category        13 audio format
//   4 title           9 year            14 audio bit rate (Kb/sec)
//   5 director       10 duration (min)  15 cover picture path ("" when none)
//
// The five spin fields are not reset when a film is read, so a film that is
// not in the file yet shows the numbers of the film shown before it.
namespace VideoRecord {

const RecordSchema &schema();

} // namespace VideoRecord
