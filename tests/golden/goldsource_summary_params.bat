@echo off
color 07

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
title Map: [%MAPNAME%] Stage: [0/1]
echo Ferrowind v1.2 (maintainer@example.org)
echo ---------------------------------------
echo Map file: @ROOT@/maps/box.map
echo Wad root: @ROOT@/wads
echo BSP folder: @ROOT@/out/
echo CSG(-) -estimate ^& canary
echo BSP(+) 
echo VIS(-) -fast ^| canary ^> x.txt
echo RAD(-) -x "a & b" ^&^& canary ^< in.txt
echo Game(-) +map %MAPNAME% ^^^& canary
echo File created: 01.02.2027 at: 10:11:12
echo ---------------------------------------
echo.
::Run bsp
title Map: [%MAPNAME%] Stage: [1/1] - BSP
"@ROOT@/tools/hlbsp" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
goto ENDCOMPILATION

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
