# Installation and the Debian package: the programs (installed by their own folders), the
# desktop entry, the record file types and the icons, so that the desktop offers Marlock for
# record files: *.esn, and the types of KIF, KI2, CSA, JKF, USI and SFEN files. `cpack -G DEB` packages exactly what `cmake --install` installs.
include(GNUInstallDirs)

set(MARLOCK_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/app/desktop)
set(MARLOCK_ARTWORK_DIR ${CMAKE_SOURCE_DIR}/app/artwork)

if(MARLOCK_GUI)
  install(FILES ${MARLOCK_DESKTOP_DIR}/marlock.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${MARLOCK_DESKTOP_DIR}/marlock-esn.xml ${MARLOCK_DESKTOP_DIR}/marlock-records.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  # The icons at every size drawn (app/artwork/NAME-SIZE.png, the 32-pixel ones without the
  # size) and as SVG, under the names the desktop entry and the record type give them.
  foreach(size 16 22 24 32 48 64 128 256)
    if(size EQUAL 32)
      set(suffix "")
    else()
      set(suffix "-${size}")
    endif()
    install(FILES ${MARLOCK_ARTWORK_DIR}/marlock${suffix}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME marlock.png)
    install(FILES ${MARLOCK_ARTWORK_DIR}/esn-document${suffix}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes
      RENAME application-x-esn-record.png)
  endforeach()
  install(FILES ${MARLOCK_ARTWORK_DIR}/marlock.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${MARLOCK_ARTWORK_DIR}/esn-document.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
    RENAME application-x-esn-record.svg)
endif()

# The package's documentation: its copyright and its changelog, compressed as Debian does
# (gzip -9n: no name or time stamp in it, so the package builds the same each time).
set(MARLOCK_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/marlock)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/doc/changelog @ONLY)
find_program(MARLOCK_GZIP gzip REQUIRED)
execute_process(COMMAND ${MARLOCK_GZIP} -9n -c ${CMAKE_BINARY_DIR}/doc/changelog
  OUTPUT_FILE ${CMAKE_BINARY_DIR}/doc/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
# A native package: its one changelog is changelog.gz.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
  DESTINATION ${MARLOCK_DOC_DIR})

set(CPACK_PACKAGE_NAME marlock)
set(CPACK_PACKAGE_VENDOR "Tallowby")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for shogi game records")
set(CPACK_PACKAGE_DESCRIPTION
  "Marlock opens, edits and saves shogi (Japanese chess) game records in the ESN, KIF, KI2, CSA, JKF, USI and SFEN formats, with comments and variations, and replays them on a drawn board. The esn tool checks, prints and converts records from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tallowby <marlock@tallowby.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The library dependencies (Qt, the C++ runtime) are read from the programs themselves by
# dpkg-shlibdeps (dpkg-dev); cpack refuses to make the package without it (see the file below),
# since a package without them installs a program that cannot start. The desktop's mime and
# menu caches are rebuilt by the triggers of the packages that own them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpackchecks.cmake)
# Qt's own dialogs and buttons in Japanese come with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "shared-mime-info, desktop-file-utils, qt6-translations-l10n")
# The engine offered for analysis when none is set up.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fairy-stockfish")

# The menus, the windows and Japanese notation need a font with Japanese characters, which no
# library names: without one every Japanese text shows as boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")

# Qt loads its platform plugin (X11's, or the offscreen one) at run time, so no library the
# program links names the package that holds it: that package is looked up and named here,
# unless it holds one of the linked libraries too, which dpkg-shlibdeps names with its version.
find_program(MARLOCK_DPKG_QUERY dpkg-query)
function(marlock_owner_package file result)
  execute_process(COMMAND ${MARLOCK_DPKG_QUERY} --search ${file} OUTPUT_VARIABLE owner
    ERROR_QUIET)
  set(package "")
  if(owner MATCHES "^([a-z0-9][a-z0-9.+-]*):")
    set(package ${CMAKE_MATCH_1})
  endif()
  set(${result} ${package} PARENT_SCOPE)
endfunction()
if(MARLOCK_GUI AND MARLOCK_DPKG_QUERY)
  find_package(Qt6QXcbIntegrationPlugin CONFIG QUIET HINTS ${Qt6Gui_DIR})
  set(plugin "the X11 platform plugin")
  set(owner "")
  if(TARGET Qt6::QXcbIntegrationPlugin)
    get_target_property(plugin Qt6::QXcbIntegrationPlugin LOCATION)
    marlock_owner_package(${plugin} owner)
  endif()
  set(linked "")
  foreach(library Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Svg)
    if(TARGET ${library})
      get_target_property(location ${library} LOCATION)
      marlock_owner_package(${location} package)
      list(APPEND linked ${package})
    endif()
  endforeach()
  if(NOT owner)
    message(WARNING "No Debian package was found holding Qt's ${plugin}: a Debian package "
      "made from this build would not depend on it.")
  elseif(NOT owner IN_LIST linked)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${owner}")
  endif()
endif()
include(CPack)
