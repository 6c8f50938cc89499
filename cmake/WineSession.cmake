# Starts or ends the Wine session the Windows suites share: cmake -DWINE=… -DWINESERVER=… -DACTION=start|stop -P …
# The first Wine program of a session starts Wine's server and services, which keep that program's standard
# error for as long as the session lasts. Started by a suite, they would hold ctest's pipe for that suite open
# after it ended, and ctest would wait for it until its timeout. Started here, on the null device, they don't;
# the server is kept up, so no suite ever starts them again.
if(ACTION STREQUAL "start")
  execute_process(COMMAND ${WINESERVER} -p300
    INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Wine's server did not start (${result})")
  endif()
  execute_process(COMMAND ${WINE} cmd /c exit 0
    INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null TIMEOUT 60 RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Wine could not run a program in the test prefix (${result})")
  endif()
  # Wine's desktop process, which any program that needs a window starts, is started here for the same reason;
  # and a suite that started it inside one of its job objects would end it with the job while other suites
  # start programs. rundll32 makes a window, and GetDesktopWindow takes no arguments.
  execute_process(COMMAND ${WINE} rundll32.exe user32.dll,GetDesktopWindow
    INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null TIMEOUT 60 RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Wine's desktop did not start in the test prefix (${result})")
  endif()
elseif(ACTION STREQUAL "stop")
  execute_process(COMMAND ${WINESERVER} -k INPUT_FILE /dev/null OUTPUT_FILE /dev/null ERROR_FILE /dev/null)
else()
  message(FATAL_ERROR "ACTION must be start or stop")
endif()
