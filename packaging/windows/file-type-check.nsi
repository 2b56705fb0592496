; A stand-alone installer around the *.bod registration alone, so that the test script can run
; it under Wine and read back what it wrote. makensis -DOUTFILE=... -DINCLUDE=.../file-type.nsh
Unicode true
Target amd64-unicode
Name "Quillmar file type"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillmar"
RequestExecutionLevel admin
SilentInstall silent

!include "${INCLUDE}"

Section
  SetOutPath "$INSTDIR"
  !insertmacro QuillmarRegisterFileType
  WriteUninstaller "$INSTDIR\uninstall-file-type.exe"
SectionEnd

Section "Uninstall"
  !insertmacro QuillmarUnregisterFileType
  Delete "$INSTDIR\uninstall-file-type.exe"
SectionEnd
