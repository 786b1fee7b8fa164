cmake_minimum_required(VERSION 3.21)
# Run once Sorvane.exe is linked (cmake -DOBJDUMP=... -DPROGRAM=... -P CheckImports.cmake).
# A library the program names at load time is loaded before it can narrow the search, from its
# own folder first unless Windows always takes it from the system folder (or, for the common
# controls, from the side-by-side store the manifest names). A copy unpacked into Downloads
# must not load a file planted beside it, so only such libraries may be linked; any other is
# loaded at run time through LoadSystemLibrary.
set(allowed advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
            oleaut32.dll shell32.dll shlwapi.dll user32.dll)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "Could not read the imports of ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
foreach(entry IN LISTS names)
  string(REGEX REPLACE "^DLL Name: " "" library "${entry}")
  string(STRIP "${library}" library)
  string(TOLOWER "${library}" library)
  if(NOT library IN_LIST allowed)
    message(FATAL_ERROR "${PROGRAM} links ${library}, which Windows may load from the program's "
                        "folder: load it with LoadSystemLibrary instead")
  endif()
endforeach()
