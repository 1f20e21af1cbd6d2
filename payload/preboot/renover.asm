; RENOVER.COM: "renover FROM TO" renames the file FROM to TO, deleting the file TO first when there
; is one (DOS renames onto no existing name), even a read-only, hidden or system one. TO goes only
; once FROM is known to be there to take its place, and the delete and the rename are two calls
; back to back: TO is missing for as short a time as DOS allows. FROM and TO must name two files
; of one folder. Silent on success; a failure prints "FROM: not moved" on standard output and ends
; with errorlevel 1, with TO as it was unless the rename itself failed.
        cpu 8086
        org 100h

NOT_A_FILE equ 18h              ; a folder or a volume label

start:
        cld
        call command_tail
        call skip_blanks
        mov [source], si
        call past_word
        cmp si, [source]
        je usage
        cmp byte [si], 0
        je usage
        mov byte [si], 0
        inc si
        call skip_blanks
        mov [target], si
        call past_word
        cmp si, [target]
        je usage
        mov bl, [si]
        mov byte [si], 0
        test bl, bl
        jz .parsed
        inc si
        call skip_blanks
        cmp byte [si], 0
        jne usage
.parsed:
        mov ax, 4300h           ; FROM is a file
        mov dx, [source]
        int 21h
        jc failed
        test cl, NOT_A_FILE
        jnz failed
        mov ax, 4300h
        mov dx, [target]
        int 21h
        jc .rename              ; no TO
        test cl, NOT_A_FILE
        jnz failed
        mov ax, 4301h           ; DOS deletes no read-only file
        xor cx, cx
        int 21h
        jc failed
        mov ah, 41h
        int 21h
        jc failed
.rename:
        mov ah, 56h
        mov dx, [source]
        push ds
        pop es
        mov di, [target]
        int 21h
        jc failed
        mov ax, 4C00h
        int 21h

failed: mov si, [source]          ; "FROM: not moved"
.char:  lodsb
        test al, al
        jz .said
        mov dl, al
        mov ah, 02h
        int 21h
        jmp .char
.said:  mov dx, s_failed
        jmp fail
usage:  mov dx, s_usage
fail:   mov ah, 09h
        int 21h
        mov ax, 4C01h
        int 21h

%include "blanks.inc"

s_failed db ": not moved", 13, 10, "$"
s_usage  db "usage: renover FROM TO", 13, 10, "$"

        section .bss
source   resw 1
target   resw 1
