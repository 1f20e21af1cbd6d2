; The test types "here" at the prompt: reports that the shell reached it ("prompt X:\FOLDER") and
; the shell's variables as this program inherits them ("env NAME=VALUE"), then "here done", so the
; test does not stop QEMU half-way through the report.
        cpu 8086
        org 100h
        mov si, s_prompt
        call put_z
        mov ah, 19h
        int 21h
        add al, 'A'
        out DEBUGCON, al
        mov al, ':'
        out DEBUGCON, al
        mov al, '\'
        out DEBUGCON, al
        mov ah, 47h
        xor dl, dl
        mov si, folder
        int 21h
        call put_z
        call newline
        mov ds, [2Ch]
        xor si, si
.var:   cmp byte [si], 0
        je .end
        push si
        push ds
        push cs
        pop ds
        mov si, s_env
        call put_z
        pop ds
        pop si
        call put_z
        call newline
        jmp .var
.end:   push cs
        pop ds
        mov si, s_done
        call put_z
        call newline
        mov ax, 4C00h
        int 21h

%include "report.inc"

s_prompt db "prompt ", 0
s_env    db "env ", 0
s_done   db "here done", 0
folder   times 64 db 0
