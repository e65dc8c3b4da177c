// The 64-bit Windows test build computes doubles on the x87, as the i686
// build does, and the x87 rounds like an IEEE double only with its precision
// control at 53 bits. Windows x64 starts threads at 53 bits, Wine at 64, so
// every module of this build sets it before any static initialiser of ours
// runs: a constructor of the highest priority a program may take.
namespace {

constexpr unsigned short precision_control = 0x0300;  // bits 8-9 of the control word
constexpr unsigned short precision_53_bits = 0x0200;

__attribute__((constructor(101))) void x87_double_precision() {
    unsigned short control;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control & ~precision_control) | precision_53_bits);
    __asm__ volatile("fldcw %0" : : "m"(control));
}

}  // namespace
