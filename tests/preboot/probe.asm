; Test boot sector for the floppy image: reports on the QEMU debug console (port E9h) the boot drive,
; the geometry the BIOS gives for it and the names in the root directory, then ends QEMU through
; isa-debug-exit (port F4h). Bytes 3-3Dh are replaced by the image's own BPB, which the code reads.
        bits 16
        org 7C00h

        jmp short main
        nop
        times 0Bh-($-$$) db 0
bytes_per_sector   dw 0
sectors_per_clus   db 0
reserved_sectors   dw 0
fat_count          db 0
root_entries       dw 0
total_sectors      dw 0
media              db 0
sectors_per_fat    dw 0
sectors_per_track  dw 0
head_count         dw 0
        times 3Eh-($-$$) db 0

EXIT_DONE  equ 2Ah      ; QEMU exits with (2Ah << 1) | 1 = 85
EXIT_ERROR equ 01h
buffer     equ 8000h

main:
        cli
        xor ax, ax
        mov ds, ax
        mov ss, ax
        mov sp, 7C00h
        sti
        mov [drive], dl

        mov si, s_drive
        call puts
        movzx ax, byte [drive]
        call putnum
        call newline

        mov ah, 08h
        mov dl, [drive]
        int 13h                 ; also sets ES:DI
        jc error
        mov [max_chs], cx
        mov [max_head], dh
        mov si, s_geometry
        call puts
        mov cx, [max_chs]
        mov al, cl              ; cylinders: CL bits 7-6 over CH, counted from 0
        shr al, 6
        mov ah, al
        mov al, ch
        inc ax
        call putspace_num
        movzx ax, byte [max_head]
        inc ax
        call putspace_num
        mov ax, [max_chs]
        and ax, 3Fh
        call putspace_num
        call newline

        xor ax, ax
        mov es, ax
        movzx ax, byte [fat_count]      ; first root-directory sector
        mul word [sectors_per_fat]
        add ax, [reserved_sectors]
        mov [lba], ax
        mov ax, [root_entries]          ; root-directory sectors, 16 entries each
        shr ax, 4
        mov [left], ax

next_sector:
        cmp word [left], 0
        je done
        call read_sector
        jc error
        mov di, buffer
entry:
        mov al, [di]
        test al, al
        jz done                         ; no entries beyond the first free one
        cmp al, 0E5h
        je skip
        test byte [di + 11], 08h        ; volume label, or a long-name part (0Fh)
        jnz skip
        call put_name
skip:
        add di, 32
        cmp di, buffer + 512
        jb entry
        inc word [lba]
        dec word [left]
        jmp next_sector

done:
        mov si, s_end
        call puts
        mov al, EXIT_DONE
        out 0F4h, al
        jmp halt
error:
        mov si, s_error
        call puts
        mov al, EXIT_ERROR
        out 0F4h, al
halt:
        hlt
        jmp halt

read_sector:                    ; [lba] -> buffer, CF on failure
        mov ax, [lba]
        xor dx, dx
        div word [sectors_per_track]
        mov cl, dl
        inc cl                  ; sector, from 1
        xor dx, dx
        div word [head_count]
        mov dh, dl              ; head
        mov ch, al              ; cylinder (the root lies on cylinder 0)
        mov dl, [drive]
        mov bx, buffer
        mov ax, 0201h
        int 13h
        ret

put_name:                       ; "file NAME.EXT" from the entry at DI
        mov si, s_file
        call puts
        mov bx, 0
.base:  mov al, [di + bx]
        cmp al, ' '
        je .ext
        out 0E9h, al
        inc bx
        cmp bx, 8
        jb .base
.ext:   cmp byte [di + 8], ' '
        je .end
        mov al, '.'
        out 0E9h, al
        mov bx, 8
.extc:  mov al, [di + bx]
        cmp al, ' '
        je .end
        out 0E9h, al
        inc bx
        cmp bx, 11
        jb .extc
.end:   jmp newline

puts:                           ; zero-terminated text at SI
        lodsb
        test al, al
        jz .end
        out 0E9h, al
        jmp puts
.end:   ret

putspace_num:
        push ax
        mov al, ' '
        out 0E9h, al
        pop ax
putnum:                         ; AX in decimal
        mov bx, 10
        xor cx, cx
.div:   xor dx, dx
        div bx
        push dx
        inc cx
        test ax, ax
        jnz .div
.out:   pop ax
        add al, '0'
        out 0E9h, al
        loop .out
        ret

newline:
        mov al, 10
        out 0E9h, al
        ret

s_drive    db "probe: drive ", 0
s_geometry db "probe: geometry", 0
s_file     db "probe: file ", 0
s_end      db "probe: end", 10, 0
s_error    db "probe: BIOS error", 10, 0
drive      db 0
max_head   db 0
max_chs    dw 0
lba        dw 0
left       dw 0

        times 510-($-$$) db 0
        dw 0AA55h
