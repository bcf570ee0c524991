# Run by CPack on the staged files before packing: what dh_strip does beyond `strip`, which
# leaves the compiler's identification (.comment) and ABI notes in the program.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
foreach(program IN LISTS programs)
    execute_process(
        COMMAND "${CPACK_SORVANE_STRIP}" --remove-section=.comment --remove-section=.note
                "${program}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
