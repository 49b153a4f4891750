# Builds the Windows program and its Win32 tests with the MinGW-w64 toolchain
# in a sub-build, and registers every tier of tests with this build's CTest:
# the native unit tests, the Win32 tests run under Wine in throwaway prefixes
# filled with really installed software, and the end-to-end runs of vorlen.exe.
include(ExternalProject)

set(VORLEN_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
ExternalProject_Add(vorlen_win32_build
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${VORLEN_WIN32_DIR}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-w64-x86_64.cmake
        -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)

find_program(WINE_PROGRAM NAMES wine wine64 REQUIRED)
set(VORLEN_EXE ${VORLEN_WIN32_DIR}/app/vorlen.exe)
set(VORLEN_PREFIXES ${CMAKE_BINARY_DIR}/prefixes)
set(VORLEN_TEST_ENV "WINEDEBUG=-all" "LANG=ja_JP.UTF-8" "LC_ALL=ja_JP.UTF-8")

# Fixture prefixes, built once and kept in the build tree until their sources change.
add_test(NAME prefix.test COMMAND ${CMAKE_SOURCE_DIR}/tests/prepare-prefix ${VORLEN_PREFIXES}/test)
set_tests_properties(prefix.test PROPERTIES FIXTURES_SETUP vorlen_prefix ENVIRONMENT "${VORLEN_TEST_ENV}")
# The hostile prefix's http and https handler logs the addresses it is given.
add_test(NAME prefix.hostile COMMAND ${CMAKE_SOURCE_DIR}/tests/prepare-prefix ${VORLEN_PREFIXES}/hostile --hostile --log-browser)
set_tests_properties(prefix.hostile PROPERTIES FIXTURES_SETUP vorlen_hostile_prefix ENVIRONMENT "${VORLEN_TEST_ENV}")

# Runs a Win32 program of the sub-build under Wine in the given prefix.
function(vorlen_add_wine_test name prefix fixture)
    add_test(NAME ${name} COMMAND ${WINE_PROGRAM} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED ${fixture}
        ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/${prefix}")
endfunction()

set(VORLEN_WIN32_TESTS ${VORLEN_WIN32_DIR}/tests/win32/vorlen_win32_tests.exe)
# The registry and scan tests run in win32.heap below.
vorlen_add_wine_test(win32.unit test vorlen_prefix ${VORLEN_WIN32_TESTS}
    --gtest_filter=-Hostile*:OsVersionProbe*:Registry.*:Scan.*)
add_test(NAME win32.hostile COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/hostile-scan ${VORLEN_WIN32_TESTS})
# Its window tests take the keyboard focus on the X display that the
# end-to-end runs type into, so it runs apart from them.
set_tests_properties(win32.hostile PROPERTIES
    FIXTURES_REQUIRED vorlen_hostile_prefix
    RESOURCE_LOCK prefix_test
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/hostile")

# The registry reads and the scan with Wine's heap checks reporting: a block
# freed twice or a pointer freed that the heap never gave fails the run, as
# the sanitizers do for the native tests. They write scratch keys of the
# test prefix that win32.unit's tests write too, so the two never overlap.
add_test(NAME win32.heap COMMAND ${WINE_PROGRAM} ${VORLEN_WIN32_TESTS} --gtest_filter=Registry.*:Scan.*)
set_tests_properties(win32.heap PROPERTIES
    FIXTURES_REQUIRED vorlen_prefix
    RESOURCE_LOCK prefix_test
    FAIL_REGULAR_EXPRESSION "(err|warn):heap"
    ENVIRONMENT "WINEDEBUG=-all,err+heap,warn+heap;LANG=ja_JP.UTF-8;LC_ALL=ja_JP.UTF-8;WINEPREFIX=${VORLEN_PREFIXES}/test")

# The Save-As dialog's desktop folder with the shell automation object
# made unavailable: it then opens in its own default folder.
add_test(NAME win32.no_shell_object COMMAND ${WINE_PROGRAM} ${VORLEN_WIN32_TESTS} --gtest_filter=SpecialFolder*)
set_tests_properties(win32.no_shell_object PROPERTIES
    FIXTURES_REQUIRED vorlen_prefix RESOURCE_LOCK prefix_test
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/test;WINEDLLOVERRIDES=wshom.ocx=d;VORLEN_EXPECT_NO_SHELL_OBJECT=1")

# The name and title shown under each Windows version the prefix can report.
add_test(NAME win32.os_versions COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/os-versions ${VORLEN_WIN32_TESTS})
set_tests_properties(win32.os_versions PROPERTIES
    FIXTURES_REQUIRED vorlen_prefix RESOURCE_LOCK prefix_test
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/test")

# The benchmarks run through on the test prefix, so that a change cannot
# leave them broken until the next measurement (their figures are read from
# scripts/bench, not here).
set(VORLEN_BENCH_DIR ${VORLEN_WIN32_DIR}/bench)
# One timed run each keeps them quick; every line must be printed, in order,
# and both programs of the peer line must end well.
vorlen_add_wine_test(bench.runs test vorlen_prefix ${VORLEN_BENCH_DIR}/vorlen_bench.exe runs=1)
vorlen_add_wine_test(bench.memory_runs test vorlen_prefix ${VORLEN_BENCH_DIR}/vorlen_memory_bench.exe)
set_tests_properties(bench.runs PROPERTIES
    PASS_REGULAR_EXPRESSION "scan entries=[0-9]+ single_ms=.* bare_ms=.* ratio=.* single_ratio=.* readers=[0-9]+\npeer entries=[0-9]+ vorlen_s=.* uninstaller_s=.* ratio=[0-9.]+\ngrid entries=[0-9]+ .*sort_vs_keys=.*\nui entries=[0-9]+ .*\nrefresh entries=[0-9]+ .*hotfix_on_ratio=.* hotfix_off_ratio=[0-9.]+\n"
    FAIL_REGULAR_EXPRESSION "failed\\)"
    RESOURCE_LOCK prefix_test)
# It reads the test prefix, whose programs every end-to-end run ends.
set_tests_properties(bench.memory_runs PROPERTIES
    PASS_REGULAR_EXPRESSION "memory entries=[0-9]+ text_bytes=[0-9]+ kept_bytes=[0-9]+ ratio="
    RESOURCE_LOCK prefix_test)

# The program never writes the registry: no registry-writing function is imported.
add_test(NAME win32.imports COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports ${VORLEN_EXE})

include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake OPTIONAL)

# The download built twice from two clean clones gives the same bytes. Two
# fresh Windows builds take minutes, so scripts/test leaves the label
# "package" out; `ctest -L package` runs it.
add_test(NAME package.reproducible COMMAND ${CMAKE_SOURCE_DIR}/tests/package-reproducible)
set_tests_properties(package.reproducible PROPERTIES LABELS package TIMEOUT 3600)
