# End-to-end runs of vorlen.exe under Wine on the X display of the test run,
# driven and checked from outside as a user would. They share the test
# prefix with the Win32 tests, one at a time, since they end its programs.
set(VORLEN_E2E_OUTPUT ${CMAKE_BINARY_DIR}/test-output)

function(vorlen_add_e2e_test name script)
    add_test(NAME e2e.${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/${script} ${VORLEN_EXE} ${VORLEN_E2E_OUTPUT} ${ARGN})
    set_tests_properties(e2e.${name} PROPERTIES
        FIXTURES_REQUIRED vorlen_prefix
        RESOURCE_LOCK prefix_test
        ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/test")
endfunction()

vorlen_add_e2e_test(startup startup.sh)
set_tests_properties(win32.unit PROPERTIES RESOURCE_LOCK prefix_test)
