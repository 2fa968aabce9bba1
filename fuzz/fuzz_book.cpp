// The book library (".olv"): every record read, and the file loaded and saved with every
// record written back from the record form.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/BookRecord.h"

TIVAREL_FUZZ_RECORD_SECTION(9, BookRecord)
