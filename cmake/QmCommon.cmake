# Shared build settings for every target of the project.

include(GoogleTest)

# Warnings on for our own code only.
set(QM_WARNINGS -Wall -Wextra)

if(QM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build instruments every library for coverage and the sanitizers; only the fuzz
# targets link libFuzzer's main. Its tests are the core's tests under the sanitizers (the test
# command runs them there rather than in a build of its own).
if(QM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QM_FUZZ needs clang (configure with CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# The Qt headers that nearly every widget source includes, precompiled once for the widget
# libraries and once (with the test headers) for the widget tests; every other widget library
# or test reuses the first one made. ccache caches the compiles that use them (see the top
# CMakeLists.txt).
option(QM_PCH "Precompile the Qt headers shared by the widget libraries and tests" ON)
set(QM_WIDGET_PCH_HEADERS
  <QApplication> <QComboBox> <QDate> <QDialog> <QEvent> <QFormLayout> <QHBoxLayout>
  <QKeyEvent> <QLabel> <QLineEdit> <QPainter> <QPushButton> <QString> <QStyle> <QStyleOption>
  <QVBoxLayout> <QWidget>)
# The tests' one is made by their shared main (controls/), which does not link Qt's test library:
# Qt defines QT_TESTCASE_BUILDDIR and QT_TESTCASE_SOURCEDIR differently for each test program,
# and GCC refuses a precompiled header made with other values. For the same reason it leaves
# <QTest> out.
set(QM_WIDGET_TEST_PCH_HEADERS ${QM_WIDGET_PCH_HEADERS} <gtest/gtest.h>)

# Gives the target the shared precompiled header of its kind (the property names the target
# that owns it).
function(qm_use_widget_pch target owner_property headers)
  if(NOT QM_PCH)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY ${owner_property})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${headers})
    set_property(GLOBAL PROPERTY ${owner_property} ${target})
  endif()
endfunction()

# qm_library(NAME <name> SOURCES ... [LIBS ...] [WIDGETS])
# A static library whose headers are included as "<folder>/<file>.h" from the repository root.
# WIDGETS: a widget library, built with the shared precompiled Qt headers.
function(qm_library)
  cmake_parse_arguments(ARG "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${ARG_NAME} PRIVATE ${QM_WARNINGS})
  if(ARG_LIBS)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
  endif()
  if(ARG_WIDGETS)
    qm_use_widget_pch(${ARG_NAME} QM_WIDGET_PCH_OWNER "${QM_WIDGET_PCH_HEADERS}")
  endif()
endfunction()

# qm_test(NAME <name> SOURCES ... [LIBS ...] [WIDGETS])
# A GoogleTest program registered with CTest. WIDGETS runs it on the offscreen platform, with one
# QApplication and the widget tests' precompiled headers.
function(qm_test)
  cmake_parse_arguments(ARG "WIDGETS" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${ARG_NAME} ${ARG_SOURCES})
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
  if(ARG_WIDGETS)
    qm_use_widget_pch(${ARG_NAME} QM_WIDGET_TEST_PCH_OWNER "${QM_WIDGET_TEST_PCH_HEADERS}")
  endif()
  gtest_discover_tests(${ARG_NAME} DISCOVERY_TIMEOUT 60 ${props})
endfunction()
