@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="/hl2/game/maps"
set MAPPATH=/maps/box
set MAPNAME=box
set LOGVIEW="/usr/bin/viewer"
::Information
title Map: [%MAPNAME%] Stage: [0/3]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Vmf file: /maps/box.vmf
echo BSP out folder: /hl2/game/maps
echo Bin folder: /hl2/bin
echo BSP(+) -onlyents
echo VIS(+) -fast
echo RAD(+) -bounce 4 -final
echo Game(+) +map %MAPNAME% -dev
echo File created: 30.03.2013 at: 12:34:56
echo ---------------------------------------
echo.
cd /d "/hl2/bin"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/3] - BSP
"/hl2/bin/bsp" "%MAPPATH%" -onlyents
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/3] - VIS
"/hl2/bin/vis" "%MAPPATH%" -fast
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [3/3] - RAD
"/hl2/bin/rad" "%MAPPATH%" -bounce 4 -final
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.log" start "" %LOGVIEW% "%MAPPATH%.log"
if exist "%MAPPATH%.log" del "%MAPPATH%.log"
"/opt/ferrowind/ferrowind" +beep
shutdown /s /f
exit
"/hl2/game" +map %MAPNAME% -dev
title Map: [%MAPNAME%] - Compilation finished
echo ---------------------------------------
echo   Compilation finished
echo ---------------------------------------
::Section - Pause
:PAUSEITEM
Set ENTERRESULT=0
echo Enter "1" for exit...
Set /P ENTERRESULT=
if %ENTERRESULT%==1 exit
goto PAUSEITEM

::Section - Error
:ERRORCOMPILATION
shutdown /s /f
exit
echo ---------------------------------------
echo   ERROR ERROR ERROR ERROR ERROR ERROR
echo ---------------------------------------
echo 1. Open .log file
echo 2. Restart
echo 3. Exit
goto SELECTITEM

::Section - Select
:SELECTITEM
Set SELRESULT=nil
echo Select item:
Set /P SELRESULT=
if %SELRESULT%==1 if exist "%MAPPATH%.log" %LOGVIEW% "%MAPPATH%.log"
if %SELRESULT%==2 goto BEGINCOMPILATION
if %SELRESULT%==3 exit
goto SELECTITEM

::Section - End
:ENDCOMPILATION
exit
