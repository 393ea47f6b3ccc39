# Puts conv's LAME in place (cmake/FastLame.cmake): the kept build if
# there is one, else the one just made, which is kept for the next
# checkout, whole or not at all (a copy cut short is never taken for one).
# cmake -DKEPT=... -DBUILT=... -DTARGET=... -P FastLameInstall.cmake
get_filename_component(folder "${TARGET}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
if(EXISTS "${KEPT}")
  file(COPY_FILE "${KEPT}" "${TARGET}")
  return()
endif()
file(COPY_FILE "${BUILT}" "${TARGET}")
get_filename_component(kept_folder "${KEPT}" DIRECTORY)
file(MAKE_DIRECTORY "${kept_folder}")
file(COPY_FILE "${BUILT}" "${KEPT}.part")
file(RENAME "${KEPT}.part" "${KEPT}")
