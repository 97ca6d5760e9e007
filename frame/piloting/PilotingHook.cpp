// Only assembly lives in this file. The hook is written out instruction by
// instruction so that the call it passes on is a jump whatever the compiler's
// optimisation: the replaced callee sees the caller's own argument registers
// and stack and returns straight to the game. It touches no stack itself.
//
//   if (Corvanis_Settings.bNoPilotingSkillRequirement) return 0;
//   jump to Corvanis_ReplacedPilotingCallee
#if defined(_WIN32)
asm(R"(
    .text
    .p2align 4
    .globl Corvanis_PilotingRequirementHook
    .def Corvanis_PilotingRequirementHook; .scl 2; .type 32; .endef
Corvanis_PilotingRequirementHook:
    cmpb $0, Corvanis_Settings(%rip)
    jne 1f
    jmpq *Corvanis_ReplacedPilotingCallee(%rip)
1:
    xorl %eax, %eax
    ret
)");
#else
asm(R"(
    .text
    .p2align 4
    .globl Corvanis_PilotingRequirementHook
    .hidden Corvanis_PilotingRequirementHook
    .type Corvanis_PilotingRequirementHook, @function
Corvanis_PilotingRequirementHook:
    .cfi_startproc
    cmpb $0, Corvanis_Settings(%rip)
    jne 1f
    jmpq *Corvanis_ReplacedPilotingCallee(%rip)
1:
    xorl %eax, %eax
    ret
    .cfi_endproc
    .size Corvanis_PilotingRequirementHook, .-Corvanis_PilotingRequirementHook
)");
#endif
