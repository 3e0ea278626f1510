# The Debian package, made by CPack from the install rules (cmake/Install.cmake):
#   cd build && cpack -G DEB        (scripts/package does the build and this step)
# writes pelmora_<version>_<arch>.deb. dpkg-shlibdeps derives the libraries' packages from
# the programs; the rest are what the console loads at run time without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VENDOR "Pelmora developers")
set(CPACK_PACKAGE_CONTACT "Pelmora developers <developers@pelmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console for networked video-wall controllers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Finds a video-wall controller on the local network, logs in to it and shows the wall\n\
with its windows and live picture. Sources are opened on the wall from the media library;\n\
windows are moved and resized, layouts kept as scenes, captions and background music run.\n\
Also carries pelmora-sim, a controller simulator to try the console with.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time: the screen echo's GStreamer elements (rtspsrc from good, avdec_h264
# from libav, videoconvert and appsink from base) and the Chinese font the interface asks for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, fonts-noto-cjk")
# The simulator's wall streams encode with x264enc.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-ugly")
include(CPack)
