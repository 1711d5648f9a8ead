@c:\windows\command\attrib.exe -s -h -r c:\windows\user.dat
@echo    Restoring User Settings
@copy c:\temp\user.dat c:\windows\user.dat
@del c:\temp\user.dat
del startwin.bat
