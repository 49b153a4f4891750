# The program at other DPIs, on a prefix of its own whose user's DPI the
# tests set and remove again: the Win32 tests of the DPI fallback at 144 DPI,
# and the end-to-end screenshots and layout checks at 96, 144 and 192 DPI.
# Both show windows on the X display of the test run, so they take its lock
# (prefix_test) as the other end-to-end tests do. Included from e2e.cmake.
add_test(NAME prefix.dpi COMMAND ${CMAKE_SOURCE_DIR}/tests/prepare-prefix ${VORLEN_PREFIXES}/dpi)
set_tests_properties(prefix.dpi PROPERTIES FIXTURES_SETUP vorlen_dpi_prefix ENVIRONMENT "${VORLEN_TEST_ENV}")

add_test(NAME win32.dpi144 COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/at-dpi 144 ${VORLEN_WIN32_TESTS}
    --gtest_filter=MainWindowWithoutNewerDisplayFunctions.*:GridAccessibleTest.Locations*)
set_tests_properties(win32.dpi144 PROPERTIES
    FIXTURES_REQUIRED vorlen_dpi_prefix
    RESOURCE_LOCK "prefix_dpi;prefix_test"
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/dpi")

add_test(NAME e2e.dpi COMMAND ${CMAKE_CURRENT_LIST_DIR}/dpi.sh ${VORLEN_EXE} ${VORLEN_E2E_OUTPUT})
set_tests_properties(e2e.dpi PROPERTIES
    FIXTURES_REQUIRED vorlen_dpi_prefix
    RESOURCE_LOCK "prefix_dpi;prefix_test"
    TIMEOUT 240
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/dpi;VORLEN_E2E_HELPER=${VORLEN_E2E_HELPER};VORLEN_E2E_LAYOUT=${VORLEN_E2E_LAYOUT}")

# The status bar's entry panel at 96 and 144 DPI, on the same prefix (the
# demo prefix's entries), whose DPI it sets and removes again.
add_test(NAME e2e.entry_notes COMMAND ${CMAKE_CURRENT_LIST_DIR}/entry-notes.sh ${VORLEN_EXE} ${VORLEN_E2E_OUTPUT})
set_tests_properties(e2e.entry_notes PROPERTIES
    FIXTURES_REQUIRED vorlen_dpi_prefix
    RESOURCE_LOCK "prefix_dpi;prefix_test"
    TIMEOUT 240
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/dpi;VORLEN_E2E_HELPER=${VORLEN_E2E_HELPER};VORLEN_E2E_LAYOUT=${VORLEN_E2E_LAYOUT}")
