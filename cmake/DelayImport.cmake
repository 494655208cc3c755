# add_delay_import(<target> DLL <name.dll> LIBRARY <import library name>)
# add_delay_import(<target> DLL <name.dll> FUNCTIONS <name>...)
#
# Defines the INTERFACE target <target>, through which a system DLL is delay-loaded: its
# functions are bound at their first call, by the delay-load helper, instead of by the
# loader at process start. Whoever links the DLL this way decides where it is loaded from
# (see the run time's library hooks).
#
# MSVC does this with /DELAYLOAD. For mingw, a delay-import library is made at configure
# time with dlltool, from the names the toolchain's own import library exports, or from the
# FUNCTIONS given (undecorated C names; 32-bit stdcall names need their @n).

function(add_delay_import target)
  cmake_parse_arguments(ARG "" "DLL;LIBRARY" "FUNCTIONS" ${ARGN})
  add_library(${target} INTERFACE)

  if(MSVC)
    target_link_libraries(${target} INTERFACE ${ARG_LIBRARY} delayimp)
    target_link_options(${target} INTERFACE /DELAYLOAD:${ARG_DLL})
    return()
  endif()

  # --kill-at: the DLL exports stdcall names without their @n.
  set(dlltool_flags "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(dlltool_flags --kill-at)
  endif()
  if(ARG_FUNCTIONS)
    list(JOIN ARG_FUNCTIONS "\n" exports)
    string(APPEND exports "\n")
  else()
    find_library(import_library_${target} NAMES ${ARG_LIBRARY} REQUIRED NO_CACHE)
    set(import_library "${import_library_${target}}")
    execute_process(COMMAND "${CMAKE_NM}" -g --defined-only "${import_library}"
                    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)

    # 32-bit names carry the C underscore; the rest (@n of stdcall) stays.
    set(decoration "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(decoration "_")
    endif()

    set(exports "")
    string(REPLACE "\n" ";" lines "${symbols}")
    foreach(line IN LISTS lines)
      if(line MATCHES "^[0-9A-Fa-f]+ T ${decoration}([A-Za-z][A-Za-z0-9_@]*)$")
        string(APPEND exports "${CMAKE_MATCH_1}\n")
      endif()
    endforeach()
    if(exports STREQUAL "")
      message(FATAL_ERROR "add_delay_import: no functions found in ${import_library}")
    endif()
  endif()

  set(def "${CMAKE_CURRENT_BINARY_DIR}/${target}.def")
  set(library "${CMAKE_CURRENT_BINARY_DIR}/lib${target}.a")
  file(WRITE "${def}" "LIBRARY ${ARG_DLL}\nEXPORTS\n${exports}")
  execute_process(COMMAND "${CMAKE_DLLTOOL}" ${dlltool_flags} --input-def "${def}"
                          --output-delaylib "${library}" --dllname ${ARG_DLL}
                  COMMAND_ERROR_IS_FATAL ANY)
  target_link_libraries(${target} INTERFACE "${library}")
endfunction()
