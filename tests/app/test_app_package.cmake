# Installs the build into a scratch root and checks what a desktop needs of
# it, then builds the Debian package and checks its contents and its
# library dependencies. Run by CTest: cmake -DBUILD=<build dir> -DWORK=<scratch> -P this file.
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK})
set(root ${WORK}/root)
set(share ${root}/usr/share)
set(ENV{DESTDIR} ${root})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix /usr)
unset(ENV{DESTDIR})

# The installed program finds its own core library, not the build's.
run(ldd ${root}/usr/bin/tivarel)
if(NOT out MATCHES "${root}/usr/bin/../lib/tivarel/libtivarel_core.so" OR out MATCHES "not found")
  message(FATAL_ERROR "the installed program does not find its libraries:\n${out}")
endif()

run(desktop-file-validate ${share}/applications/org.tivarel.Tivarel.desktop)
run(appstreamcli validate --no-net ${share}/metainfo/org.tivarel.Tivarel.metainfo.xml)
# The file manager's view: the MIME database built from the installed type
# knows ".orz" files.
run(update-mime-database ${share}/mime)
run(grep -q "application/x-tivarel-organiser:\\*\\.orz" ${share}/mime/globs2)

run(cpack -G DEB -B ${WORK}/deb --config ${BUILD}/CPackConfig.cmake)
file(GLOB deb ${WORK}/deb/tivarel_*.deb)
run(dpkg-deb --contents ${deb})
set(listing "${out}")
foreach(path
    ./usr/bin/tivarel
    ./usr/lib/tivarel/libtivarel_core.so
    ./usr/lib/tivarel/libtivarel_ui.so
    ./usr/share/tivarel/help/tivarel.qhc
    ./usr/share/tivarel/help/tivarel.qch
    ./usr/share/applications/org.tivarel.Tivarel.desktop
    ./usr/share/metainfo/org.tivarel.Tivarel.metainfo.xml
    ./usr/share/mime/packages/org.tivarel.Tivarel.xml
    ./usr/share/icons/hicolor/scalable/apps/org.tivarel.Tivarel.svg
    ./usr/share/icons/hicolor/48x48/apps/org.tivarel.Tivarel.png)
  string(FIND "${listing}" " ${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${path} missing from the package:\n${listing}")
  endif()
endforeach()
run(dpkg-deb --field ${deb} Depends Recommends)
if(NOT out MATCHES "libqt6help6" OR NOT out MATCHES "libqt6widgets6")
  message(FATAL_ERROR "dependencies not taken from the libraries: ${out}")
endif()
# What the program loads without linking it: Qt's French texts, Arial's
# metric twin for printing, the fallback icons, film playback, more picture
# formats.
foreach(need qt6-qpa-plugins qt6-translations-l10n fonts-liberation adwaita-icon-theme gstreamer1.0-plugins-base
             gstreamer1.0-plugins-good gstreamer1.0-libav qt6-image-formats-plugins)
  if(NOT out MATCHES "${need}")
    message(FATAL_ERROR "${need} missing from the package's Depends and Recommends:\n${out}")
  endif()
endforeach()
