# Win32 layer of the support library: platform information, the dialog
# objects with their message boxes and reports.
add_library(ravelup_support_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/platform_info.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_object.cpp
    ${CMAKE_CURRENT_LIST_DIR}/message_box_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reports.cpp)
target_include_directories(ravelup_support_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(ravelup_support_win32 PUBLIC user32 gdi32 advapi32)
