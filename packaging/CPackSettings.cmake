# The Debian package: "cpack -G DEB" in the build folder (scripts/package). It holds
# what "cmake --install" installs, under /usr. Depends comes from dpkg-shlibdeps for
# the linked libraries (Qt 5, FFmpeg's libraries, cJSON, libarchive), plus what the program
# runs or loads without linking it: ffmpeg, yt-dlp, gpgv (checks downloader updates), the
# fonts its font folder links to, and Qt's SQLite plug-in.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME clipwright)
set(CPACK_PACKAGE_VENDOR Kestrova)
set(CPACK_PACKAGE_CONTACT "Kestrova <support@kestrova.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video downloader and video toolkit")
set(CPACK_PACKAGE_DESCRIPTION
  "Clipwright downloads videos, audio tracks, subtitles and thumbnails from video\n"
  "sites through yt-dlp, with a persistent queue, a speed limit, pause and resume\n"
  "and automatic retries. Its six video tools convert, cut, join, split and rotate\n"
  "local videos and add audio to them with ffmpeg.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Installed with DESTDIR, so install scripts see the final prefix (relative font links).
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.kestrova.com)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "ffmpeg, yt-dlp, gpgv, fonts-lato, fonts-liberation2, fonts-wqy-microhei, libqt5sql5-sqlite")
include(CPack)
