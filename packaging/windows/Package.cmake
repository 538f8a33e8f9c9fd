# Packs the Windows download (cmake -P). Variables: EXE (Nubiro.exe),
# OBJDUMP and STRIP (the cross binutils' tools), SOURCE (this folder), STAGE (a
# scratch folder), NAME (the folder inside the zip), ZIP (the file to write).
cmake_minimum_required(VERSION 3.24)

# DLLs that every supported Windows has; anything else would have to ship.
set(system_dlls
  advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll
  shell32.dll user32.dll winhttp.dll ws2_32.dll)

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    message(FATAL_ERROR "Nubiro.exe needs ${dll}, which Windows does not have: link it statically")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}/${NAME}/LICENSES")
execute_process(COMMAND "${STRIP}" -o "${STAGE}/${NAME}/Nubiro.exe" "${EXE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot strip ${EXE}")
endif()
# Texts with Windows line ends; the README, which holds Russian captions,
# starts with a byte order mark so that older editors read it as UTF-8.
string(ASCII 239 187 191 utf8_bom)
file(GLOB notices RELATIVE "${SOURCE}" "${SOURCE}/LICENSES/*.txt")
foreach(text IN ITEMS README.txt ${notices})
  file(READ "${SOURCE}/${text}" content)
  string(REPLACE "\n" "\r\n" content "${content}")
  if(text STREQUAL "README.txt")
    string(PREPEND content "${utf8_bom}")
  endif()
  file(WRITE "${STAGE}/${NAME}/${text}" "${content}")
endforeach()
get_filename_component(zip_folder "${ZIP}" DIRECTORY)
file(MAKE_DIRECTORY "${zip_folder}")
file(REMOVE "${ZIP}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip "${NAME}"
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot write ${ZIP}")
endif()
