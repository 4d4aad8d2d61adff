# Search and replace primitives and the Find and Replace dialog, part of the core library.
target_sources(varnotek_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SearchPrimitives.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplaceAllInDirection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReplaceCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmReplaceControls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmReplace.cpp
)
