target_sources(tivarel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/VideoPage.h
  ${CMAKE_CURRENT_LIST_DIR}/BookPage.h
  ${CMAKE_CURRENT_LIST_DIR}/ReimbursementPage.h
)
