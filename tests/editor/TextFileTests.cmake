# Tests of the raw file routines and attribute checks on real files.
varnotek_add_qtest(test_textfile
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_textfile.cpp
    LIBS varnotek_textfile)
target_include_directories(test_textfile PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)
