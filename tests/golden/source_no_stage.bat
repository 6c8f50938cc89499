@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="/hl2/game/maps"
set MAPPATH=/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/0]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Vmf file: /maps/box.vmf
echo BSP out folder: /hl2/game/maps
echo Bin folder: /hl2/bin
echo BSP(-) 
echo VIS(-) 
echo RAD(-) 
echo Game(+) 
echo File created: 30.03.2013 at: 12:34:56
echo ---------------------------------------
echo.
cd /d "/hl2/bin"
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
