; Stands in for the imaging program: it reports that it ran, then ends with the exit status that
; A:\GHOSTRC holds in decimal (0 without it), as the case chose. With A:\GHOSTCUT it reports
; "ghost waits" and never ends, so that the test cuts the power while it runs.
        cpu 8086
        org 100h
        call report_run
        mov ax, 3D00h
        mov dx, cut_file
        int 21h
        jc .status
        mov si, s_waits
        call put_z
        call newline
        sti
.wait:  hlt
        jmp .wait
.status:
        xor bx, bx              ; the status
        mov ax, 3D00h           ; open for reading
        mov dx, rc_file
        int 21h
        jc .done
        push ax
        mov bx, ax
        mov ah, 3Fh
        mov cx, 3
        mov dx, digits
        int 21h
        mov cx, 0
        jc .close
        mov cx, ax              ; the digits read
.close: pop bx
        mov ah, 3Eh
        int 21h
        xor bx, bx
        mov si, digits
        jcxz .done
.digit: lodsb
        sub al, '0'
        cmp al, 9
        ja .done                ; a line end
        xchg ax, bx             ; bx = bx * 10 + al
        mov ah, 10
        mul ah
        add al, bl
        mov bx, ax
        xor bh, bh
        loop .digit
.done:  mov al, bl
        mov ah, 4Ch
        int 21h

rc_file db "A:\GHOSTRC", 0
cut_file db "A:\GHOSTCUT", 0
s_waits db "ghost waits", 0
digits  db 0, 0, 0

%include "report.inc"
