; STRINGS.COM: "strings VAR=read FILE[,N]" puts line N (1 if not given) of FILE, without its line
; end, into VAR of the environment of the program that started it: the shell running the batch
; file. A missing file or line leaves VAR as it was (errorlevel 1, nothing shown); an empty line
; removes VAR, as "set VAR=" does. Names are stored in upper case, as the shells' SET stores them.
        cpu 8086
        org 100h

LINE_MAX equ 255
ENV_MAX  equ 32768              ; DOS keeps an environment below 32 KB

start:
        call command_tail
        call skip_blanks
        mov [name], si
.name:  lodsb
        cmp al, '='
        je .named
        test al, al
        jz usage
        jmp .name
.named: mov di, si
        dec di                  ; the '=': the name ends before it, trailing blanks cut
.trim:  cmp di, [name]
        je usage
        cmp byte [di - 1], ' '
        jne .cut
        dec di
        jmp .trim
.cut:   mov byte [di], 0
        call skip_blanks
        mov di, s_read          ; the function: only "read"
.func:  mov al, [di]
        test al, al
        jz .funcend
        mov ah, [si]
        call upcase_ah
        cmp ah, al
        jne usage
        inc si
        inc di
        jmp .func
.funcend:
        cmp byte [si], ' '
        je .file
        cmp byte [si], 9
        jne usage
.file:  call skip_blanks
        mov [file], si
.fname: lodsb
        test al, al
        jz .fend
        cmp al, ','
        je .fend
        cmp al, ' '
        je .fend
        cmp al, 9
        jne .fname
.fend:  dec si
        mov bl, [si]
        mov byte [si], 0
        cmp si, [file]
        je usage
        test bl, bl
        jz .number
        inc si
        call skip_blanks
        cmp byte [si], ','
        jne .number
        inc si
.number:
        call skip_blanks
        cmp byte [si], 0
        je .one
        xor ax, ax
.digit: mov bl, [si]
        test bl, bl
        jz .gotnum
        cmp bl, ' '
        je .gotnum
        sub bl, '0'
        cmp bl, 9
        ja usage
        mov cx, 10
        mul cx
        jc usage
        add al, bl
        adc ah, 0
        jc usage
        inc si
        jmp .digit
.one:   mov ax, 1
.gotnum:
        test ax, ax
        jz usage
        mov [wanted], ax

        mov si, [name]          ; upper case, as SET stores names
.up:    mov ah, [si]
        test ah, ah
        jz .upped
        call upcase_ah
        mov [si], ah
        inc si
        jmp .up
.upped:
        call read_line
        jc no_line
        call set_variable
        jc no_room
        mov ax, 4C00h
        int 21h

no_line:
        mov ax, 4C01h
        int 21h
usage:
        mov dx, s_usage
        jmp fail
no_room:
        mov dx, s_room
fail:   mov ah, 09h
        int 21h
        mov ax, 4C01h
        int 21h

; Line [wanted] of [file] into line/line_len; CF when the file or the line is missing.
read_line:
        mov ax, 3D00h
        mov dx, [file]
        int 21h
        jc .ret
        mov [handle], ax
        mov word [current], 1
        mov word [line_len], 0
        mov byte [seen], 0      ; whether line [wanted] has begun
.chunk: mov ah, 3Fh
        mov bx, [handle]
        mov cx, 512
        mov dx, chunk
        int 21h
        jc .eof
        test ax, ax
        jz .eof
        mov cx, ax
        mov si, chunk
.byte:  lodsb
        cmp al, 1Ah             ; ^Z ends a DOS text file
        je .eof
        mov dx, [current]
        cmp dx, [wanted]
        jne .other
        mov byte [seen], 1
        cmp al, 10
        je .found
        mov di, [line_len]
        cmp di, LINE_MAX
        jae .next
        mov [line + di], al
        inc word [line_len]
        jmp .next
.other: cmp al, 10
        jne .next
        inc word [current]
.next:  loop .byte
        jmp .chunk
