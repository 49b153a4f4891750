# End-to-end runs of vorlen.exe under Wine on the X display of the test run,
# driven and checked from outside as a user would. They share the test
# prefix with the Win32 tests, one at a time, since they end its programs
# and type into the one X display.
set(VORLEN_E2E_OUTPUT ${CMAKE_BINARY_DIR}/test-output)

# Small Windows programs of the scripts, each built from one C file into
# e2e-tools/ of the build tree; `variable` is set to the program's path.
find_program(VORLEN_MINGW_CC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc REQUIRED)
function(vorlen_add_e2e_tool variable name description)
    set(program ${CMAKE_BINARY_DIR}/e2e-tools/${name}.exe)
    add_custom_command(OUTPUT ${program}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/e2e-tools
        COMMAND ${VORLEN_MINGW_CC} -O2 -Wall -static -o ${program} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.c
        DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${name}.c
        COMMENT "Building ${description}")
    add_custom_target(vorlen_e2e_${name} ALL DEPENDS ${program})
    set(${variable} ${program} PARENT_SCOPE)
endfunction()

# One reads the Windows clipboard (Wine's X clipboard bridge turns CR LF into
# LF) and activates windows where a window manager would (the test display
# has none); another reads where the main window's controls are, whether
# they are enabled and how long their texts are.
vorlen_add_e2e_tool(VORLEN_E2E_HELPER wine-helper "the Wine helper of the end-to-end tests")
vorlen_add_e2e_tool(VORLEN_E2E_LAYOUT window-layout "the layout reader of the end-to-end tests")

function(vorlen_add_e2e_test name script)
    add_test(NAME e2e.${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/${script} ${VORLEN_EXE} ${VORLEN_E2E_OUTPUT} ${ARGN})
    set_tests_properties(e2e.${name} PROPERTIES
        FIXTURES_REQUIRED vorlen_prefix
        RESOURCE_LOCK prefix_test
        TIMEOUT 180
        ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/test;VORLEN_E2E_HELPER=${VORLEN_E2E_HELPER}")
endfunction()

vorlen_add_e2e_test(startup startup.sh)
vorlen_add_e2e_test(navigation navigation.sh)
vorlen_add_e2e_test(filter filter.sh)
vorlen_add_e2e_test(clipboard clipboard.sh)
vorlen_add_e2e_test(open open.sh)
vorlen_add_e2e_test(uninstall uninstall.sh)
vorlen_add_e2e_test(places places.sh)
vorlen_add_e2e_test(contextmenu contextmenu.sh)
set_tests_properties(win32.unit PROPERTIES RESOURCE_LOCK prefix_test)

# Start-up where no program is registered, on a prefix whose three uninstall
# keys are empty.
add_test(NAME prefix.empty COMMAND ${CMAKE_SOURCE_DIR}/tests/prepare-prefix ${VORLEN_PREFIXES}/empty --empty)
set_tests_properties(prefix.empty PROPERTIES FIXTURES_SETUP vorlen_empty_prefix ENVIRONMENT "${VORLEN_TEST_ENV}")
add_test(NAME e2e.empty COMMAND ${CMAKE_CURRENT_LIST_DIR}/empty.sh ${VORLEN_EXE} ${VORLEN_E2E_OUTPUT})
set_tests_properties(e2e.empty PROPERTIES
    FIXTURES_REQUIRED vorlen_empty_prefix
    RESOURCE_LOCK "prefix_empty;prefix_test"
    TIMEOUT 180
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/empty;VORLEN_E2E_HELPER=${VORLEN_E2E_HELPER};VORLEN_E2E_LAYOUT=${VORLEN_E2E_LAYOUT}")
include(${CMAKE_CURRENT_LIST_DIR}/e2e-tools.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/e2e-dpi.cmake)
