# velmo_embed_bytes(<variable> <file>): sets <variable> to the file's bytes as a C array
# initializer ("0x41,0x42,"), and re-runs CMake when the file changes, so a committed
# text can travel inside a library without a resource system.
function(velmo_embed_bytes variable file)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} _hex HEX)
  string(REGEX REPLACE "(..)" "0x\\1," _bytes "${_hex}")
  set(${variable} "${_bytes}" PARENT_SCOPE)
endfunction()
