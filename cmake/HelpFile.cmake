# Sorvane.chm, the compiled help file beside the program: the pages in help/ and the context
# map written from src/core/app/HelpTopics.def, the same list the windows take their numbers
# from.
set(SORVANE_HELP_FILE "${CMAKE_BINARY_DIR}/Sorvane.chm")

# Debian names the help tools after the compiler suite's version as well.
function(find_help_tool variable name)
  find_program(${variable} NAMES ${name})
  if(NOT ${variable})
    file(GLOB versions /usr/bin/${name}-*)
    list(SORT versions)
    list(POP_BACK versions found)
    set(${variable} "${found}" CACHE FILEPATH "" FORCE)
  endif()
endfunction()
find_help_tool(SORVANE_CHMCMD chmcmd)
if(NOT SORVANE_CHMCMD)
  if(CMAKE_HOST_WIN32)
    # A build on Windows itself may go without the help file: Help then says it is missing.
    message(WARNING "chmcmd (Free Pascal) was not found: Sorvane.chm is not built")
    return()
  endif()
  message(FATAL_ERROR "chmcmd, the help compiler, is missing: run scripts/deps.sh")
endif()

set(help_source "${CMAKE_SOURCE_DIR}/help")
set(help_build "${CMAKE_BINARY_DIR}/help")
set(topic_list "${CMAKE_SOURCE_DIR}/src/core/app/HelpTopics.def")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${topic_list}")

file(GLOB help_pages CONFIGURE_DEPENDS RELATIVE "${help_source}"
     "${help_source}/*.htm" "${help_source}/*.css" "${help_source}/*.png")
list(SORT help_pages)

# The help compiler lets a page carry one context number only, so each number opens a page of
# its own that forwards to its topic (and to the place on it).
set(alias "")
set(map "")
set(context_pages "")
set(context_page_files "")
file(STRINGS "${topic_list}" topic_lines REGEX "^SORVANE_HELP_TOPIC\\(")
foreach(line ${topic_lines})
  if(NOT line MATCHES "^SORVANE_HELP_TOPIC\\(k([A-Za-z0-9]+), *([0-9]+), *\"([^\"]+)\"\\)$")
    message(FATAL_ERROR "HelpTopics.def: cannot read \"${line}\"")
  endif()
  string(TOUPPER "IDH_${CMAKE_MATCH_1}" symbol)
  set(number ${CMAKE_MATCH_2})
  set(target ${CMAKE_MATCH_3})
  set(page "context_${number}.htm")
  string(APPEND alias "${symbol}=${page}\n")
  string(APPEND map "#define ${symbol} ${number}\n")
  list(APPEND context_pages ${page})
  list(APPEND context_page_files "${help_build}/${page}")
  file(WRITE "${help_build}/${page}.new"
"<html><head><meta http-equiv=\"refresh\" content=\"0; url=${target}\"></head>
<body><a href=\"${target}\">Sorvane Help</a></body></html>
")
  configure_file("${help_build}/${page}.new" "${help_build}/${page}" COPYONLY)
endforeach()

string(JOIN "\n" files ${help_pages} ${context_pages})
set(index_line "")
if(EXISTS "${help_source}/Sorvane.hhk")
  set(index_line "Index file=Sorvane.hhk\n")
endif()
file(WRITE "${help_build}/Sorvane.hhp.new"
"[OPTIONS]
Compatibility=1.1 or later
Compiled file=Sorvane.chm
Contents file=Sorvane.hhc
${index_line}Default topic=index.htm
Default Window=main
Display compile progress=No
Full-text search=Yes
Language=0x409 English (United States)
Title=Sorvane Help

[WINDOWS]
main=\"Sorvane Help\",\"Sorvane.hhc\",\"Sorvane.hhk\",\"index.htm\",\"index.htm\",,,,,0x63520,,0x387e,,,,,,,,0

[FILES]
${files}

[ALIAS]
${alias}
[MAP]
${map}")
configure_file("${help_build}/Sorvane.hhp.new" "${help_build}/Sorvane.hhp" COPYONLY)

set(help_inputs "")
set(copy_commands "")
foreach(file ${help_pages} Sorvane.hhc Sorvane.hhk)
  if(EXISTS "${help_source}/${file}")
    list(APPEND help_inputs "${help_source}/${file}")
    list(APPEND copy_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different
         "${help_source}/${file}" "${help_build}/${file}")
  endif()
endforeach()

add_custom_command(
  OUTPUT "${SORVANE_HELP_FILE}"
  ${copy_commands}
  COMMAND "${SORVANE_CHMCMD}" Sorvane.hhp
  COMMAND ${CMAKE_COMMAND} -E copy Sorvane.chm "${SORVANE_HELP_FILE}"
  DEPENDS ${help_inputs} "${help_build}/Sorvane.hhp"
          ${context_page_files}
  WORKING_DIRECTORY "${help_build}"
  COMMENT "Compiling the help file"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS "${SORVANE_HELP_FILE}")
