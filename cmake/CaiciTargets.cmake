# Shared target settings: warnings, tests, benchmarks.

function(caici_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
    $<$<BOOL:${CAICI_WERROR}>:-Werror>)
endfunction()

# caici_library(name SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
function(caici_library name)
  cmake_parse_arguments(L "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  caici_warnings(${name})
endfunction()

# Tests run headless: Qt draws offscreen on one 1920 x 1080 screen, the size
# of a common projector, and SDL plays into the dummy driver.
set(CAICI_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_SOURCE_DIR}/tests/support/offscreen-screen.json"
  "SDL_AUDIODRIVER=dummy"
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# caici_test(name SOURCES ... LIBS ... [QT] [LABELS ...] [BASELINE_PIXELS filter])
# QT: the test binary gets a main() that creates a QApplication first.
# BASELINE_PIXELS: the tests the gtest filter names run a second time, named
# with .baseline, with CAICI_BASELINE_PIXELS=1: the processor picks the AVX2
# or the baseline pixel loops, so one run alone checks only one of them.
function(caici_test name)
  cmake_parse_arguments(T "QT" "TIMEOUT;BASELINE_PIXELS" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_QT)
    target_link_libraries(${name} PRIVATE caici_test_qtmain)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    CAICI_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CAICI_BINARY_DIR="${CMAKE_BINARY_DIR}")
  caici_warnings(${name})
  # Test code needs no speed: lighter optimisation and line tables only (a
  # failure's backtrace still names file and line) compile it in little more
  # than half the time. The code under test keeps the build's own flags.
  target_compile_options(${name} PRIVATE $<$<CONFIG:RelWithDebInfo>:-O1 -g1>)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${CAICI_TEST_ENVIRONMENT}" TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
  if(T_BASELINE_PIXELS)
    # The discovery script passes each item of a list on as a word of its
    # own, so the list comes last, where its extra items can do no harm.
    set(properties ENVIRONMENT_MODIFICATION CAICI_BASELINE_PIXELS=set:1 TIMEOUT ${T_TIMEOUT})
    if(T_LABELS)
      list(APPEND properties LABELS ${T_LABELS})
    endif()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      TEST_FILTER "${T_BASELINE_PIXELS}"
      TEST_SUFFIX .baseline
      PROPERTIES ${properties} ENVIRONMENT "${CAICI_TEST_ENVIRONMENT}")
  endif()
endfunction()

# caici_benchmark(name SOURCES ... LIBS ...)
# The benchmarks' shared parts are included as "support/...", and find their
# data files (the offscreen projectors) in the source tree.
function(caici_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/bench)
  target_compile_definitions(${name} PRIVATE CAICI_BENCH_SUPPORT_DIR="${CMAKE_SOURCE_DIR}/bench/support")
  caici_warnings(${name})
endfunction()

# caici_fuzz_target(name SOURCES ... LIBS ... CORPUS dir... [SECONDS n])
# A fuzz target over its committed inputs (its seeds and the crashes it once
# had). In the ordinary builds (the sanitizer build included) name_replay
# runs the target's function once over every input, with gcc and no fuzzing
# engine: name_corpus, seconds, for ./test. In the fuzz preset (clang) the
# libFuzzer target name_fuzzer mutates them for SECONDS (30) in name_fuzz,
# writing what it finds to a scratch corpus in the build folder, never to
# the committed one: labelled "timed", for CI (ctest --preset fuzz -L timed).
function(caici_fuzz_target name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS;CORPUS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  # libgsf leaks a directory entry of a damaged compound file into GLib's
  # memory; the reader process ends right after, so only the fuzzer minds.
  set(environment "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp")
  if(NOT CAICI_FUZZ)
    add_executable(${name}_replay ${F_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
    add_test(NAME ${name}_corpus COMMAND ${name}_replay ${F_CORPUS})
    set_tests_properties(${name}_corpus PROPERTIES LABELS fuzz TIMEOUT 120 ENVIRONMENT "${environment}")
    return()
  endif()
  add_executable(${name}_fuzzer ${F_SOURCES})
  target_link_libraries(${name}_fuzzer PRIVATE ${F_LIBS})
  target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address)
  target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address)
  add_dependencies(fuzz_all ${name}_fuzzer)
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_found)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}_fuzz
    COMMAND ${name}_fuzzer -max_total_time=${F_SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
      ${work} ${F_CORPUS})
  set_tests_properties(${name}_fuzz PROPERTIES LABELS "fuzz;timed" TIMEOUT 120 ENVIRONMENT "${environment}")
endfunction()
