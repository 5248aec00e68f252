# What `cmake --install` puts where, and the Debian package made by `cpack -G DEB`.

# The desktop and AppStream identifier; the desktop entry keeps the short name
# yzo.desktop, which the metainfo file names as its launchable.
set(YZO_APP_ID org.example.yzo)

install(TARGETS yzo-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET yzo)
  install(TARGETS yzo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# share/yzo holds the default lists and the help files: everything under data/,
# whatever is added there. The folder is made even when data/ is empty, since
# an installed program recognises itself by it.
install(DIRECTORY DESTINATION ${CMAKE_INSTALL_DATADIR}/yzo)
file(GLOB_RECURSE YZO_DATA_FILES CONFIGURE_DEPENDS LIST_DIRECTORIES false ${PROJECT_SOURCE_DIR}/data/*)
if(YZO_DATA_FILES)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/yzo
    PATTERN ".*" EXCLUDE)
endif()

if(WIN32)
  # On Windows, what the package holds beside the programs and share/yzo:
  # yzo's NVDA app module (share/yzo/nvda), which the program copies into a
  # user's NVDA configuration when asked, and the README. The installer and
  # the zip are made by scripts/build-windows.sh.
  if(TARGET yzo)
    install(FILES ${PROJECT_SOURCE_DIR}/gui/nvda/yzo.py DESTINATION ${CMAKE_INSTALL_DATADIR}/yzo/nvda)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  return()
endif()

# yzo's Orca script. Orca looks for an application's script in the package
# orca.scripts.apps as well as in the user's own folder: installed there, it
# is loaded for every user with nothing to do. A copy in share/yzo is what the
# program copies into a user's Orca folder when asked (menu "?", or the marker
# verorca.ini).
set(YZO_ORCA_APPS_DIR lib/python3/dist-packages/orca/scripts/apps CACHE STRING
  "Orca's package of application scripts, relative to the installation prefix")
if(TARGET yzo)
  install(FILES ${PROJECT_SOURCE_DIR}/gui/orca/yzo.py DESTINATION ${CMAKE_INSTALL_DATADIR}/yzo)
  install(FILES ${PROJECT_SOURCE_DIR}/gui/orca/yzo.py DESTINATION ${YZO_ORCA_APPS_DIR}/yzo RENAME __init__.py)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/yzo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The account files' type (application/x-yzo, *.yzo), which the desktop entry
# opens; shared-mime-info's trigger on share/mime/packages rebuilds the type
# database when the package is installed.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/yzo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME yzo.xml)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${YZO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/yzo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, with the version filled in and compressed as Debian expects.
find_program(YZO_GZIP gzip REQUIRED)
foreach(page yzo yzo-script)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.1 ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz
    COMMAND ${YZO_GZIP} -9nkf ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1)
  list(APPEND YZO_MAN_PAGES ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(yzo_man ALL DEPENDS ${YZO_MAN_PAGES})
install(FILES ${YZO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package. Its library dependencies come from what the programs link
# (dpkg-shlibdeps); speech-dispatcher is loaded only when asked for, so it is
# suggested, not required.
set(CPACK_PACKAGE_NAME yzo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "yzo")
set(CPACK_PACKAGE_CONTACT "yzo <yzo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bank-account ledger for blind and partially sighted users")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Bank-account ledger for blind and partially sighted users
 yzo keeps bank accounts entirely from the keyboard; every answer is written
 into a status label that the screen reader speaks. The interface is in French.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY yzo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "orca")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "speech-dispatcher, libspeechd2")
set(CPACK_STRIP_FILES ON)
include(CPack)
