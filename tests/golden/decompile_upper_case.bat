@echo off
color 07
::Decompiling
title Decompiling BOX.BSP
"/opt/tools/Ferrowind/Temp/BspTwoMap.exe" "/home/me/maps/BOX.BSP" -notextures
::After decompiling
if exist "/home/me/maps/BOX.err" del "/home/me/maps/BOX.err"
if exist "/home/me/maps/BOX.log" del "/home/me/maps/BOX.log"
