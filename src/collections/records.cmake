# Video library, book library and reimbursements: the record sections.

# Field tables, block body reading and writing, reimbursement results.
target_sources(tivarel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RecordSchema.cpp ${CMAKE_CURRENT_LIST_DIR}/RecordSchema.h
  ${CMAKE_CURRENT_LIST_DIR}/AlbumRecord.cpp ${CMAKE_CURRENT_LIST_DIR}/AlbumRecord.h
  ${CMAKE_CURRENT_LIST_DIR}/VideoRecord.cpp ${CMAKE_CURRENT_LIST_DIR}/VideoRecord.h
  ${CMAKE_CURRENT_LIST_DIR}/BookRecord.cpp ${CMAKE_CURRENT_LIST_DIR}/BookRecord.h
  ${CMAKE_CURRENT_LIST_DIR}/ReimbursementRecord.cpp ${CMAKE_CURRENT_LIST_DIR}/ReimbursementRecord.h
)

# The record form and the three pages.
target_sources(tivarel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/RecordForm.cpp ${CMAKE_CURRENT_LIST_DIR}/RecordForm.h
  ${CMAKE_CURRENT_LIST_DIR}/MemoText.cpp ${CMAKE_CURRENT_LIST_DIR}/MemoText.h
  ${CMAKE_CURRENT_LIST_DIR}/RecordPicture.cpp ${CMAKE_CURRENT_LIST_DIR}/RecordPicture.h
  ${CMAKE_CURRENT_LIST_DIR}/RecordSectionPage.cpp ${CMAKE_CURRENT_LIST_DIR}/RecordSectionPage.h
  ${CMAKE_CURRENT_LIST_DIR}/VideoPage.cpp ${CMAKE_CURRENT_LIST_DIR}/VideoPage.h
  ${CMAKE_CURRENT_LIST_DIR}/BookPage.cpp ${CMAKE_CURRENT_LIST_DIR}/BookPage.h
  ${CMAKE_CURRENT_LIST_DIR}/ReimbursementPage.cpp ${CMAKE_CURRENT_LIST_DIR}/ReimbursementPage.h
)
