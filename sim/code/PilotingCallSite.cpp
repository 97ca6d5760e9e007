// Only assembly lives in this file: the compiler tracks which section it is
// writing to, and code of its own here could land in the section this
// assembly switches to.
#if defined(_WIN32)
// Windows x64: 32 bytes of home space plus 8 keep the stack 16-byte aligned at
// the call; RCX and RDX are left alone.
asm(R"(
    .text
    .p2align 4
    .globl VeltranePilotingCheck
    .def VeltranePilotingCheck; .scl 2; .type 32; .endef
    .seh_proc VeltranePilotingCheck
VeltranePilotingCheck:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    .globl VeltranePilotingCallSite
VeltranePilotingCallSite:
    call VeltranePilotingRequirement
    nop
    addq $40, %rsp
    ret
    .seh_endproc
)");
#else
// System V: 8 bytes keep the stack 16-byte aligned at the call; RDI and RSI
// are left alone.
asm(R"(
    .text
    .p2align 4
    .globl VeltranePilotingCheck
    .hidden VeltranePilotingCheck
    .type VeltranePilotingCheck, @function
VeltranePilotingCheck:
    .cfi_startproc
    subq $8, %rsp
    .cfi_def_cfa_offset 16
    .globl VeltranePilotingCallSite
    .hidden VeltranePilotingCallSite
VeltranePilotingCallSite:
    call VeltranePilotingRequirement
    addq $8, %rsp
    .cfi_def_cfa_offset 8
    ret
    .cfi_endproc
    .size VeltranePilotingCheck, .-VeltranePilotingCheck
)");
#endif
