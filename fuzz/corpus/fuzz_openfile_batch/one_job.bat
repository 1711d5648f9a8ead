@C:\WINDOWS\COMMAND\attrib.exe -s -h -r C:\DATA\LETTER.DOC
@copy C:\DATA\LETTER.DOC C:\PROGRA~1\CORVASTA\TEMP\OPENFN1.DOC
@echo Please disregard the following Batch file missing error.
@del openfile.bat
