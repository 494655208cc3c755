# embed_byte_array(OUTPUT_CPP <file.cpp> SYMBOL <name> INPUT <file>)
#
# Adds a build rule that turns INPUT into a C++ source file defining
#
#     alignas(4) extern const unsigned char <name>[] = {...};
#
# holding a byte array value: a 32-bit little-endian dimension count of 1, the 32-bit
# little-endian length of INPUT in bytes, then INPUT's bytes. The rule reruns whenever INPUT
# changes. Add OUTPUT_CPP (relative paths are taken from the current binary directory) to a
# target's sources and declare the symbol as `alignas(4) extern const unsigned char <name>[];`.
#
# Only CMake itself is needed: the conversion runs as this same file in script mode.

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  foreach(var INPUT OUTPUT SYMBOL)
    if(NOT DEFINED ${var})
      message(FATAL_ERROR "EmbedByteArray: ${var} is not set")
    endif()
  endforeach()

  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR length "${digits} / 2")
  if(length GREATER 2147483647)
    message(FATAL_ERROR "EmbedByteArray: ${INPUT} is too large")
  endif()

  set(header "0x01, 0x00, 0x00, 0x00,")
  foreach(shift 0 8 16 24)
    math(EXPR byte "(${length} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x(.)$" "0x0\\1" byte "${byte}")
    string(TOLOWER "${byte}" byte)
    string(APPEND header " ${byte},")
  endforeach()

  # Sixteen bytes a line keeps the generated file readable. CMake's regular expressions have
  # no counted repetition, so the 32 hex digits of a line are spelled out.
  string(REPEAT "[0-9a-f]" 32 line)
  string(REGEX REPLACE "${line}" "\\0\n" bytes "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${bytes}")
  string(REPLACE ", \n" ",\n    " bytes "${bytes}")
  string(REGEX REPLACE "[ \n]+$" "" bytes "${bytes}")

  if(bytes)
    set(bytes "    ${bytes}\n")
  endif()

  get_filename_component(source_name "${INPUT}" NAME)
  file(WRITE "${OUTPUT}"
    "// Made from ${source_name} by EmbedByteArray.cmake at build time; edit the source instead.\n"
    "// Dimension count 1 and length ${length}, both 32-bit little-endian, then the bytes.\n"
    "alignas(4) extern const unsigned char ${SYMBOL}[] = {\n"
    "    ${header}\n"
    "${bytes}"
    "};\n")
  return()
endif()

set_property(GLOBAL PROPERTY EMBED_BYTE_ARRAY_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(embed_byte_array)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT_CPP;SYMBOL;INPUT" "")
  foreach(option OUTPUT_CPP SYMBOL INPUT)
    if(NOT arg_${option})
      message(FATAL_ERROR "embed_byte_array: ${option} is required")
    endif()
  endforeach()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "embed_byte_array: unexpected arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT arg_SYMBOL MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "embed_byte_array: ${arg_SYMBOL} is not a C++ identifier")
  endif()

  get_property(script GLOBAL PROPERTY EMBED_BYTE_ARRAY_SCRIPT)
  get_filename_component(input "${arg_INPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${arg_OUTPUT_CPP}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DINPUT=${input}" "-DOUTPUT=${output}" "-DSYMBOL=${arg_SYMBOL}"
            -P "${script}"
    DEPENDS "${input}" "${script}"
    COMMENT "Embedding ${arg_INPUT} as ${arg_SYMBOL}"
    VERBATIM)
endfunction()
