@echo off
rem Our DOS tools under the free DOS: the test reads the variables through HERE.COM at the end and
rem the attributes in A:\T from the image.
set L2=kept
strings l2=read a:\lines.txt,2
set L3=kept
strings l3=read a:\lines.txt,3
strings l4=read a:\lines.txt,4
set L5=kept
strings l5=read a:\lines.txt,5
set NOFILE=kept
strings nofile=read a:\none.txt,1
strings dflt=read a:\lines.txt
rem firstln: Fn=yes when the first line of the file is the text asked for.
firstln a:\m1.txt 0123ABCD
if not errorlevel 1 set F1=yes
firstln a:\m1.txt 0123ABCE
if not errorlevel 1 set F2=yes
firstln a:\none.txt 0123ABCD
if not errorlevel 1 set F3=yes
firstln a:\m2.txt 0123ABCD
if not errorlevel 1 set F4=yes
firstln a:\m3.txt 0123ABCD
if not errorlevel 1 set F5=yes
firstln a:\m4.txt 0123ABCD
if not errorlevel 1 set F6=yes
firstln a:\m5.txt 0123ABCD
if not errorlevel 1 set F7=yes
firstln a:\m6.txt 0123ABCD
if not errorlevel 1 set F8=yes
attrib +r +h a:\t\*.*
attrib -h +s a:\t\b.txt
attrib -a a:\t\b.txt
attrib +h a:\t\sub
attrib -r -h a:\t\a.*
attrib +r a:\t\none.txt
if errorlevel 1 set MISSING=failed
rem renover: R1 over R2 (read-only and hidden), R3 to the new R4; no FROM, or a folder at TO,
rem changes nothing and fails.
renover a:\r\r1.txt a:\r\r2.txt
if errorlevel 1 set V1=failed
renover a:\r\r3.txt a:\r\r4.txt
if errorlevel 1 set V2=failed
renover a:\r\none.txt a:\r\r5.txt
if errorlevel 1 set V3=failed
renover a:\r\r6.txt a:\r\sub
if errorlevel 1 set V4=failed
here
