; fast compile for layout work
[Other]
CSG=not this one

[p]
CSG=-nowadtextures  -chart
BSP=
VIS=
unknown=keep me
RAD=
HL=
[U]
CSG=1
BSP=1
VIS=0
RAD=1
HL=1
[a]
p0=0
p1=0
p2=0
log=0
note=mine
p3=0
prt=0
wic=0
lin=0
pts=0
a0=0
a1=0
a2=0
a3=0
a4=0
a5=1
