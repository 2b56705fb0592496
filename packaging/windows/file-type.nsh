; Registers *.bod with Explorer: the "Quillmar.Document" type, its icon, and the open and print
; commands that Quillmar's command line understands. The installer runs for all users, so the
; keys go under HKLM\Software\Classes.
!ifndef QUILLMAR_FILE_TYPE_NSH
!define QUILLMAR_FILE_TYPE_NSH

!define QUILLMAR_CLASSES "Software\Classes"
!define QUILLMAR_PROGID "Quillmar.Document"

!macro QuillmarRegisterFileType
  WriteRegStr HKLM "${QUILLMAR_CLASSES}\.bod" "" "${QUILLMAR_PROGID}"
  WriteRegStr HKLM "${QUILLMAR_CLASSES}\${QUILLMAR_PROGID}" "" "Quilmr Document"
  WriteRegStr HKLM "${QUILLMAR_CLASSES}\${QUILLMAR_PROGID}\DefaultIcon" "" "$INSTDIR\bin\quillmar.exe,1"
  WriteRegStr HKLM "${QUILLMAR_CLASSES}\${QUILLMAR_PROGID}\shell\open\command" "" '"$INSTDIR\bin\quillmar.exe" "%1"'
  WriteRegStr HKLM "${QUILLMAR_CLASSES}\${QUILLMAR_PROGID}\shell\print\command" "" '"$INSTDIR\bin\quillmar.exe" /p "%1"'
  ; Tell Explorer, so that the icons change without a restart.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro QuillmarUnregisterFileType
  ; Leave .bod alone if another program has taken it over since.
  ReadRegStr $0 HKLM "${QUILLMAR_CLASSES}\.bod" ""
  StrCmp $0 "${QUILLMAR_PROGID}" 0 +2
    DeleteRegKey HKLM "${QUILLMAR_CLASSES}\.bod"
  DeleteRegKey HKLM "${QUILLMAR_CLASSES}\${QUILLMAR_PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!endif
