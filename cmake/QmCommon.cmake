# Shared build settings for every target of the project.

include(GoogleTest)

# Warnings on for our own code only.
set(QM_WARNINGS -Wall -Wextra)

if(QM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments every library for coverage and the sanitizers; only the fuzz
# targets link libFuzzer's main. It builds no tests: they run in the ordinary builds.
if(QM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QM_FUZZ needs clang (configure with CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(qm_add_optional_subdirectory dir)
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt")
    add_subdirectory(${dir})
  endif()
endfunction()

# qm_library(NAME <name> SOURCES ... [LIBS ...])
# A static library whose headers are included as "<folder>/<file>.h" from the repository root.
function(qm_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${ARG_NAME} PRIVATE ${QM_WARNINGS})
  if(ARG_LIBS)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# qm_test(NAME <name> SOURCES ... [LIBS ...] [WIDGETS])
# A GoogleTest program registered with CTest. WIDGETS runs it on the offscreen platform.
function(qm_test)
  cmake_parse_arguments(ARG "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  # The fuzz build defines the tests (their folders set properties on them) but neither builds
  # nor runs them: they run in the ordinary builds.
  set(exclude "")
  if(QM_FUZZ)
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  add_executable(${ARG_NAME} ${exclude} ${ARG_SOURCES})
  target_compile_options(${ARG_NAME} PRIVATE ${QM_WARNINGS})
  target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  set(props "")
  set(test_main GTest::gtest_main)
  if(ARG_WIDGETS)
    set(props PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    # Widget tests need one QApplication for the whole program (controls/tests/test_main.cpp).
    set(test_main qm_widget_test_main)
  endif()
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock ${test_main})
  if(QM_FUZZ)
    return()
  endif()
  gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60 ${props})
endfunction()
