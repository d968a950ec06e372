# Installation rules and the Debian package (cpack -G DEB): the three programs under /usr/bin, the
# files that go beside the program (helpers such as "shutdown", pictures, the manual) under
# /usr/lib/melvora/, where melvora-setup and the program's first start take them from, the desktop
# entry, the icons in the hicolor theme and the AppStream metainfo.
include(GNUInstallDirs)

set(melvora_app_id de.kiv.Melvora)
set(melvora_files_dir lib/melvora)

install(TARGETS melvora melvora-cli melvora-setup RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Files other parts of the build put beside the program (see src/setup/cli): helpers are programs.
get_property(melvora_setup_files GLOBAL PROPERTY MELVORA_SETUP_FILES)
foreach(item IN LISTS melvora_setup_files)
    if(item MATCHES "\\.(bmp|svg|png)$")
        install(FILES ${item} DESTINATION ${melvora_files_dir})
    else()
        install(PROGRAMS ${item} DESTINATION ${melvora_files_dir})
    endif()
endforeach()
set(melvora_resources ${PROJECT_SOURCE_DIR}/src/app/ui/resources)
install(FILES ${melvora_resources}/Bild1.bmp ${melvora_resources}/melvora.svg DESTINATION ${melvora_files_dir})
get_property(melvora_manual GLOBAL PROPERTY MELVORA_SETUP_MANUAL)
if(melvora_manual)
    install(DIRECTORY ${melvora_manual}/ DESTINATION ${melvora_files_dir}/Handbuch)
endif()
# melvora-setup of the package installs the program from there, like from its own "Data/" folder.
install(CODE "
    set(files \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${melvora_files_dir}\")
    file(MAKE_DIRECTORY \"\${files}\")
    file(CREATE_LINK ../../bin/melvora \"\${files}/melvora\" SYMBOLIC)
")

install(FILES ${PROJECT_SOURCE_DIR}/packaging/${melvora_app_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${melvora_app_id}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${melvora_app_id}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${melvora_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${melvora_resources}/melvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${melvora_app_id}.svg)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/melvora-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${melvora_app_id}.png)
endforeach()

set(CPACK_PACKAGE_NAME melvora)
set(CPACK_PACKAGE_VENDOR "KIV")
set(CPACK_PACKAGE_CONTACT "KIV <info@melvora.de>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Catalog for MP3 collections")
set(CPACK_PACKAGE_DESCRIPTION "Melvora records every MP3 file on your media in a catalog (SQLite or PostgreSQL
through ODBC), so that you can browse and search the collection even while a medium is offline; rate,
play, retag, rename, move and delete files, build playlists and exchange files with friends.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.melvora.de/")
# Libraries the programs link come from dpkg-shlibdeps; what they load at run time is named here:
# the ODBC drivers and Qt's ODBC plug-in, SVG icons, and GStreamer's MP3 decoding for playback.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsqliteodbc, unixodbc, libqt6sql6-odbc, libqt6svg6, libqt6multimedia6, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "odbc-postgresql")
set(CPACK_GENERATOR DEB)
include(CPack)
