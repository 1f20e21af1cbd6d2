; ATTRIB.COM: "attrib {+|-}{r|h|s|a}... PATH" sets or clears attributes. A PATH with "*" or "?" in
; its last part changes every file that matches there, hidden and system ones too, but no folder;
; a PATH without them names one file or folder exactly. Silent on success; a failure is told on
; standard output, as DOS's own tools tell theirs, and ends with errorlevel 1.
        cpu 8086
        org 100h

CHANGEABLE equ 27h              ; read-only, hidden, system, archive
FIND_FILES equ 06h              ; hidden and system files too; read-only ones are always found

start:
        mov byte [path], 0
        call command_tail
.token: call skip_blanks
        lodsb
        test al, al
        jz .parsed
        cmp al, '+'
        je .flags
        cmp al, '-'
        je .flags
        cmp byte [path], 0      ; one path only
        jne usage
        dec si
        mov di, path            ; copied out: the DTA of the search lies over the command tail
.path:  lodsb
        cmp al, ' '
        je .pend
        cmp al, 9
        je .pend
        stosb
        test al, al
        jnz .path
        jmp .parsed
.pend:  xor al, al
        stosb
        jmp .token
.flags: mov dl, al              ; the sign, for each letter after it
        mov bp, si
.flag:  mov al, [si]
        or al, 20h
        mov bx, letters
        xor cx, cx
.which: cmp al, [bx]
        je .bit
        inc bx
        inc cx
        cmp cx, 4
        jb .which
        cmp si, bp              ; a sign needs a letter
        je usage
        jmp .endflags
.bit:   mov ah, [bx + 4]
        inc si
        cmp dl, '+'
        jne .clear
        or [set], ah
        jmp .flag
.clear: or [clear], ah
        jmp .flag
.endflags:
        mov al, [si]            ; what ends a group of letters: a blank or the end
        cmp al, ' '
        je .token
        cmp al, 9
        je .token
        test al, al
        jnz usage
        jmp .token
.parsed:
        cmp byte [path], 0
        je usage
        mov al, [set]
        or al, [clear]
        jz usage

        mov si, path            ; where the last part of the path starts, and whether it is a pattern
        mov [last_part], si
        mov byte [pattern], 0
.scan:  lodsb
        test al, al
        jz .scanned
        cmp al, '\'
        je .sep
        cmp al, ':'
        je .sep
        cmp al, '*'
        je .wild
        cmp al, '?'
        jne .scan
.wild:  mov byte [pattern], 1
        jmp .scan
.sep:   mov [last_part], si
        mov byte [pattern], 0   ; wildcards count only in the last part
        jmp .scan
.scanned:
        cmp byte [pattern], 0
        jne matching

        mov ax, 4300h           ; one file or folder, named exactly
        mov dx, path
        int 21h
        jc failed
        mov al, cl
        call change
        jc failed
        jmp done

matching:
        mov ah, 1Ah
        mov dx, dta
        int 21h
        mov ah, 4Eh
        mov cx, FIND_FILES
        mov dx, path
        int 21h
        jc failed
.found: mov si, dta + 1Eh       ; the name found, after the path's folder part
        mov di, [last_part]
.name:  lodsb
        mov [di], al
        inc di
        test al, al
        jnz .name
        mov al, [dta + 15h]
        test al, 10h
        jnz .next
        mov dx, path
        call change
        jc failed
.next:  mov ah, 4Fh
        int 21h
        jnc .found
done:   mov ax, 4C00h
        int 21h

failed: mov dx, path            ; "PATH: not changed"
        call print_z
        mov dx, s_error
        mov ah, 09h
        int 21h
        mov ax, 4C01h
        int 21h
usage:  mov dx, s_usage
        mov ah, 09h
        int 21h
        mov ax, 4C01h
        int 21h

; Sets the attributes of the entry named at DX from its old ones in AL; CF on failure.
change:
        and al, CHANGEABLE
        mov ah, [clear]
        not ah
        and al, ah
        or al, [set]
        xor ch, ch
        mov cl, al
        mov ax, 4301h
        int 21h
        ret

print_z:                        ; the C string at DX
        mov si, dx
.char:  lodsb
        test al, al
        jz .ret
        mov dl, al
        mov ah, 02h
        int 21h
        jmp .char
.ret:   ret

%include "blanks.inc"

letters db "rhsa", 01h, 02h, 04h, 20h
s_error db ": not changed", 13, 10, "$"
s_usage db "usage: attrib {+|-}{r|h|s|a}... PATH", 13, 10, "$"
set       db 0
clear     db 0

        section .bss
last_part resw 1
pattern   resb 1
dta       resb 43
path      resb 128 + 13         ; the command tail's longest path, and room for a found name
