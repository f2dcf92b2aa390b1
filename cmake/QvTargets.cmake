# Shared compiler settings for every target of the project.
add_library(qv_settings INTERFACE)
target_compile_options(qv_settings INTERFACE -Wall -Wextra -Werror)
target_include_directories(qv_settings INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(qv_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(QV_SANITIZE)
  target_compile_options(qv_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qv_settings INTERFACE -fsanitize=address,undefined)
endif()
if(QV_FUZZ)
  target_compile_options(qv_settings INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(qv_settings INTERFACE -fsanitize=address,undefined)
endif()

# One library per source folder: every .cpp of the folder is part of it.
# DEPS are the libraries whose headers the folder's own headers include; PRIVATE those
# only its sources include. Together they are exactly what the folder includes.
# qv_library(<name> FOLDER <dir> [DEPS ...] [PRIVATE ...])
function(qv_library name)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPS;PRIVATE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_FOLDER}/*.cpp)
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_link_libraries(${name} PUBLIC qv_settings ${ARG_DEPS})
    if(ARG_PRIVATE)
      target_link_libraries(${name} PRIVATE ${ARG_PRIVATE})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE qv_settings ${ARG_DEPS})
  endif()
endfunction()

# One GoogleTest executable per test folder.
# qv_test(<name> FOLDER <dir> DEPS ...)
function(qv_test name)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${ARG_FOLDER}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE qv_testsupport ${ARG_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
