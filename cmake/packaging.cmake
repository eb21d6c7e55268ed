# Debian package for classroom machines: `cpack -G DEB` in the build directory.
# Everything the install rules put in place goes into /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME malrechnen)
set(CPACK_PACKAGE_VENDOR "Malrechnen")
set(CPACK_PACKAGE_CONTACT "Malrechnen")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Übungsprogramm für die schriftliche Multiplikation")
set(CPACK_PACKAGE_DESCRIPTION [[
Malrechnen übt die schriftliche Multiplikation für die Grundschule. Die Aufgaben
stehen auf dem Bildschirm wie im Rechenheft; das Kind setzt die Ziffern in die
Kästchen für Überträge und Ergebnis. Falsche Ziffern werden sofort
zurückgewiesen, richtige bringen Punkte und Belohnungsspiele.]])
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# The Qt libraries come from dpkg-shlibdeps; the digit font, the German texts of the
# toolkit's own buttons and the SVG plugins for the window icon are looked up at run time,
# so the linker does not see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's SQLite driver is a plugin the class store loads by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-sil-andika, qt6-translations-l10n")

include(CPack)
