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

# caici_test(name SOURCES ... LIBS ... [QT] [LABELS ...])
# QT: the test binary gets a main() that creates a QApplication first.
function(caici_test name)
  cmake_parse_arguments(T "QT" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
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
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${CAICI_TEST_ENVIRONMENT}" TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()

# caici_benchmark(name SOURCES ... LIBS ...)
function(caici_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  caici_warnings(${name})
endfunction()

# caici_fuzz_tests(fuzzer NAME name CORPUS dir... [SECONDS n])
# Two tests of a libFuzzer target (fuzz preset only). name_corpus runs every
# committed input once (-runs=0), crash regressions included: seconds, for
# ./test. name_fuzz mutates them for SECONDS (30), writing what it finds to a
# scratch corpus in the build folder, never to the committed one: labelled
# "timed" as well, for CI (ctest --preset fuzz -L timed).
function(caici_fuzz_tests fuzzer)
  cmake_parse_arguments(F "" "NAME;SECONDS" "CORPUS" ${ARGN})
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  # libgsf leaks a directory entry of a damaged compound file into GLib's
  # memory; the reader process ends right after, so only the fuzzer minds.
  set(environment "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp")
  set(limits -timeout=10 -rss_limit_mb=2048)
  add_test(NAME ${F_NAME}_corpus COMMAND ${fuzzer} -runs=0 ${limits} ${F_CORPUS})
  set_tests_properties(${F_NAME}_corpus PROPERTIES LABELS fuzz TIMEOUT 120 ENVIRONMENT "${environment}")
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${F_NAME}_found)
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${F_NAME}_fuzz
    COMMAND ${fuzzer} -max_total_time=${F_SECONDS} ${limits} -print_final_stats=1 ${work} ${F_CORPUS})
  set_tests_properties(${F_NAME}_fuzz PROPERTIES LABELS "fuzz;timed" TIMEOUT 120 ENVIRONMENT "${environment}")
endfunction()
