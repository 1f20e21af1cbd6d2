; FIRSTLN.COM: "firstln FILE TEXT" ends with errorlevel 0 when the first line of FILE, without its
; line end (CR LF or LF; ^Z or the end of the file ends it too), is TEXT byte for byte, and with 1
; otherwise: a missing or unreadable file, another line, a first line longer than LINE_MAX. It
; shows nothing of the file and passes nothing on, so that a file anybody may have written can be
; compared without one of its bytes reaching the shell.
        cpu 8086
        org 100h

LINE_MAX equ 126                ; the command tail's length: no longer TEXT can be asked for
BUF_SIZE equ LINE_MAX + 2       ; room for the longest line and its CR LF

start:
        cld
        mov ax, 2524h           ; a drive that is not ready fails the open instead of asking
        mov dx, critical        ; (DOS puts the shell's handler back at the exit)
        int 21h
        call command_tail
        call skip_blanks
        mov [file], si
        call past_word
        cmp si, [file]
        je usage
        mov bl, [si]
        mov byte [si], 0
        test bl, bl
        jz usage
        inc si
        call skip_blanks
        mov [text], si
        call past_word
        mov cx, si
        sub cx, [text]
        jz usage
        mov [text_len], cx
        call skip_blanks
        cmp byte [si], 0
        jne usage

        mov ax, 3D00h           ; DOS closes the file at the exit
        mov dx, [file]
        int 21h
        jc no_match
        mov bx, ax
        xor di, di              ; the bytes read
.read:  mov cx, BUF_SIZE
        sub cx, di
        jz .scan
        lea dx, [buf + di]
        mov ah, 3Fh
        int 21h
        jc no_match
        add di, ax
        test ax, ax
        jnz .read

.scan:  mov cx, di
        mov si, buf
.byte:  jcxz .whole
        lodsb
        cmp al, 10
        je .end
        cmp al, 1Ah
        je .end
        dec cx
        jmp .byte
.whole: cmp di, BUF_SIZE        ; no line end within the limit: too long
        je no_match
        inc si
.end:   dec si                  ; SI at the line end
        mov cx, si
        sub cx, buf
        jcxz .compare
        cmp byte [si - 1], 13   ; a CR before it is part of the line end
        jne .compare
        dec cx
.compare:
        cmp cx, [text_len]
        jne no_match
        mov si, buf
        mov di, [text]
        repe cmpsb
        jne no_match
        mov ax, 4C00h
        int 21h

usage:  mov dx, s_usage
        mov ah, 09h
        int 21h
no_match:
        mov ax, 4C01h
        int 21h

critical:
        mov al, 3               ; fail the call
        iret

%include "blanks.inc"

s_usage db "usage: firstln FILE TEXT", 13, 10, "$"

        section .bss
file     resw 1
text     resw 1
text_len resw 1
buf      resb BUF_SIZE
