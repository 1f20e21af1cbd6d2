; "mark N", before a step of the runner that changes a disk: reports "mark N". When the first line
; of A:\CUTAT is N it reports "cut N" and never ends, so that the test stops the machine there,
; as a power cut would, before the step.
        cpu 8086
        org 100h
        mov si, s_mark
        call put_z
        mov si, 81h
        mov cl, [80h]
        xor ch, ch
        mov di, number
.tail:  jcxz .told              ; the digits of the tail, blanks left out
        lodsb
        dec cx
        cmp al, ' '
        je .tail
        cmp di, number + 8
        je .told
        stosb
        out DEBUGCON, al
        jmp .tail
.told:  call newline
        mov cx, di
        sub cx, number          ; the length of N
        jcxz .end
        push cx
        mov ax, 3D00h
        mov dx, cut_file
        int 21h
        pop cx
        jc .end
        mov bx, ax
        push cx
        mov ah, 3Fh
        mov cx, 8
        mov dx, cut_at
        int 21h
        pop cx
        jc .end
        mov si, number
        mov di, cut_at
        repe cmpsb
        jne .end
        cmp byte [di], '0'      ; N must be the whole of the line
        jb .cut
        cmp byte [di], '9'
        jbe .end
.cut:   mov si, s_cut
        call put_z
        mov si, number
        mov cx, di
        sub cx, cut_at
.digit: lodsb
        out DEBUGCON, al
        loop .digit
        call newline
        sti
.wait:  hlt
        jmp .wait
.end:   mov ax, 4C00h
        int 21h

%include "report.inc"

s_mark   db "mark ", 0
s_cut    db "cut ", 0
cut_file db "A:\CUTAT", 0
number   times 8 db 0
cut_at   times 9 db 0
