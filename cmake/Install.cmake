# Desktop installation and the Debian package.
#
# Layout under the prefix (/usr in the package):
#   bin/caici and its helper programs side by side (the game starts its
#     workbook reader from its own folder);
#   share/caici/game/ the game folder: words.xls and the same words as
#     words.xlsx, sound/, fonts/ (the desktop
#     entry starts the game there, since the game reads its data from the
#     current directory);
#   share/applications/caici.desktop, share/icons/hicolor/256x256/apps/caici.png.

set(CAICI_GAME_DIR ${CMAKE_SOURCE_DIR}/game)

# The reader is what loads the words: a package without it could not start a game.
install(TARGETS caici caici-xlsreader RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(tool caici-wordlib caici-render)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${CAICI_GAME_DIR}/words.xls ${CAICI_GAME_DIR}/words.xlsx DESTINATION ${CMAKE_INSTALL_DATADIR}/caici/game)
install(DIRECTORY ${CAICI_GAME_DIR}/sound ${CAICI_GAME_DIR}/fonts
  DESTINATION ${CMAKE_INSTALL_DATADIR}/caici/game)
# The desktop entry starts the game, by its full path, in the game folder
# under whatever prefix it is installed to (/usr for the package).
install(CODE "set(CAICI_DESKTOP_SOURCE \"${CMAKE_SOURCE_DIR}/packaging/caici.desktop\")
set(CAICI_DESKTOP_STAGED \"${CMAKE_CURRENT_BINARY_DIR}/caici.desktop\")
set(CAICI_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
set(CAICI_BINDIR \"${CMAKE_INSTALL_BINDIR}\")")
install(CODE [[
  file(READ "${CAICI_DESKTOP_SOURCE}" entry)
  string(REGEX REPLACE "\nPath=[^\n]*" "\nPath=${CMAKE_INSTALL_PREFIX}/${CAICI_DATADIR}/caici/game" entry "${entry}")
  string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=${CMAKE_INSTALL_PREFIX}/${CAICI_BINDIR}/caici" entry "${entry}")
  file(WRITE "${CAICI_DESKTOP_STAGED}" "${entry}")
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${CAICI_DATADIR}/applications" TYPE FILE
       FILES "${CAICI_DESKTOP_STAGED}")
]])
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/resources/caici.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)

set(CPACK_PACKAGE_NAME caici)
set(CPACK_PACKAGE_VENDOR "Velmarin")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "猜词大挑战 - word-guessing party game for a big screen")
set(CPACK_PACKAGE_DESCRIPTION "One player sees a word in huge effect text on a projector and mimes or \
describes it, the team-mate guesses against a countdown. Ships a library of everyday words.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmarin 工作室 <games@velmarin.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Loaded at run time, so the library scan cannot see them: the X platform
# plugin, CJK faces for the Chinese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_GENERATOR DEB)
include(CPack)
