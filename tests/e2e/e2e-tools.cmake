# End-to-end runs of the export (menu and command line), the REG commands,
# the Tool and Help menus and the two dialogs; included from e2e.cmake after
# vorlen_add_e2e_test is defined.
vorlen_add_e2e_test(export export.sh)
vorlen_add_e2e_test(cliexport cliexport.sh)
vorlen_add_e2e_test(settings settings.sh)
vorlen_add_e2e_test(regexport regexport.sh)
vorlen_add_e2e_test(tools tools.sh)
