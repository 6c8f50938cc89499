@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set "WADROOT=/hl/wads"
set BSPODIR="/hl/valve/maps"
set MAPFILE="/maps/box.map"
set MAPPATH=/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/4]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Map file: /maps/box.map
echo Wad root: /hl/wads
echo BSP folder: /hl/valve/maps
echo CSG(+) 
echo BSP(+) 
echo VIS(+) 
echo RAD(+) 
echo Game(+) 
echo File created: 30.03.2013 at: 12:34:56
echo ---------------------------------------
echo.
::Run csg
title Map: [%MAPNAME%] Stage: [1/4] - CSG
"/hl/tools/hlcsg" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run bsp
title Map: [%MAPNAME%] Stage: [2/4] - BSP
"/hl/tools/hlbsp" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [3/4] - VIS
"/hl/tools/hlvis" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [4/4] - RAD
"/hl/tools/hlrad" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
"/hl/hl.exe" 
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
