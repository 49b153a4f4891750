# End-to-end runs of the export (menu and command line), the REG commands,
# the Tool and Help menus and the two dialogs; included from e2e.cmake after
# vorlen_add_e2e_test is defined.
vorlen_add_e2e_test(export export.sh)
vorlen_add_e2e_test(cliexport cliexport.sh)
vorlen_add_e2e_test(settings settings.sh)
vorlen_add_e2e_test(regexport regexport.sh)
vorlen_add_e2e_test(tools tools.sh)

# Vorlen started from a folder holding stand-ins for the system's programs.
vorlen_add_e2e_tool(VORLEN_E2E_STAND_IN stand-in "the stand-in program of the planted-programs test")
vorlen_add_e2e_test(planted planted.sh)
set_tests_properties(e2e.planted PROPERTIES TIMEOUT 300
    ENVIRONMENT "${VORLEN_TEST_ENV};WINEPREFIX=${VORLEN_PREFIXES}/test;VORLEN_E2E_HELPER=${VORLEN_E2E_HELPER};VORLEN_E2E_STAND_IN=${VORLEN_E2E_STAND_IN}")
