# cmake --install build --prefix P lays the program out as it runs:
#   P/lib/quillmark/quillmark with data/, snippets/, scripts/, comref/, help/ beside it (and the
#   marker that tells the program it is installed, so each user edits a copy of data/, snippets/
#   and scripts/ of their own), P/bin/quillmark (a relative link), the desktop entry, the icon in
#   the hicolor theme, the MIME definitions and the AppStream metainfo.
set(QM_LIBDIR lib/quillmark)
install(TARGETS quillmark RUNTIME DESTINATION ${QM_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/original ${CMAKE_SOURCE_DIR}/data/resistance DESTINATION ${QM_LIBDIR}/data)
install(FILES ${CMAKE_SOURCE_DIR}/data/syntax.txt ${CMAKE_SOURCE_DIR}/data/header.txt DESTINATION ${QM_LIBDIR}/data)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/snippets ${CMAKE_SOURCE_DIR}/data/help DESTINATION ${QM_LIBDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/comref DESTINATION ${QM_LIBDIR})
# The quick-script folder; the shipped one may hold nothing yet.
install(DIRECTORY DESTINATION ${QM_LIBDIR}/scripts)
if(EXISTS ${CMAKE_SOURCE_DIR}/data/scripts)
  # Read-only as beside a built program; each user's copy keeps the bits.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/scripts DESTINATION ${QM_LIBDIR}
          FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
endif()
install(CODE "file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QM_LIBDIR}/quillmark.installed\"
  \"Quillmark ${PROJECT_VERSION}, installed copy\\n\")")
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../${QM_LIBDIR}/quillmark \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/quillmark\" SYMBOLIC)")

install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.xml DESTINATION share/mime/packages)
install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/quillmark.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/quillmark-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillmark.png)
endforeach()
