# Win32 layer of the uninstaller core: the prompts, the main and about
# dialogs, the undo primitives on the real system, the log transfer and the
# program entry (ravelup3.exe itself is built in uninstaller/).
add_library(ravelup_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/prompts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uninstall_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32_undo_services.cpp
    ${CMAKE_CURRENT_LIST_DIR}/log_transfer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/uninstaller_entry.cpp)
target_include_directories(ravelup_ui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(ravelup_ui PUBLIC ravelup_core ravelup_inifile ravelup_system ravelup_files
    ravelup_support_win32 user32 gdi32 advapi32)
