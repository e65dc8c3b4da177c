# The smallest 32-bit x86 Linux program: it only ends with status 0.
# Whether the kernel starts it tells whether it runs 32-bit programs at all
# (a kernel without 32-bit emulation refuses it with "Exec format error").
# Built once and kept beside this file:
#   as --32 probe-i386.s -o probe-i386.o
#   ld -m elf_i386 -n -s --build-id=none probe-i386.o -o probe-i386
        .globl _start
_start:
        movl $1, %eax           # exit
        xorl %ebx, %ebx         # status 0
        int $0x80
