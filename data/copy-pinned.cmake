# Copies SOURCE to TARGET when its SHA-256 is SHA256, and fails otherwise.
file(SHA256 ${SOURCE} actual)
if(NOT actual STREQUAL SHA256)
  message(FATAL_ERROR "checksum mismatch for ${SOURCE}: its SHA-256 is ${actual}, expected ${SHA256}")
endif()
get_filename_component(folder ${TARGET} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${SOURCE} ${TARGET})
