# Makes a delay-load import library for one DLL out of MinGW's import library of it: the same
# functions, each loading the DLL at its first call.
# Arguments: NM, DLLTOOL, IMPORT_LIBRARY, DLL (its file name), OUT, DECORATED (i686: a leading
# underscore and stdcall's "@n" on the symbols, which the DLL's export names lack).
execute_process(COMMAND ${NM} -g ${IMPORT_LIBRARY} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " T [^\n]+" functions "${symbols}")
list(TRANSFORM functions REPLACE "^ T " "")
set(kill_at)
if(DECORATED)
  list(TRANSFORM functions REPLACE "^_" "")
  set(kill_at --kill-at)
endif()
list(JOIN functions "\n" exports)
get_filename_component(out_dir ${OUT} DIRECTORY)
set(def ${out_dir}/${DLL}.def)
file(WRITE ${def} "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} ${kill_at} --input-def ${def} --output-delaylib ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
