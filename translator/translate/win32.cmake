# The Win32 layer of the translation: the language, conjugation result and
# clipboard result dialogs, the progress of a file translation, the OLE
# clipboard reader and the Text > File / Text > Clipboard worker threads
# (translator/app/workers.h). Included from CMakeLists.txt on Windows
# builds only.
add_library(lexon_translate_win32 STATIC
    clipboard_result_dlg.cpp
    clipboard_text.cpp
    conjugation_result_dlg.cpp
    language_dlg.cpp
    translate_workers.cpp
    translation_progress_wnd.cpp)
target_include_directories(lexon_translate_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(lexon_translate_win32 PUBLIC
    lexon_translate lexon_storage_win32 lexon_framework lexon_messages
    ole32 comdlg32 user32 gdi32)
