# Tests under Wine that can run side by side (ctest -j): each entry runs in a
# Wine prefix of its own, copied from one template prefix that the
# wine_template entry boots once, and on an X display of its own. The
# prefixes live under wineprefixes/ in the build, apart from the prefix that
# scripts/run.sh starts the program in.
set(TAMAREL_TEST_PREFIXES "${CMAKE_BINARY_DIR}/wineprefixes")
set(TAMAREL_TEMPLATE_PREFIX "${TAMAREL_TEST_PREFIXES}/template")
set(TAMAREL_WINE_SUPPORT "${CMAKE_SOURCE_DIR}/tests/win/support")

# tamarel_wine_test(NAME COMMAND [ARGS...]): COMMAND runs with WINEPREFIX and
# DISPLAY of the entry's own; the template is made first.
function(tamarel_wine_test name)
  add_test(NAME ${name} COMMAND /bin/bash ${TAMAREL_WINE_SUPPORT}/in_own_prefix.sh ${TAMAREL_TEMPLATE_PREFIX}
                                "${TAMAREL_TEST_PREFIXES}/${name}" ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_template)
endfunction()

function(tamarel_wine_template)
  add_test(NAME wine_template COMMAND /bin/bash ${TAMAREL_WINE_SUPPORT}/wine_template.sh ${TAMAREL_TEMPLATE_PREFIX})
  set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP wine_template TIMEOUT 600)
endfunction()
