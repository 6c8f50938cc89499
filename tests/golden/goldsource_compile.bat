@echo off
color 0A

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set "WADROOT=@ROOT@/wads"
set BSPODIR="@ROOT@/out/"
set MAPFILE="@ROOT@/maps/box.map"
set MAPPATH=@ROOT@/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/4]
echo Ferrowind v1.2 (maintainer@example.org)
echo ---------------------------------------
echo Map file: @ROOT@/maps/box.map
echo Wad root: @ROOT@/wads
echo BSP folder: @ROOT@/out/
echo CSG(+) -wadinclude halflife
echo BSP(+) 
echo VIS(+) -full
echo RAD(+) -extra -bounce 4
echo Game(+) +map %MAPNAME% 
echo File created: 01.02.2027 at: 10:11:12
echo ---------------------------------------
echo.
::Run csg
title Map: [%MAPNAME%] Stage: [1/4] - CSG
"@ROOT@/tools/hlcsg" %MAPFILE% -wadinclude halflife
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run bsp
title Map: [%MAPNAME%] Stage: [2/4] - BSP
"@ROOT@/tools/hlbsp" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [3/4] - VIS
"@ROOT@/tools/hlvis" %MAPFILE% -full
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [4/4] - RAD
"@ROOT@/tools/hlrad" %MAPFILE% -extra -bounce 4
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
"@ROOT@/tools/ferrowind" +beep
if exist "%MAPPATH%.log" start "" %LOGVIEW% "%MAPPATH%.log"
if exist "%MAPPATH%.p0" del "%MAPPATH%.p0"
if exist "%MAPPATH%.p1" del "%MAPPATH%.p1"
if exist "%MAPPATH%.p2" del "%MAPPATH%.p2"
if exist "%MAPPATH%.p3" del "%MAPPATH%.p3"
if exist "%MAPPATH%.prt" del "%MAPPATH%.prt"
"@ROOT@/tools/hl" +map %MAPNAME% 
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
