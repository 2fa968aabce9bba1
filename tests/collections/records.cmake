# Tests of the video library, book library and reimbursements.
tivarel_add_test(test_records_schema SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_records_schema.cpp)
tivarel_add_test(test_reimb_results SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_reimb_results.cpp)
tivarel_add_test(test_video_page SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_video_page.cpp LIBS tivarel_testsupport)
tivarel_add_test(test_book_page SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_book_page.cpp LIBS tivarel_testsupport)
tivarel_add_test(test_reimb_page SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_reimb_page.cpp LIBS tivarel_testsupport)
tivarel_add_test(test_records_window SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_records_window.cpp LIBS tivarel_testsupport)
