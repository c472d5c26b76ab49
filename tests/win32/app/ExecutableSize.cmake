# Fails when the program is not smaller than the limit: it carries every
# picture at every display scale, and a disc's start program stays small.
#   cmake -DFILE=datavind.exe -DLIMIT=bytes -P ExecutableSize.cmake
file(SIZE "${FILE}" size)
message(STATUS "${FILE}: ${size} bytes (limit ${LIMIT})")
if(NOT size LESS LIMIT)
  message(FATAL_ERROR "the program is ${size} bytes, not under ${LIMIT}")
endif()
