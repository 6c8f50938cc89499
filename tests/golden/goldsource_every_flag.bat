@echo off
color 1E

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set "WADROOT=/hl/wads"
set BSPODIR="/hl/valve/maps"
set MAPFILE="/maps/box.map"
set MAPPATH=/maps/box
set MAPNAME=box
set LOGVIEW="/usr/bin/gedit"
::Information
title Map: [%MAPNAME%] Stage: [0/4]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Map file: /maps/box.map
echo Wad root: /hl/wads
echo BSP folder: /hl/valve/maps
echo CSG(+) -wadinclude mywad
echo BSP(+) -chart
echo VIS(+) -full
echo RAD(+) -extra -bounce 4
echo Game(+) +map %MAPNAME% -dev
echo File created: 30.03.2013 at: 12:34:56
echo ---------------------------------------
echo.
::Run csg
title Map: [%MAPNAME%] Stage: [1/4] - CSG
"/hl/tools/hlcsg" %MAPFILE% -wadinclude mywad
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run bsp
title Map: [%MAPNAME%] Stage: [2/4] - BSP
"/hl/tools/hlbsp" %MAPFILE% -chart
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [3/4] - VIS
"/hl/tools/hlvis" %MAPFILE% -full
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [4/4] - RAD
"/hl/tools/hlrad" %MAPFILE% -extra -bounce 4
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.pts" copy "%MAPPATH%.pts" %BSPODIR%
"/opt/ferrowind/ferrowind" +beep
if exist "%MAPPATH%.log" start "" %LOGVIEW% "%MAPPATH%.log"
if exist "%MAPPATH%.log" del "%MAPPATH%.log"
if exist "%MAPPATH%.p0" del "%MAPPATH%.p0"
if exist "%MAPPATH%.p1" del "%MAPPATH%.p1"
if exist "%MAPPATH%.p2" del "%MAPPATH%.p2"
if exist "%MAPPATH%.p3" del "%MAPPATH%.p3"
if exist "%MAPPATH%.prt" del "%MAPPATH%.prt"
if exist "%MAPPATH%.wic" del "%MAPPATH%.wic"
if exist "%MAPPATH%.lin" del "%MAPPATH%.lin"
if exist "%MAPPATH%.pts" del "%MAPPATH%.pts"
shutdown /s /f
exit
"/hl/hl.exe" +map %MAPNAME% -dev
title Map: [%MAPNAME%] - Compilation finished
echo ---------------------------------------
echo   Compilation finished
echo ---------------------------------------
::Section - Pause
:PAUSEITEM
set ENTERRESULT=nil
echo Enter "1" for exit...
set /P ENTERRESULT=
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
echo 2. Open .err file
echo 3. Restart
echo 4. Exit
goto SELECTITEM

::Section - Select
:SELECTITEM
set SELRESULT=nil
echo Select item:
set /P SELRESULT=
if %SELRESULT%==1 if exist "%MAPPATH%.log" %LOGVIEW% "%MAPPATH%.log"
if %SELRESULT%==2 if exist "%MAPPATH%.err" %LOGVIEW% "%MAPPATH%.err"
if %SELRESULT%==3 goto BEGINCOMPILATION
if %SELRESULT%==4 exit
goto SELECTITEM

::Section - End
:ENDCOMPILATION
exit
