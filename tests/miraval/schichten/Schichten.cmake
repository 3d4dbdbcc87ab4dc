# The editor's layers, lowest first: a file of miraval/<layer>/ may include its own folder and
# those before it in this list, never one after it. Run as
#   cmake -DMIRAVAL=<source>/miraval -P Schichten.cmake
# and fails naming every include that runs upwards and every folder the list does not place.
set(schichten dienste devinst ui app)

if(NOT IS_DIRECTORY "${MIRAVAL}")
  message(FATAL_ERROR "no editor folder: '${MIRAVAL}'")
endif()

set(fehler "")
file(GLOB ordner LIST_DIRECTORIES true RELATIVE "${MIRAVAL}" "${MIRAVAL}/*")
foreach(name ${ordner})
  if(NOT IS_DIRECTORY "${MIRAVAL}/${name}")
    continue()
  endif()
  list(FIND schichten ${name} eigene)
  if(eigene EQUAL -1)
    string(APPEND fehler "miraval/${name}/: a folder of no layer (add it to the list in Schichten.cmake)\n")
    continue()
  endif()
  file(GLOB_RECURSE dateien RELATIVE "${MIRAVAL}" "${MIRAVAL}/${name}/*.h" "${MIRAVAL}/${name}/*.cpp")
  foreach(datei ${dateien})
    file(STRINGS "${MIRAVAL}/${datei}" zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]miraval/")
    foreach(zeile ${zeilen})
      string(REGEX MATCH "miraval/([A-Za-z_]+)/" _ "${zeile}")
      list(FIND schichten "${CMAKE_MATCH_1}" ziel)
      if(ziel GREATER eigene OR ziel EQUAL -1)
        string(STRIP "${zeile}" zeile)
        string(APPEND fehler "miraval/${datei}: ${zeile} (layer ${name} may use only what lies below it)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(fehler)
  message(FATAL_ERROR "Includes against the editor's layers (${schichten}, lowest first):\n${fehler}")
endif()
message(STATUS "layers hold: ${schichten}")
