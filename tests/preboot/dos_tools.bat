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
attrib +r +h a:\t\*.*
attrib -h +s a:\t\b.txt
attrib -a a:\t\b.txt
attrib +h a:\t\sub
attrib -r -h a:\t\a.*
attrib +r a:\t\none.txt
if errorlevel 1 set MISSING=failed
here
