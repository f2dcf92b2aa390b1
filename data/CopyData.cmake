# Overlays and initial clone files sit directly in the program folder; help pages and
# icons in sub-folders.
file(MAKE_DIRECTORY ${DST})
file(GLOB ovl ${SRC}/overlays/* ${SRC}/clone/*)
if(ovl)
  file(COPY ${ovl} DESTINATION ${DST})
endif()
foreach(sub help icons)
  if(EXISTS ${SRC}/${sub})
    file(COPY ${SRC}/${sub} DESTINATION ${DST})
  endif()
endforeach()
