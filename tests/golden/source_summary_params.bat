@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="@ROOT@/out/"
set MAPPATH=@ROOT@/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/1]
echo Ferrowind v1.2 (maintainer@example.org)
echo ---------------------------------------
echo Vmf file: @ROOT@/maps/box.vmf
echo BSP out folder: @ROOT@/out/
echo Bin folder: @ROOT@/bin
echo BSP(+) 
echo VIS(-) -fast ^& canary
echo RAD(-) -x "a | b" ^|^| canary ^> x.txt
echo Game(-) +map %MAPNAME% ^< in.txt ^& canary
echo File created: 01.02.2027 at: 10:11:12
echo ---------------------------------------
echo.
cd /d "@ROOT@/bin"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/1] - BSP
"@ROOT@/tools/vbsp" "%MAPPATH%" 
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
