@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="/out|x>y"
set MAPPATH=/R^&D 50%%/^<x^>^^y/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/3]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Vmf file: /R^&D 50%%/^<x^>^^y/box.vmf
echo BSP out folder: /out^|x^>y
echo Bin folder: /bin 5%%^&co
echo BSP(+) -x %MAPNAME% ^& echo
echo VIS(+) 
echo RAD(+) 
echo Game(+) 
echo File created: 30.03.2013 at: 12:34:56
echo ---------------------------------------
echo.
cd /d "/bin 5%%&co"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/3] - BSP
"/t 5%%/bsp&" "%MAPPATH%" -x %MAPNAME% & echo
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/3] - VIS
"/hl2/bin/vis" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [3/3] - RAD
"/hl2/bin/rad" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
"/hl2/game" 
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
