# What the programs install, and the packages cpack makes of it: on Debian and Ubuntu a
# zorvane-cli package (no Qt) and a zorvane package (the window); on Windows a zip and an
# installer.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "The Zorvane developers")
set(CPACK_PACKAGE_CONTACT ${ZORVANE_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${ZORVANE_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Find the dates a timecode may stand for")
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt COMPONENT cli)
  set(CPACK_GENERATOR ZIP NSIS)
  set(CPACK_PACKAGE_FILE_NAME Zorvane-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Zorvane)
  set(CPACK_PACKAGE_EXECUTABLES Zorvane Zorvane)
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_NSIS_PACKAGE_NAME Zorvane)
  set(CPACK_NSIS_DISPLAY_NAME Zorvane)
  set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/zorvane.ico)
  set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/zorvane.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME Zorvane.exe)
  set(CPACK_NSIS_URL_INFO_ABOUT ${ZORVANE_HOMEPAGE})
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # A 64-bit installer for 64-bit programs, into the 64-bit Program Files. CPack's template has
  # no place for NSIS's Target line of its own; it goes with the compressor, just before.
  set(CPACK_NSIS_COMPRESSOR "/SOLID lzma\n  Target amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  include(CPack)
  return()
endif()

find_program(ZORVANE_GZIP gzip REQUIRED)
set(packaged ${PROJECT_BINARY_DIR}/packaged)
configure_file(data/debian/changelog.in ${packaged}/changelog @ONLY)
configure_file(data/org.zorvane.Zorvane.metainfo.xml.in ${packaged}/${ZORVANE_APP_ID}.metainfo.xml
               @ONLY)

# Man pages and the changelog go compressed, as Debian has them, without a time stamp.
set(compressed)
foreach(page zorvane zorvane-cli)
  configure_file(data/man/${page}.1.in ${packaged}/${page}.1 @ONLY)
  list(APPEND compressed ${page}.1)
endforeach()
list(APPEND compressed changelog)
foreach(file ${compressed})
  add_custom_command(OUTPUT ${packaged}/${file}.gz
                     COMMAND ${ZORVANE_GZIP} -9nc ${packaged}/${file} > ${packaged}/${file}.gz
                     DEPENDS ${packaged}/${file})
  list(APPEND compressed_files ${packaged}/${file}.gz)
endforeach()
add_custom_target(zorvane_documents ALL DEPENDS ${compressed_files})

set(man1 ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaged}/zorvane-cli.1.gz DESTINATION ${man1} COMPONENT cli)
install(FILES data/completion/zorvane-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT cli)

set(components cli)
if(ZORVANE_BUILD_WINDOW)
  list(APPEND components window)
  install(FILES ${packaged}/zorvane.1.gz DESTINATION ${man1} COMPONENT window)
  install(FILES data/${ZORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          COMPONENT window)
  install(FILES ${packaged}/${ZORVANE_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)
  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES data/icons/zorvane.svg DESTINATION ${icons}/scalable/apps
          RENAME ${ZORVANE_APP_ID}.svg COMPONENT window)
  foreach(size 16 32 48 64 128 256)
    install(FILES data/icons/zorvane-${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME ${ZORVANE_APP_ID}.png COMPONENT window)
  endforeach()
endif()

# Each package carries its own copyright and changelog. Descriptions: the synopsis, then the
# text as cpack indents it, an empty line between paragraphs. Cpack would put a summary of its
# own before each, but for the one value it takes for no summary at all.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_DEBIAN_CLI_PACKAGE_NAME zorvane-cli)
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME zorvane)
foreach(component ${components})
  string(TOUPPER ${component} upper)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES data/debian/copyright ${packaged}/changelog.gz DESTINATION ${doc}
          COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZORVANE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SOURCE zorvane)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZORVANE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SUGGESTS zorvane-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION
   "timecodes of minutes, and the minutes a timecode may stand for
A timecode is a three-letter code, consonant, vowel, consonant, computed
from one calendar minute and a 64-bit key. zorvane-cli derives the key of a
pass phrase, prints the timecode of any minute, and lists every minute of a
range of years, months, hours or minutes whose timecode is a given one, as
text, ISO 8601 minutes, CSV or JSON lines.

It needs no display and no Qt, for servers and scripts.")
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
   "find the dates a timecode may stand for
A timecode is a three-letter code, consonant, vowel, consonant, computed
from one calendar minute and a 64-bit key. Zorvane's window takes the key,
as 16 hexadecimal digits or as a pass phrase that derives them, and lists
every minute of the chosen year and months whose timecode is the one typed
in.

The command-line tool is in the zorvane-cli package.")
include(CPack)
