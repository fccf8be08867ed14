/* The module's fixed version information, kept as an ELF note so that it is
   mapped with the module and can be found without exporting a symbol. The
   block starts with the signature GetModuleVersion scans for. */
    .pushsection .note.outlaysheet.version, "a", @note
    .balign 4
    .long 12                      /* name size: "Outlaysheet" and its terminator */
    .long 52                      /* descriptor size: thirteen 32-bit words */
    .long 0x4f56                  /* note type */
    .asciz "Outlaysheet"
    .balign 4
    .long 0xFEEF04BD              /* signature */
    .long 0x00010000              /* structure version */
    .long OUTLAYSHEET_VERSION_MS  /* file version, high then low words */
    .long OUTLAYSHEET_VERSION_LS
    .long OUTLAYSHEET_VERSION_MS  /* product version */
    .long OUTLAYSHEET_VERSION_LS
    .long 0x3F                    /* flags mask */
    .long 0                       /* flags */
    .long 0x00040004              /* operating system: 32-bit, windowing */
    .long 1                       /* file type: application */
    .long 0                       /* file subtype */
    .long 0                       /* file date, high and low */
    .long 0
    .popsection
    .section .note.GNU-stack, "", @progbits
