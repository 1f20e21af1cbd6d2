; Stands in for NTFS.DAT, the self-extracting NTFS tool: reports that it ran and unpacks its
; NTFSPRO.EXE (a reporting double) into the current folder.
        cpu 8086
        org 100h
        call report_run
        mov ah, 3Ch
        xor cx, cx
        mov dx, s_ntfspro
        int 21h
        jc .fail
        mov bx, ax
        mov ah, 40h
        mov cx, ntfspro_end - ntfspro
        mov dx, ntfspro
        int 21h
        jc .fail
        mov ah, 3Eh
        int 21h
        mov ax, 4C00h
        int 21h
.fail:  mov ax, 4C01h
        int 21h

%include "report.inc"

s_ntfspro db "NTFSPRO.EXE", 0
ntfspro:
        incbin NTFSPRO
ntfspro_end:
