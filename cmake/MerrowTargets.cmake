# Helpers every target uses, so warnings and sanitizers are set per target, never globally.

# Every target, product, tools and tests alike, builds warning-free: a new warning fails the
# build. Qt and GoogleTest come in as system headers, so their own code does not trip these.
set(MERROW_WARNINGS -Wall -Wextra -Wshadow -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual
                    -Wold-style-cast -Wconversion)
# clang's -Wconversion also takes in -Wsign-conversion, which g++'s leaves out: it flags every
# int index compared with or added to a size, a cast at each loop that would hide, not show, a
# real narrowing. Without it both compilers warn alike.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  list(APPEND MERROW_WARNINGS -Wno-sign-conversion)
endif()

function(merrow_target_options target)
  target_compile_options(${target} PRIVATE ${MERROW_WARNINGS} -Werror)
  if(MERROW_FUZZ)
    # Coverage for the fuzzer in every library the targets link; the fuzzer's own main is
    # linked into the targets only.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  elseif(MERROW_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    # g++'s own advice: its sanitizers make -Wmaybe-uninitialized give false warnings (inside
    # std::regex, say); the plain build still holds the code to it.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
    endif()
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
# Tests named Screenshots only draw pictures for a person to look at: CTest leaves them out, and
# the target `screenshots` (tests/CMakeLists.txt) runs them.
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
  gtest_discover_tests(${name} TEST_FILTER "-*.Screenshots" PROPERTIES LABELS ${label}
                       DISCOVERY_TIMEOUT 60 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
