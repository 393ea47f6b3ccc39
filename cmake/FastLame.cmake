# conv's LAME built for x86-64-v3 processors (AVX2), from Debian's own
# source of the very version the system has (scripts/deps.sh fetches it).
# It lies beside conv where glibc looks first on such a processor
# (data/lib/glibc-hwcaps/x86-64-v3/); any other processor loads the
# system's LAME. The same library, vectorised: multiply-adds are not
# fused and no math is relaxed, so every byte it writes is the system
# LAME's (the conv tests compare them). Sets TOLVIK_FAST_LAME to the
# library's path when it is built.
set(TOLVIK_FAST_LAME "")
# Its place in the program folder, as installed too.
set(TOLVIK_FAST_LAME_FOLDER data/lib/glibc-hwcaps/x86-64-v3)
if(WIN32 OR TOLVIK_SANITIZE OR NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  return()
endif()
set(source ${TOLVIK_CACHE}/linux/lame)
if(NOT EXISTS ${source}/configure)
  message(STATUS "LAME's source not found in ${source}: conv uses the system's LAME alone")
  return()
endif()

include(ExternalProject)
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
set(folder ${TOLVIK_PROGRAM_DIR}/${TOLVIK_FAST_LAME_FOLDER})
set(TOLVIK_FAST_LAME ${folder}/libmp3lame.so.0)
# Debian's hardening, as its own build of LAME has it.
set(flags "-O3 -march=x86-64-v3 -ffp-contract=off -fstack-protector-strong -fcf-protection -D_FORTIFY_SOURCE=2")

# Each build is kept in the cache under what made it (the source's files,
# the flags, the compiler): a new checkout copies it instead of running
# LAME's configure and make again, a minute of every clean build. Whether
# it is there is looked at when building, so a cache emptied meanwhile
# only means LAME is built again.
file(GLOB_RECURSE inputs ${source}/libmp3lame/*.c ${source}/libmp3lame/*.h ${source}/include/*.h)
list(SORT inputs)
list(APPEND inputs ${source}/configure ${source}/debian/changelog)
set(made "${flags}|${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION}")
foreach(input IN LISTS inputs)
  if(EXISTS ${input})
    file(SHA256 ${input} sum)
    string(APPEND made "|${sum}")
  endif()
endforeach()
string(SHA256 key "${made}")
set(kept ${TOLVIK_CACHE}/linux/lame-builds/${key}/libmp3lame.so.0)
set(unlessKept sh ${CMAKE_CURRENT_LIST_DIR}/FastLameStep.sh ${kept})
ExternalProject_Add(fast_lame
  SOURCE_DIR ${source}
  BINARY_DIR ${CMAKE_BINARY_DIR}/fast-lame
  DOWNLOAD_COMMAND ""
  UPDATE_COMMAND ""
  CONFIGURE_COMMAND ${unlessKept} <SOURCE_DIR>/configure --quiet --disable-frontend --disable-gtktest --disable-static
                    --enable-shared --disable-rpath "CFLAGS=${flags}" "LDFLAGS=-Wl,-z,relro -Wl,-z,now"
  BUILD_COMMAND ${unlessKept} make --quiet -j${cores}
  INSTALL_COMMAND ${CMAKE_COMMAND} -DKEPT=${kept} -DBUILT=<BINARY_DIR>/libmp3lame/.libs/libmp3lame.so.0
                  -DTARGET=${TOLVIK_FAST_LAME} -P ${CMAKE_CURRENT_LIST_DIR}/FastLameInstall.cmake
  BUILD_BYPRODUCTS ${TOLVIK_FAST_LAME}
  LOG_CONFIGURE ON
  LOG_BUILD ON
  LOG_OUTPUT_ON_FAILURE ON)
