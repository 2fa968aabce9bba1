// The video library (".ovd"): every record read, and the file loaded and saved with every
// record written back from the record form.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/VideoRecord.h"

TIVAREL_FUZZ_RECORD_SECTION(7, VideoRecord)
