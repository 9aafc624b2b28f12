# The Debian package of the Linux program, made by CPack's DEB generator from the install rules
# (cpack -G DEB in the linux build; scripts/package does it): the program where Debian's
# xscreensaver looks for display programs, its settings description, the manual page and the
# copyright file. Its dependencies come from dpkg-shlibdeps, from what the program links.
set(POLKAMOOT_MAINTAINER "Polkamoot developers <polkamoot@example.org>"
  CACHE STRING "The Maintainer field of the Debian package")

set(packaging ${CMAKE_CURRENT_LIST_DIR})
set(doc ${CMAKE_INSTALL_DATADIR}/doc/polkamoot)
configure_file(${packaging}/polkamoot.6.in polkamoot.6 @ONLY)
configure_file(${packaging}/changelog changelog @ONLY)
# Compressed without a name or time stamp, so that a build made again is the same.
foreach(page polkamoot.6 changelog)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND gzip -9nc ${CMAKE_CURRENT_BINARY_DIR}/${page} > ${page}.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page} VERBATIM)
endforeach()
add_custom_target(documents ALL DEPENDS polkamoot.6.gz changelog.gz)

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/polkamoot.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME polkamoot)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${POLKAMOOT_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dancing bears screen saver for xscreensaver")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A troupe of up to five cartoon bears dances and bounces on a black screen,
each in its own colors, crying out when it meets an edge. In Random mode a
single bear changes its colors every few minutes. xscreensaver-settings offers
the bears, the sound, Random mode and the size.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ENHANCES xscreensaver)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
