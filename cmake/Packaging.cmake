# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built from a Release build by scripts/package.sh (`cpack -G DEB`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME yelpcue)
set(CPACK_PACKAGE_VENDOR Yelpcue)
set(CPACK_PACKAGE_CONTACT ${YELPCUE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The package's long description, in lines short enough for apt's listings.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Yelpcue watches the console log of Quake. When a team-talk line holds the"
    "keyword of one of your triggers, it makes the game play the sound chosen for"
    "it: it writes a one-line game script and presses a key that your game config"
    "binds to running that script.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A companion of games: its program is in /usr/games (src/app).
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# Depends is computed by dpkg-shlibdeps from the libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
