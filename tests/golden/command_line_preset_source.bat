@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="@WORK@/out"
set MAPPATH=@WORK@/maps/hall
set MAPNAME=hall
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/3]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Vmf file: @WORK@/maps/hall.vmf
echo BSP out folder: @WORK@/out
echo Bin folder: @WORK@/hl2/bin
echo BSP(+) -low
echo VIS(+) -fast
echo RAD(+) -final
echo Game(-) 
STAMP
echo ---------------------------------------
echo.
cd /d "@WORK@/hl2/bin"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/3] - BSP
"@WORK@/hl2/bin/bsp" "%MAPPATH%" -low
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/3] - VIS
"@WORK@/hl2/bin/vis" "%MAPPATH%" -fast
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [3/3] - RAD
"@WORK@/hl2/bin/rad" "%MAPPATH%" -final
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
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
