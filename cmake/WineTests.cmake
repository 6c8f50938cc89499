# Cross-built Windows tests run under Wine, in a prefix of their own inside the build tree so that nothing
# touches the user's Wine setup, without a display so that no window can open, and without Wine's own chatter
# or the installers of its optional parts.
find_program(FERROWIND_WINE NAMES wine wine64 REQUIRED)
find_program(FERROWIND_WINESERVER NAMES wineserver REQUIRED)
set(FERROWIND_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(FERROWIND_WINE_ENVIRONMENT
  ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
  WINEPREFIX=${FERROWIND_WINE_PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=)
set(CMAKE_CROSSCOMPILING_EMULATOR ${FERROWIND_WINE_ENVIRONMENT} ${FERROWIND_WINE})

# Made once, whole, before any test runs. `wineboot --init` returns while the services it started are still
# writing the prefix; `wineserver -w` waits until every process of the prefix has ended.
add_custom_command(OUTPUT ${FERROWIND_WINE_PREFIX}/system.reg
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
  COMMAND ${FERROWIND_WINE_ENVIRONMENT} ${FERROWIND_WINESERVER} -w
  COMMENT "Setting up the Wine prefix for the Windows tests")
add_custom_target(wine_prefix DEPENDS ${FERROWIND_WINE_PREFIX}/system.reg)

# One Wine session for all the suites, started before them and ended after them.
foreach(action start stop)
  add_test(NAME wine_session_${action}
    COMMAND ${FERROWIND_WINE_ENVIRONMENT} ${CMAKE_COMMAND} -DACTION=${action} -DWINE=${FERROWIND_WINE}
      -DWINESERVER=${FERROWIND_WINESERVER} -P ${CMAKE_CURRENT_LIST_DIR}/WineSession.cmake)
endforeach()
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 90)
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 30)

# Wine's drive for the host's root folder: build-tree paths compiled into the tests are given on it.
set(FERROWIND_TEST_DRIVE "Z:")
