@echo off
color 0A

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="@ROOT@/out/"
set MAPPATH=@ROOT@/maps ^& 100%%/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/3]
echo Ferrowind v1.2 (maintainer@example.org)
echo ---------------------------------------
echo Vmf file: @ROOT@/maps ^& 100%%/box.vmf
echo BSP out folder: @ROOT@/out/
echo Bin folder: @ROOT@/bin
echo BSP(+) 
echo VIS(+) -fast
echo RAD(+) 
echo Game(-) 
echo File created: 01.02.2027 at: 10:11:12
echo ---------------------------------------
echo.
cd /d "@ROOT@/bin"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/3] - BSP
"@ROOT@/tools/vbsp" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/3] - VIS
"@ROOT@/tools/vvis" "%MAPPATH%" -fast
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [3/3] - RAD
"@ROOT@/tools/vrad" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
if exist "%MAPPATH%.log" del "%MAPPATH%.log"
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
