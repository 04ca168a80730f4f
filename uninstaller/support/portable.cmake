# ravelup_inifile: the sectioned text (INI) file model, portable. The file
# replacement is rename() natively and MoveFileExA on Windows.
if(WIN32)
  set(RAVELUP_FILE_REPLACE ${CMAKE_CURRENT_LIST_DIR}/file_replace_win32.cpp)
else()
  set(RAVELUP_FILE_REPLACE ${CMAKE_CURRENT_LIST_DIR}/file_replace_posix.cpp)
endif()
add_library(ravelup_inifile STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sectioned_file.cpp
  ${RAVELUP_FILE_REPLACE})
target_include_directories(ravelup_inifile PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR})
