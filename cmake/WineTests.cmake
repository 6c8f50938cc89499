# Cross-built Windows tests run under Wine, in a prefix of their own inside the build tree so that nothing
# touches the user's Wine setup, without a display so that no window can open, and without Wine's own chatter.
find_program(FERROWIND_WINE NAMES wine wine64 REQUIRED)
set(FERROWIND_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
  WINEPREFIX=${FERROWIND_WINE_PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
  ${FERROWIND_WINE})

# Made once before any test runs: test discovery would otherwise set the prefix up several times at once.
add_custom_command(OUTPUT ${FERROWIND_WINE_PREFIX}/system.reg
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
  COMMENT "Setting up the Wine prefix for the Windows tests")
add_custom_target(wine_prefix DEPENDS ${FERROWIND_WINE_PREFIX}/system.reg)

# Wine's drive for the host's root folder: build-tree paths compiled into the tests are given on it.
set(FERROWIND_TEST_DRIVE "Z:")
