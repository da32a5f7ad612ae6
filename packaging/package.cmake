# What the Debian package holds beside the program's own install rules (manual pages, AppStream
# metadata, copyright and changelog), and CPack's DEB generator that scripts/package.sh runs.
include(GNUInstallDirs)
set(packaging_source ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_made ${PROJECT_BINARY_DIR}/packaging)

# The changelog is the release history, written by hand: its newest entry must be this version,
# and its date dates the release in the metainfo and the manual pages.
file(STRINGS ${packaging_source}/changelog changelog)
list(GET changelog 0 newest_entry)
if(NOT newest_entry MATCHES "^tarvello \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: its newest entry is not version ${PROJECT_VERSION}")
endif()
foreach(line IN LISTS changelog)
  if(line MATCHES "^ -- .*  [A-Z][a-z]+, ([0-9]+) ([A-Z][a-z]+) ([0-9]+) ")
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 101")  # two digits after the leading 1
    math(EXPR day "${day} + 100")
    string(SUBSTRING ${month} 1 2 month)
    string(SUBSTRING ${day} 1 2 day)
    set(TARVELLO_RELEASE_DATE "${year}-${month}-${day}")
    break()
  endif()
endforeach()

configure_file(${packaging_source}/tarvello.1.in ${packaging_made}/tarvello.1 @ONLY)
configure_file(${packaging_source}/tarvello-simswitch.1.in ${packaging_made}/tarvello-simswitch.1
               @ONLY)
configure_file(${packaging_source}/com.example.tarvello.metainfo.xml.in
               ${packaging_made}/com.example.tarvello.metainfo.xml @ONLY)
configure_file(${packaging_source}/changelog ${packaging_made}/changelog COPYONLY)

# Compressed as Debian wants them: at the highest level, without a name or time stamp inside.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(file tarvello.1 tarvello-simswitch.1 changelog)
  add_custom_command(OUTPUT ${packaging_made}/${file}.gz
                     COMMAND ${GZIP} -9nkf ${packaging_made}/${file}
                     DEPENDS ${packaging_made}/${file} VERBATIM)
  list(APPEND compressed ${packaging_made}/${file}.gz)
endforeach()
add_custom_target(tarvello_package_files ALL DEPENDS ${compressed})

install(FILES ${packaging_made}/tarvello.1.gz ${packaging_made}/tarvello-simswitch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_made}/com.example.tarvello.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_source}/copyright ${packaging_made}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvello)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tarvello developers <tarvello@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that sets up SPAN port mirroring on Cisco switches")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvello logs in to a Cisco Catalyst switch over telnet or SSH, reads its
interfaces, VLANs and monitor sessions, and lets you choose each port's and
VLAN's role in a SPAN session in a grid, under the switch's SPAN rules. It
turns the changes into monitor session lines, applies them and reads the
configuration back.

The simulated switch tarvello-simswitch is included, for trying the program
without a switch.")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.com/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, so dpkg-shlibdeps cannot see it: the window asks for Arial, whose metric twin
# Liberation Sans keeps its texts within the boxes laid out for them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
include(CPack)
