@echo off
color 07
::Decompiling
title Decompiling box.bsp
"/opt/tools/Ferrowind/Temp/BspTwoMap.exe" "/home/me/maps/box.bsp" -notextures
::After decompiling
if exist "/home/me/maps/box.map" copy "/home/me/maps/box.map" "/srv/out/box.map"
if not errorlevel 1 if exist "/srv/out/box.map" del "/home/me/maps/box.map"
if exist "/home/me/maps/box_btm.wad" copy "/home/me/maps/box_btm.wad" "/srv/out/box_btm.wad"
if not errorlevel 1 if exist "/srv/out/box_btm.wad" del "/home/me/maps/box_btm.wad"
if exist "/home/me/maps/box.err" del "/home/me/maps/box.err"
if exist "/home/me/maps/box.log" del "/home/me/maps/box.log"
