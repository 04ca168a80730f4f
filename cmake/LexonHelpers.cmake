# Helpers shared by the folders' CMakeLists.txt files.

# GoogleTest: Debian's packaged library natively, built from Debian's sources
# (/usr/src/googletest) for the Windows builds.
macro(lexon_setup_gtest)
  if(LEXON_FUZZ)
    # the fuzz build has no unit tests
  elseif(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest_main)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
      add_library(GTest::gmock ALIAS gmock)
    endif()
  else()
    find_package(GTest REQUIRED)
  endif()
endmacro()

# lexon_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [WINDOWS_ONLY] [NATIVE_ONLY])
# One test program and one CTest entry for it (under Wine each start costs
# about a second, so cases are not registered one by one). On the Windows
# builds CTest runs it through scripts/wine-exec.sh.
function(lexon_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY;NATIVE_ONLY;GUI" "" "SOURCES;LIBS" ${ARGN})
  if(LEXON_FUZZ)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  if(T_NATIVE_ONLY AND WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    add_test(NAME ${name}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh $<TARGET_FILE:${name}>
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900
        ENVIRONMENT "LEXON_WINE_LOADER=${LEXON_WINE_LOADER};LEXON_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
    if(T_WINDOWS_ONLY)
      # Programs that show windows share one display: run each alone, so no
      # other program's windows take the activation and the focus from it.
      set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
  else()
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 1200)
  endif()
endfunction()

# lexon_add_fuzzer(NAME SOURCES ... LIBS ...): a libFuzzer target, fuzz build only.
function(lexon_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT LEXON_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
