@echo off
color 07
::Decompiling
title Decompiling box.bsp
"/opt/tools/Ferrowind/Temp/BspTwoMap.exe" "/home/me/maps/box.bsp" -notextures
::After decompiling
if exist "/home/me/maps/box.err" del "/home/me/maps/box.err"
if exist "/home/me/maps/box.log" del "/home/me/maps/box.log"
