# The widget-free core of CNC highlighting: word scanner, style messages, style set file.
add_library(varnotek_highlight_core STATIC
    ${CMAKE_CURRENT_LIST_DIR}/WordScanner.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StyleRunMessages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StyleSetText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StyleSetFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StyleSetDialogData.cpp
)
target_link_libraries(varnotek_highlight_core PUBLIC Qt6::Core varnotek_textfile)
