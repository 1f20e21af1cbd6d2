; Stands in for HIMEM.SYS: a device driver that reports its CONFIG.SYS line ("device LINE").
        cpu 8086
        org 0

        dd -1
        dw 8000h                ; a character device
        dw strategy
        dw interrupt
        db "TOVAKHIM"

request dd 0

strategy:
        mov [cs:request], bx
        mov [cs:request + 2], es
        retf

interrupt:
        push ax
        push si
        push ds
        push es
        push bx
        les bx, [cs:request]
        mov word [es:bx + 3], 0100h     ; done
        cmp byte [es:bx + 2], 0         ; only the initialisation is answered
        jne .ret
        mov word [es:bx + 0Eh], resident_end    ; the header stays in DOS's chain of devices
        mov [es:bx + 10h], cs
        push cs
        pop ds
        mov si, s_device
.put:   lodsb
        test al, al
        jz .line
        out 0E9h, al
        jmp .put
.line:  lds si, [es:bx + 12h]           ; the line after "device="
.char:  lodsb
        cmp al, 13
        je .end
        cmp al, 10
        je .end
        test al, al
        jz .end
        out 0E9h, al
        jmp .char
.end:   mov al, 10
        out 0E9h, al
.ret:   pop bx
        pop es
        pop ds
        pop si
        pop ax
        retf

s_device db "device ", 0
resident_end:
