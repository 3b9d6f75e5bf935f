# Installs calctutor as a Linux desktop program (the programs, the desktop
# entry, the AppStream metainfo and the icon) and packs the same files into a
# .deb with `cmake --build build --target package`. The validators of the
# desktop entry and the metainfo, and a check of the installed layout, run
# with the other tests under ctest.

include(GNUInstallDirs)

# On Windows and macOS only the programs are installed; a Windows folder for
# the tutor is made with windeployqt (see README). The desktop entry, the
# metainfo and the .deb belong to Linux desktops.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    install(TARGETS calctutor calctutor-course calctutor-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    return()
endif()

set(CALCTUTOR_APP_ID io.github.calctutor.CalcTutor)
set(calctutor_data ${PROJECT_SOURCE_DIR}/data)

install(TARGETS calctutor calctutor-course calctutor-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${calctutor_data}/${CALCTUTOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${calctutor_data}/${CALCTUTOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${calctutor_data}/${CALCTUTOR_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME calctutor)
set(CPACK_PACKAGE_VENDOR "The calctutor developers")
set(CPACK_PACKAGE_CONTACT "The calctutor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "offline tutor for a first calculus course")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# CPack puts the summary above this text and indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "calctutor leads one student through the question-and-answer assignments of a
first calculus course, which are built into the program. It shows a question,
records the student's typed answer with a confidence rating, shows the given
answer, and records the student's self-critique with a rating. Everything is
appended to plain-text files that the student sends to an instructor.

The package also holds calctutor-report, the instructor's program, which
reads a whole class's record files (folders and zip archives) and reports on
them in the terminal, as spreadsheet files and as JSON, and calctutor-course,
which checks and prints the course.")
# dpkg-shlibdeps reads the programs' libraries (Qt 6 Widgets, Gui, Core, libzip
# for the report and the C++ runtime) and writes the Depends line; the xcb platform plugin comes with
# libqt6gui6. The window's text is drawn in DejaVu where no other font is set up.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)

if(BUILD_TESTING)
    add_test(NAME desktop_entry_valid
             COMMAND desktop-file-validate ${calctutor_data}/${CALCTUTOR_APP_ID}.desktop)
    add_test(NAME metainfo_valid
             COMMAND appstreamcli validate --no-net ${calctutor_data}/${CALCTUTOR_APP_ID}.metainfo.xml)
    add_test(NAME install_layout
             COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/install-layout.sh ${PROJECT_BINARY_DIR}
                     ${CALCTUTOR_APP_ID} ${PROJECT_VERSION})
endif()
