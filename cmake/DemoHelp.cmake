# Compiles the demo help file from sample/help/ into the program folder's VERB97.HLP (with its
# VERB97.CNT), then reads it back as a check.
set(VERBARIUM_DEMO_HELP ${VERBARIUM_PROGRAM_DIR}/VERB97.HLP)
file(GLOB demo_help_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/sample/help/*)
add_custom_command(
    OUTPUT ${VERBARIUM_DEMO_HELP} ${VERBARIUM_PROGRAM_DIR}/VERB97.CNT
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VERBARIUM_PROGRAM_DIR}
    COMMAND verbarium-helpc ${CMAKE_SOURCE_DIR}/sample/help/VERB97.txt ${VERBARIUM_DEMO_HELP}
    COMMAND verbarium-help ${VERBARIUM_DEMO_HELP} info
    DEPENDS verbarium-helpc verbarium-help ${demo_help_sources}
    COMMENT "Compiling the demo help file"
    VERBATIM)
add_custom_target(demo_help ALL DEPENDS ${VERBARIUM_DEMO_HELP})
