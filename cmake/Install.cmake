# cmake --install: the program folder as the build tree has it (the program, libmp3.so, bmps/,
# help/ and the help file) in PREFIX/lib/verbarium, a link to the program in PREFIX/bin, the
# desktop entry, the icons in the hicolor theme and the AppStream file.
set(VERBARIUM_INSTALL_DIR lib/verbarium)

install(TARGETS verbarium RUNTIME DESTINATION ${VERBARIUM_INSTALL_DIR})
install(TARGETS mp3 LIBRARY DESTINATION ${VERBARIUM_INSTALL_DIR})
install(DIRECTORY ${VERBARIUM_PROGRAM_DIR}/bmps ${VERBARIUM_PROGRAM_DIR}/help
        DESTINATION ${VERBARIUM_INSTALL_DIR})
install(FILES ${VERBARIUM_PROGRAM_DIR}/VERB97.HLP ${VERBARIUM_PROGRAM_DIR}/VERB97.CNT
        DESTINATION ${VERBARIUM_INSTALL_DIR} OPTIONAL)

# The program finds its folder through its own path, so a link on the path is enough.
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK ../${VERBARIUM_INSTALL_DIR}/verbarium \"\${bin}/verbarium\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/verbarium\")
")

install(FILES ${CMAKE_SOURCE_DIR}/dist/com.quandrel.Verbarium.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/com.quandrel.Verbarium.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY ${VERBARIUM_PROGRAM_DIR}/icons/hicolor DESTINATION share/icons)
install(FILES ${CMAKE_SOURCE_DIR}/icons/verbarium.svg DESTINATION share/icons/hicolor/scalable/apps)
