[P]
BSP=
VIS=
RAD=
HL=-dev +map %MAPNAME%
[U]
BSP=1
VIS=0
RAD=1
HL=1
[A]
log=0
a1=0
a2=0
a3=0
a4=1
a5=0
