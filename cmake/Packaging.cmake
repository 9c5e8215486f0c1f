# Installation (cmake --install) as a freedesktop.org desktop program, and the Debian package
# (cpack, `make package`).
include(GNUInstallDirs)

set(KIVRUN_APP_ID io.github.kivrun.Kivrun)
set(KIVRUN_MAINTAINER "The Kivrun developers <kivrun@example.org>"
    CACHE STRING "The package's maintainer, \"Name <address>\"")
set(KIVRUN_WEBSITE "" CACHE STRING
    "The project's web site; the AppStream file takes the screenshots from its screenshots/")
# Directories the package makes, whatever the umask of the machine that builds it.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
string(REGEX REPLACE "/+$" "" KIVRUN_WEBSITE_BASE "${KIVRUN_WEBSITE}")
set(kivrun_docdir ${CMAKE_INSTALL_DATADIR}/doc/kivrun)
set(kivrun_packaging ${CMAKE_SOURCE_DIR}/packaging)
set(kivrun_resources ${CMAKE_SOURCE_DIR}/resources)

install(TARGETS kivrun-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET kivrun)
  install(TARGETS kivrun RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${kivrun_resources}/${KIVRUN_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${kivrun_resources}/kivrun-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kivrun.xml)
  install(DIRECTORY ${kivrun_resources}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${kivrun_resources}/icons/kivrun.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # The AppStream file: without a web site there is nowhere to show screenshots from.
  set(metainfo_in ${kivrun_resources}/${KIVRUN_APP_ID}.metainfo.xml.in)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo_in})
  file(READ ${metainfo_in} metainfo)
  if(NOT KIVRUN_WEBSITE)
    string(REGEX REPLACE " *<url type=\"homepage\">[^\n]*\n" "" metainfo "${metainfo}")
    string(REGEX REPLACE " *<screenshots>.*</screenshots>\n" "" metainfo "${metainfo}")
  endif()
  string(REPLACE "@KIVRUN_WEBSITE@" "${KIVRUN_WEBSITE_BASE}" metainfo "${metainfo}")
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/${KIVRUN_APP_ID}.metainfo.xml
       CONTENT "${metainfo}" @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${KIVRUN_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Manual pages from the programs' --help and --version (help2man), compressed as Debian wants.
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT KIVRUN_SANITIZE)
  set(man_pages)
  foreach(program kivrun kivrun-tool)
    if(NOT TARGET ${program})
      continue()
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(
        OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${kivrun_packaging}/man-page $<TARGET_FILE:${program}>
                ${kivrun_packaging}/${program}.h2m ${page}
        DEPENDS ${program} ${kivrun_packaging}/${program}.h2m ${kivrun_packaging}/man-page
        COMMENT "Manual page ${program}(1)"
        VERBATIM)
    list(APPEND man_pages ${page})
  endforeach()
  add_custom_target(man-pages ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(NOT KIVRUN_SANITIZE)
  message(WARNING "help2man not found: no manual pages (scripts/install-deps installs it)")
endif()

# The package's copyright and changelog. The changelog's newest entry names this version.
file(STRINGS ${kivrun_packaging}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^kivrun \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog's newest entry is not version ${PROJECT_VERSION}: "
                      "add an entry for it")
endif()
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${kivrun_packaging}/changelog)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND gzip -9n < ${kivrun_packaging}/changelog > ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    DEPENDS ${kivrun_packaging}/changelog
    COMMENT "Compressing the package's changelog")
add_custom_target(package-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${kivrun_packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${kivrun_docdir})

# cpack: one .deb, its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kivrun)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kivrun developers")
set(CPACK_PACKAGE_CONTACT "${KIVRUN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "training log for athletes who train in several sports")
# Lines of at most 80 characters, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Kivrun keeps a training log for athletes who train in several sports:
running, cycling, swimming, rowing, skiing, weight training and any others
the user defines. One log is one file that holds workouts, planned events,
routes and weight-training routines.

It shows the log as a list, a month calendar, a week or a single workout
under one filter, with totals by week, month or year and graphs; exports to
HTML, text and spreadsheets; prints every view; and keeps automatic backups.
kivrun-tool works on the logs from a terminal or a script.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The views ask for Arial and its family by name; these are their metric twins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
# Native Wayland windows; without it Qt draws through XWayland, and it brings Qt Quick along.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
if(KIVRUN_WEBSITE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KIVRUN_WEBSITE_BASE}")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
