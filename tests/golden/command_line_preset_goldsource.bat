@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set "WADROOT=@WORK@/wad"
set BSPODIR="@WORK@/out"
set MAPFILE="@WORK@/maps/box.map"
set MAPPATH=@WORK@/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/2]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Map file: @WORK@/maps/box.map
echo Wad root: @WORK@/wad
echo BSP folder: @WORK@/out
echo CSG(+) -wadautodetect
echo BSP(-) -chart
echo VIS(+) -fast
echo RAD(-) 
echo Game(-) -dev
STAMP
echo ---------------------------------------
echo.
::Run csg
title Map: [%MAPNAME%] Stage: [1/2] - CSG
"@WORK@/tools/csg" %MAPFILE% -wadautodetect
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/2] - VIS
"@WORK@/tools/vis" %MAPFILE% -fast
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
if exist "%MAPPATH%.pts" copy "%MAPPATH%.pts" %BSPODIR%
if exist "%MAPPATH%.p0" del "%MAPPATH%.p0"
if exist "%MAPPATH%.wic" del "%MAPPATH%.wic"
shutdown /s /f
exit
goto ENDCOMPILATION

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
