# Lays the shipped data out as the program expects it beside the executable:
#   data/{original,resistance,syntax.txt,header.txt}, snippets/, scripts/, comref/
foreach(sub original resistance)
  if(EXISTS ${SRC}/${sub})
    file(COPY ${SRC}/${sub} DESTINATION ${DST}/data)
  endif()
endforeach()
foreach(f syntax.txt header.txt)
  if(EXISTS ${SRC}/${f})
    file(COPY ${SRC}/${f} DESTINATION ${DST}/data)
  endif()
endforeach()
# Quick scripts are read-only: no write permission. A newer shipped script replaces the old copy,
# which is made writable first so the copy works for every user.
if(EXISTS ${SRC}/scripts)
  file(GLOB shipped_scripts RELATIVE ${SRC}/scripts ${SRC}/scripts/*)
  foreach(f ${shipped_scripts})
    if(EXISTS ${DST}/scripts/${f} AND NOT ${DST}/scripts/${f} IS_NEWER_THAN ${SRC}/scripts/${f})
      file(CHMOD ${DST}/scripts/${f} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
  endforeach()
  file(COPY ${SRC}/scripts DESTINATION ${DST}
       FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
  foreach(f ${shipped_scripts})  # a copy left out as unchanged keeps its bits: set them anyway
    file(CHMOD ${DST}/scripts/${f} PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
  endforeach()
endif()
foreach(sub snippets comref help)
  if(EXISTS ${SRC}/${sub})
    file(COPY ${SRC}/${sub} DESTINATION ${DST})
  endif()
endforeach()
