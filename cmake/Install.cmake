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
# The quick-script folder; the shipped one may hold nothing yet. A quick script is a file without
# write permission, as beside the build's executable, and each user's copy keeps the mode.
install(DIRECTORY DESTINATION ${QM_LIBDIR}/scripts)
if(EXISTS ${CMAKE_SOURCE_DIR}/data/scripts)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/scripts DESTINATION ${QM_LIBDIR}
          FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
endif()
install(CODE "file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QM_LIBDIR}/quillmark.installed\"
  \"Quillmark ${PROJECT_VERSION}, installed copy\\n\")")
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK ../${QM_LIBDIR}/quillmark \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/quillmark\" SYMBOLIC)")

install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.xml DESTINATION share/mime/packages)
install(FILES ${CMAKE_BINARY_DIR}/desktop/quillmark.metainfo.xml DESTINATION share/metainfo
        RENAME example.tarnwell.quillmark.metainfo.xml)
install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/quillmark.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/desktop/icons/quillmark-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quillmark.png)
endforeach()

# The manual page and the package documents, compressed without a name or time stamp so every
# build gives the same bytes.
set(QM_DOC_OUT ${CMAKE_BINARY_DIR}/doc)
configure_file(${CMAKE_SOURCE_DIR}/man/quillmark.1 ${QM_DOC_OUT}/quillmark.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${QM_DOC_OUT}/changelog COPYONLY)
add_custom_command(OUTPUT ${QM_DOC_OUT}/quillmark.1.gz ${QM_DOC_OUT}/changelog.gz
  COMMAND gzip -9nkf ${QM_DOC_OUT}/quillmark.1 ${QM_DOC_OUT}/changelog
  DEPENDS ${QM_DOC_OUT}/quillmark.1 ${QM_DOC_OUT}/changelog
  COMMENT "Compressing the manual page and the changelog")
add_custom_target(docs ALL DEPENDS ${QM_DOC_OUT}/quillmark.1.gz ${QM_DOC_OUT}/changelog.gz)
install(FILES ${QM_DOC_OUT}/quillmark.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${QM_DOC_OUT}/changelog.gz DESTINATION share/doc/quillmark)
