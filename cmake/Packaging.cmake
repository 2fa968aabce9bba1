# Debian package of the installed program ("cpack -G DEB" in the build
# folder). The libraries it links come from dpkg-shlibdeps; what it loads at
# run time without linking is listed by hand: without Qt's platform plugins
# no window opens, and the help's search needs Qt's SQLite driver (Depends);
# without the others the program works, less well (Recommends, which apt
# installs too): Qt's buttons and dialogs in English without Qt's French
# texts, printing measured with another font than Arial's metric twin
# Liberation Sans, no fallback icons, no film playback in the album without
# the GStreamer plugins, fewer picture formats.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivarel)
set(CPACK_PACKAGE_VENDOR "Tivarel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Organiseur familial : agenda, adresses, budget et collections")
set(CPACK_PACKAGE_DESCRIPTION "Tivarel tient l'agenda de la semaine, le carnet d'adresses, les anniversaires,
les choses à faire, le budget mensuel, l'album photos, la vidéothèque, la liste
des achats, la bibliothèque et le suivi des remboursements, avec une horloge,
un calendrier, une calculatrice, un convertisseur euro, un bloc-notes, les
prénoms, un pèse-lettres et un Reversi.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Équipe Tivarel <tivarel@tivarel.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The two libraries are the program's own, installed beside it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation | fonts-liberation2, adwaita-icon-theme, \
gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, qt6-image-formats-plugins")
include(CPack)
