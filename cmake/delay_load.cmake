# tessaro_delay_loaded_library(NAME): an interface target NAME_delay_loaded that links the system DLL
# NAME.dll so that it is loaded on the first call into it rather than when the program starts.
#
# Why: at start the loader looks for a program's DLLs in the program's own folder first, and a program
# that a user runs from a folder others can write to (the downloads folder) would load a planted DLL
# there, with administrator rights. DLLs that Windows always takes from the system folder (the "known
# DLLs", and comctl32 through the manifest's side-by-side dependency) are safe to link as usual. A
# delay-loaded DLL is looked for on first use, after the program has limited the search to the system
# folder (SetDefaultDllDirectories, its first call).
#
# MinGW: the delay-import library is made with dlltool from the names of the toolchain's import library.
# MSVC: the linker's /DELAYLOAD.
function(tessaro_delay_loaded_library name)
  set(target ${name}_delay_loaded)
  add_library(${target} INTERFACE)
  if(MSVC)
    target_link_libraries(${target} INTERFACE ${name} delayimp)
    target_link_options(${target} INTERFACE /DELAYLOAD:${name}.dll)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE import_library OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${import_library}" OR NOT CMAKE_NM OR NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "cannot make a delay-import library of ${name}.dll: need lib${name}.a "
                        "(found '${import_library}'), nm and dlltool")
  endif()
  execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${CMAKE_NM} cannot read ${import_library}")
  endif()
  # "__imp_Name" (64-bit) or "__imp__Name@N" (32-bit, stdcall): the definition file lists "Name" or
  # "Name@N", and dlltool --kill-at imports the undecorated name in both cases.
  string(REGEX MATCHALL "__imp__?[A-Za-z0-9_@]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE "^__imp__?" "")
  list(REMOVE_DUPLICATES imports)
  list(SORT imports)
  list(JOIN imports "\n  " exports)
  set(definitions ${CMAKE_BINARY_DIR}/delay_loaded/${name}.def)
  set(library ${CMAKE_BINARY_DIR}/delay_loaded/lib${name}_delay_loaded.a)
  file(WRITE ${definitions} "LIBRARY ${name}.dll\nEXPORTS\n  ${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${definitions} --dllname ${name}.dll
                          --output-delaylib ${library}
                  RESULT_VARIABLE failed)
  if(failed OR NOT EXISTS ${library})
    message(FATAL_ERROR "${CMAKE_DLLTOOL} could not make ${library}")
  endif()
  target_link_libraries(${target} INTERFACE ${library} delayimp)
endfunction()
