@echo off
set A=x
if "%A%"=="x" md c:\d
if exist c:\d\nul goto x
:x
copy c:\fuzz.bat c:\d\f.bat
attrib +r -h c:\d\f.bat
ren c:\d\f.bat g.bat
call c:\d\g.bat 1 2
foo
if errorlevel 1 echo.
del c:\fuzz.bat
