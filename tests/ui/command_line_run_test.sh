#!/usr/bin/env bash
# Starts the real program as a level editor would (`ferrowind <map> +run`) and checks the script it
# writes, the terminal it starts, that it exits by itself and that it saves its configuration.
source "$(dirname "$0")/command_line_harness.sh"

mkdir -p "$work/tools" "$work/wad" "$work/out"
for tool in csg bsp vis rad hl; do : > "$work/tools/$tool"; done
: > "$work/maps/box.map"
configure "$(printf '[GSPATH]\r\nCSG=%s\r\nBSP=%s\r\nVIS=%s\r\nRAD=%s\r\nhl=%s\r\nWADroot=%s\r\nBSPout=%s\r\n' \
  "$work/tools/csg" "$work/tools/bsp" "$work/tools/vis" "$work/tools/rad" "$work/tools/hl" "$work/wad" "$work/out")"

expected=$(cat <<SCRIPT
@echo off
color 07

::Section - Begin
:BEGINCOMPILATION
cls
::Variables
set "WADROOT=$work/wad"
set BSPODIR="$work/out"
set MAPFILE="$work/maps/box.map"
set MAPPATH=$work/maps/box
set MAPNAME=box
set LOGVIEW="Notepad"
::Information
title Map: [%MAPNAME%] Stage: [0/4]
echo Ferrowind v1.2 (ferrowind@mailbox.org)
echo ---------------------------------------
echo Map file: $work/maps/box.map
echo Wad root: $work/wad
echo BSP folder: $work/out
echo CSG(+) 
echo BSP(+) 
echo VIS(+) 
echo RAD(+) 
echo Game(+) 
STAMP
echo ---------------------------------------
echo.
::Run csg
title Map: [%MAPNAME%] Stage: [1/4] - CSG
"$work/tools/csg" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run bsp
title Map: [%MAPNAME%] Stage: [2/4] - BSP
"$work/tools/bsp" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run vis
title Map: [%MAPNAME%] Stage: [3/4] - VIS
"$work/tools/vis" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::Run rad
title Map: [%MAPNAME%] Stage: [4/4] - RAD
"$work/tools/rad" %MAPFILE% 
if ERRORLEVEL 1 goto ERRORCOMPILATION
::After compilation
if exist "%MAPPATH%.bsp" copy "%MAPPATH%.bsp" %BSPODIR%
"$work/tools/hl" 
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
SCRIPT
)
compile_and_check "$expected" "$work/maps/box.map" +run
grep -q $'^TextColor=7\r$' "$work/bin/Ferrowind/Configurations.ini" || fail "the configuration was not written at the end"
echo "PASS"
