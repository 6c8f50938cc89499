#!/usr/bin/env bash
# `ferrowind <file.vmf> +run` writes the Half-Life 2 script and exits by itself; given a .map as well,
# the Half-Life 2 map is the one compiled.
source "$(dirname "$0")/command_line_harness.sh"

mkdir -p "$work/hl2/bin" "$work/out"
for tool in bsp vis rad game; do : > "$work/hl2/bin/$tool"; done
: > "$work/maps/hall.vmf"
: > "$work/maps/box.map"
# Only Half-Life 2 paths: a Half-Life check would stop at its missing tools.
configure "$(printf '[SPATH]\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl2=%s\r\nBSPout=%s\r\nBin=%s\r\n' \
  "$work/hl2/bin/bsp" "$work/hl2/bin/vis" "$work/hl2/bin/rad" "$work/hl2/bin/game" "$work/out" "$work/hl2/bin")"

expected=$(cat <<SCRIPT
@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set BSPODIR="$work/out"
set MAPPATH=$work/maps/hall
set MAPNAME=hall
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/3]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Vmf file: $work/maps/hall.vmf
echo BSP out folder: $work/out
echo Bin folder: $work/hl2/bin
echo BSP(+) 
echo VIS(+) 
echo RAD(+) 
echo Game(+) 
STAMP
echo ---------------------------------------
echo.
cd /d "$work/hl2/bin"
::Run bsp
title Map: [%MAPNAME%] Stage: [1/3] - BSP
"$work/hl2/bin/bsp" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [2/3] - VIS
"$work/hl2/bin/vis" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [3/3] - RAD
"$work/hl2/bin/rad" "%MAPPATH%" 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
"$work/hl2/bin/game" 
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
SCRIPT
)

compile_and_check "$expected" "$work/maps/hall.vmf" +run
compile_and_check "$expected" "$work/maps/box.map" +RUN "$work/maps/hall.vmf"
echo "PASS"
