# The raw file routines and attribute checks, without widgets.
add_library(varnotek_textfile STATIC
    ${CMAKE_CURRENT_LIST_DIR}/TextFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileAttributes.cpp
)
target_link_libraries(varnotek_textfile PUBLIC Qt6::Core)
