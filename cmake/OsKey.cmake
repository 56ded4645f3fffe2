# The key byte of the person file: every clear byte of a line is combined with it by exclusive-or.
# It must be the key the main system's reader applies, so it is set when the project is
# configured, e.g. -DNOLT_OS_KEY=0x2A (hexadecimal with 0x, or decimal 0 to 255).
#
# nolt_configure_os_key(<header>) writes <header> with the one constant kOsKey.

set(NOLT_OS_KEY "0x1F" CACHE STRING "Key byte of the person file (0x00 to 0xFF)")

function(nolt_configure_os_key header)
  if(NOT NOLT_OS_KEY MATCHES "^(0[xX][0-9a-fA-F]+|[0-9]+)$")
    message(FATAL_ERROR "NOLT_OS_KEY '${NOLT_OS_KEY}' is not a number: give 0x00 to 0xFF or 0 to 255")
  endif()
  math(EXPR key "${NOLT_OS_KEY}")
  if(key LESS 0 OR key GREATER 255)
    message(FATAL_ERROR "NOLT_OS_KEY '${NOLT_OS_KEY}' does not fit in one byte (0x00 to 0xFF)")
  endif()

  # A reader that splits the file at line ends finds whole lines only if no clear byte a line can
  # hold (a tab or a character from 0x20 up) scrambles into a carriage return or a line feed.
  foreach(lineEnd 10 13)
    math(EXPR clear "${key} ^ ${lineEnd}")
    if(clear EQUAL 9 OR clear GREATER_EQUAL 32)
      math(EXPR clearHex "${clear}" OUTPUT_FORMAT HEXADECIMAL)
      math(EXPR lineEndHex "${lineEnd}" OUTPUT_FORMAT HEXADECIMAL)
      message(WARNING "NOLT_OS_KEY ${NOLT_OS_KEY} scrambles the byte ${clearHex} into ${lineEndHex}: "
                      "a reader that splits the person file at line ends may cut a line apart. "
                      "Keys below 0x20 other than 0x03 and 0x04 do not.")
    endif()
  endforeach()

  math(EXPR NOLT_OS_KEY_HEX "${key}" OUTPUT_FORMAT HEXADECIMAL)
  file(CONFIGURE OUTPUT ${header} @ONLY CONTENT [=[
#pragma once

// Generated when the project is configured, from the cache variable NOLT_OS_KEY.
// The byte every clear byte of a person file line is combined with by exclusive-or.
inline constexpr unsigned char kOsKey = @NOLT_OS_KEY_HEX@;
]=])
endfunction()
