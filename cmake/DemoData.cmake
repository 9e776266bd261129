# Packs the demo encyclopedia from sample/ into the program folder's DATA/Verbarium.dat.
set(VERBARIUM_DEMO_DATA ${VERBARIUM_PROGRAM_DIR}/DATA/Verbarium.dat)
file(GLOB_RECURSE demo_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/sample/*)
add_custom_command(
    OUTPUT ${VERBARIUM_DEMO_DATA}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VERBARIUM_PROGRAM_DIR}/DATA
    COMMAND verbarium-dat pack ${CMAKE_SOURCE_DIR}/sample ${VERBARIUM_DEMO_DATA}
    COMMAND verbarium-dat verify ${VERBARIUM_DEMO_DATA}
    DEPENDS verbarium-dat ${demo_sources}
    COMMENT "Packing the demo encyclopedia"
    VERBATIM)
add_custom_target(demo_data ALL DEPENDS ${VERBARIUM_DEMO_DATA})

# Paints the demo skin into the program folder's bmps/; its list names every picture.
set(VERBARIUM_SKIN_LIST ${VERBARIUM_PROGRAM_DIR}/bmps/Imglst.lst)
add_custom_command(
    OUTPUT ${VERBARIUM_SKIN_LIST}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:verbarium-skin> ${VERBARIUM_PROGRAM_DIR}/bmps
    DEPENDS verbarium-skin
    COMMENT "Painting the demo skin"
    VERBATIM)
add_custom_target(demo_skin ALL DEPENDS ${VERBARIUM_SKIN_LIST})
