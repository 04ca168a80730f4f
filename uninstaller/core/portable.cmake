# ravelup_core: the uninstaller's portable core (installation log reader,
# operation records and their undo logic on UndoServices, the undo run model,
# the message seam). No <windows.h>; built natively and for Windows.
add_library(ravelup_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/installation_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operation_kinds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/operation_undo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_item_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/undo_session.cpp)
target_include_directories(ravelup_core PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR})