.eof:   cmp byte [seen], 0
        jne .found
        call close
        stc
        ret
.found: call close
        mov di, [line_len]      ; a CR before the LF is part of the line end
        test di, di
        jz .ok
        cmp byte [line + di - 1], 13
        jne .ok
        dec word [line_len]
.ok:    clc
.ret:   ret

close:
        mov ah, 3Eh
        mov bx, [handle]
        int 21h
        ret

; Rewrites the parent's environment with [name]=line; CF (and the environment as it was) when it
; does not fit in the environment's memory block.
set_variable:
        mov es, [cs:16h]        ; the parent's PSP
        mov ax, [es:2Ch]
        test ax, ax
        jz .full
        mov [env], ax
        dec ax
        mov es, ax              ; its memory block, sized in paragraphs
        mov ax, [es:3]
        cmp ax, ENV_MAX / 16
        jbe .sized
        mov ax, ENV_MAX / 16
.sized: mov cl, 4
        shl ax, cl
        mov [env_size], ax

        mov ds, [cs:env]        ; copy every other variable to new_env
        mov di, new_env
        push cs
        pop es
        xor si, si
.entry: cmp byte [si], 0
        je .vars_end
        call is_named           ; ZF: this entry is the variable
        je .skip
.copy:  lodsb
        stosb
        test al, al
        jnz .copy
        jmp .entry
.skip:  lodsb
        test al, al
        jnz .skip
        jmp .entry
.vars_end:
        inc si                  ; SI: what follows the variables (a count and the program's name)
        push cs
        pop ds
        mov [trailer], si
        cmp word [line_len], 0  ; an empty line removes the variable
        je .terminate
        mov si, [name]
.name:  lodsb
        test al, al
        jz .eq
        stosb
        jmp .name
.eq:    mov al, '='
        stosb
        mov si, line
        mov cx, [line_len]
        rep movsb
        xor al, al
        stosb
.terminate:
        xor al, al
        stosb
        call copy_trailer
        mov cx, di
        sub cx, new_env
        cmp cx, [env_size]
        ja .full
        mov es, [env]
        xor di, di
        mov si, new_env
        rep movsb
        clc
        ret
.full:  stc
        ret

; ZF when the entry at DS:SI names the variable (SI kept). Compared without case.
is_named:
        push si
        mov bx, [cs:name]
.cmp:   mov al, [cs:bx]
        mov ah, [si]
        test al, al
        jz .end
        call upcase_ah
        cmp ah, al
        jne .out
        inc si
        inc bx
        jmp .cmp
.end:   cmp ah, '='
.out:   pop si
        ret

; The program name that DOS puts after the variables: a word count of 1, then one string. Kept
; only when it is there; an environment without it (a shell's own, say) has garbage there.
copy_trailer:
        push ds
        mov si, [trailer]
        mov ds, [env]
        mov bx, [cs:env_size]
        cmp si, bx
        jae .none
        cmp word [si], 1
        jne .none
        mov bx, si
        add bx, 2
.find:  cmp bx, [cs:env_size]
        jae .none
        cmp byte [bx], 0
        je .whole
        inc bx
        jmp .find
.whole: mov cx, bx
        sub cx, si
        inc cx                  ; the count, the name and its 0
        rep movsb
.none:  pop ds
        ret

%include "blanks.inc"

upcase_ah:
        cmp ah, 'a'
        jb .ret
        cmp ah, 'z'
        ja .ret
        sub ah, 20h
.ret:   ret

s_read  db "READ", 0
s_usage db "usage: strings VAR=read FILE[,N]", 13, 10, "$"
s_room  db "strings: out of environment space", 13, 10, "$"

        section .bss
name     resw 1
file     resw 1
wanted   resw 1
current  resw 1
handle   resw 1
seen     resb 1
line_len resw 1
env      resw 1
env_size resw 1
trailer  resw 1
line     resb LINE_MAX
chunk    resb 512
new_env  resb ENV_MAX + LINE_MAX + 16
