# Builds that check the libraries below the GUI rather than ship the program.
#
# ZEP_LOWER_ONLY  only base, sql, store, planning, geo and the fuzz targets (replaying their
#                 seed corpora as unit tests); the top-level CMakeLists stops after them.
# ZEP_SANITIZE    AddressSanitizer and UndefinedBehaviorSanitizer on everything, stopping at
#                 the first finding.
# ZEP_FUZZ        the fuzz targets as libFuzzer programs (clang only); implies both above.

option(ZEP_LOWER_ONLY "Build only the libraries below the GUI, their tests and fuzz replays" OFF)
option(ZEP_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZEP_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)

if(ZEP_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZEP_FUZZ needs clang (libFuzzer): configure with CMAKE_CXX_COMPILER=clang++-14")
  endif()
  set(ZEP_LOWER_ONLY ON)
  set(ZEP_SANITIZE ON)
  # Coverage feedback from every library; the fuzz targets themselves link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(ZEP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
