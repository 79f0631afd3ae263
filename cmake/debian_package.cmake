# `cpack -G DEB` in a build folder packs exactly what `cmake --install` puts under the prefix;
# scripts/package configures the build for it (Release, prefix /usr).
set(CPACK_PACKAGE_NAME ferquor)
set(CPACK_PACKAGE_CONTACT "Ferrow Quorvel maintainers <maintainers@ferquor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop watchdog for changed files on web sites")
set(CPACK_PACKAGE_DESCRIPTION [=[
Ferrow Quorvel is for people who look after several web sites. For each site
you keep a local copy of its files; the program regularly asks a small PHP
report script on each server for the sizes of the watched files, compares
them with the local copy and raises an alert when they differ, so that a file
changed on the server (typically by an injected script) is noticed within the
hour. It lives in the notification area.

The command ferquor-check runs the same check from a terminal, a cron job or
a systemd timer and tells by its exit status whether a site changed.

The report script runs on the web server, which needs PHP; this machine does
not. The program shows the maker's sponsor banners and tells the maker's site
of each start and banner click; nothing about the sites is sent there.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to the library scan: the platform plugins (recent Debian Qt
# keeps xcb there, and libqt6gui6 only recommends it) and the desktop's notification service.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
