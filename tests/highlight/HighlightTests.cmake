# Tests of the word scanner, its messages and the style set file, on plain data and real files.
varnotek_add_qtest(test_wordscanner
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_wordscanner.cpp
    LIBS varnotek_highlight_core)
varnotek_add_qtest(test_stylesetfile
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_stylesetfile.cpp
    LIBS varnotek_highlight_core)
