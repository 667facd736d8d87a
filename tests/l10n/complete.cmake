# cmake -DLUPDATE=... -DSOURCE_DIR=... -DDIRS=a;b -DWORK=... -P complete.cmake
# Brings a copy of each translation up to date with the sources and fails, naming them, when
# texts have no translation yet.
file(GLOB ts_files ${SOURCE_DIR}/app/translations/*.ts)
if(NOT ts_files)
  message(FATAL_ERROR "no translations under ${SOURCE_DIR}/app/translations")
endif()
file(MAKE_DIRECTORY ${WORK})
set(untranslated "")
foreach(ts ${ts_files})
  get_filename_component(name ${ts} NAME)
  configure_file(${ts} ${WORK}/${name} COPYONLY)
  execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete -extensions cpp,h -I .
      ${DIRS} -ts ${WORK}/${name}
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  file(READ ${WORK}/${name} text)
  # A ';' would split the list of messages.
  string(REPLACE ";" "," text "${text}")
  string(REGEX MATCHALL "<source>[^<]*</source>[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*<translation type=\"unfinished\""
    messages "${text}")
  foreach(message ${messages})
    string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" source "${message}")
    string(APPEND untranslated "\n  ${name}: ${source}")
  endforeach()
endforeach()
if(untranslated)
  message(FATAL_ERROR "Texts without a translation (translate them in app/translations, e.g. "
    "after cmake --build BUILD --target marlock_lupdate):${untranslated}")
endif()
message(STATUS "Every text has its translation.")
