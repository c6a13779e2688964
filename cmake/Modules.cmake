# Build helpers shared by every folder.

set(CFG_ROOT ${CMAKE_SOURCE_DIR})
set(CFG_QT_PCH <QtCore/QtCore> <QtGui/QtGui> <QtWidgets/QtWidgets> <vector> <string> <memory> <functional>)
set_property(GLOBAL PROPERTY CFG_MODULES "")

if(CFG_FUZZ)
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# cfg_module(NAME <target> [DEPS <targets...>])
# A static library from every *.cpp and *.h of the calling folder.
function(cfg_module)
  cmake_parse_arguments(M "" "NAME" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${M_NAME} STATIC ${srcs})
  target_include_directories(${M_NAME} PUBLIC ${CFG_ROOT})
  target_link_libraries(${M_NAME} PUBLIC ${M_DEPS})
  target_precompile_headers(${M_NAME} PRIVATE ${CFG_QT_PCH})
  set_property(GLOBAL APPEND PROPERTY CFG_MODULES ${M_NAME})
endfunction()

# cfg_tests(LIBS <targets...>)
# One test program per test_*.cpp of the calling folder, each a CTest test run headless.
function(cfg_tests)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(RELATIVE_PATH rel ${CFG_ROOT}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REPLACE "/" "_" prefix "${rel}")
  foreach(src ${tests})
    get_filename_component(stem ${src} NAME_WE)
    set(exe ${prefix}_${stem})
    add_executable(${exe} ${src})
    target_link_libraries(${exe} PRIVATE test_support ${T_LIBS})
    target_precompile_headers(${exe} REUSE_FROM test_support)
    add_test(NAME ${exe} COMMAND ${exe})
    set_tests_properties(${exe} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QPA_FONTDIR=/usr/share/fonts"
      TIMEOUT 600)
  endforeach()
endfunction()
