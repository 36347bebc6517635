# Helpers every target uses, so warnings and sanitizers are set per target, never globally.

function(merrow_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(MERROW_FUZZ)
    # Coverage for the fuzzer in every library the targets link; the fuzzer's own main is
    # linked into the targets only.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  elseif(MERROW_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# A static library of one layer: every .cpp directly in DIR (and in the listed
# subfolders) is compiled; headers are included as "<layer>/<name>.h" from the source root.
function(merrow_layer_library target dir)
  cmake_parse_arguments(ARG "" "" "SUBDIRS;EXCLUDE" ${ARGN})
  set(globs ${dir}/*.cpp)
  foreach(sub IN LISTS ARG_SUBDIRS)
    list(APPEND globs ${dir}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ex}")
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "${target}: no sources in ${dir}")
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  merrow_target_options(${target})
endfunction()

# One test executable per folder of tests/, labelled with its layer so `ctest -L <layer>` runs it.
# RECURSE takes the folders below dir too (a layer's tests mirror its folders), so no folder of
# tests is left out unnoticed.
function(merrow_test_suite name label dir)
  cmake_parse_arguments(ARG "RECURSE" "" "LIBS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  else()
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  endif()
  if(NOT sources)
    message(FATAL_ERROR "${name}: no tests in ${dir}")
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} merrow_test_support GTest::gmock GTest::gtest_main)
  merrow_target_options(${name})
  gtest_discover_tests(${name} PROPERTIES LABELS ${label} DISCOVERY_TIMEOUT 60
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
