; Stands in for the RAM disk XMSDSK: "xmsdsk SIZE X: /y" reports that it ran and makes drive X:
; stand for the folder A:\RAMDISK, through X:'s entry in DOS's current-directory structure (CDS),
; as SUBST would.
        cpu 8086
        org 100h

CDS_SIZE      equ 58h
CDS_FLAGS     equ 43h
CDS_DPB       equ 45h
CDS_START     equ 49h
CDS_ROOT_END  equ 4Fh           ; where the drive's root ends in the path (the backslash offset)
PHYSICAL      equ 4000h
SUBSTITUTED   equ 1000h

start:
        call report_run
        mov si, 81h             ; the drive: the letter before the first ':' of the tail
        mov cl, [80h]
        xor ch, ch
.colon: jcxz fail
        lodsb
        dec cx
        cmp al, ':'
        jne .colon
        mov al, [si - 2]
        or al, 20h
        sub al, 'a'
        cmp al, 25
        ja fail
        mov [drive], al

        mov ah, 39h             ; the folder may be left from an earlier run
        mov dx, folder
        int 21h

        mov ah, 52h             ; DOS's list of lists: the CDS at 16h, the number of drives at 21h
        int 21h
        mov al, [drive]
        cmp al, [es:bx + 21h]
        jae fail
        les di, [es:bx + 16h]
        mov ax, [es:di + CDS_DPB]       ; drive A:'s entry comes first: its parameter block
        mov dx, [es:di + CDS_DPB + 2]
        push ax
        mov al, [drive]
        mov ah, CDS_SIZE
        mul ah
        add di, ax
        pop ax
        mov [es:di + CDS_DPB], ax
        mov [es:di + CDS_DPB + 2], dx
        mov word [es:di + CDS_FLAGS], PHYSICAL | SUBSTITUTED
        mov word [es:di + CDS_START], 0FFFFh   ; not looked up yet
        mov word [es:di + CDS_ROOT_END], folder_end - folder - 1
        mov si, folder
        mov cx, folder_end - folder
        rep movsb
        mov ax, 4C00h
        int 21h
fail:   mov si, s_fail
        call put_z
        mov ax, 4C01h
        int 21h

%include "report.inc"

folder   db "A:\RAMDISK", 0
folder_end:
s_fail   db "xmsdsk: no drive made", 10, 0
drive    db 0
