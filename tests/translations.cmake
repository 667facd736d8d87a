# Every text the program shows has its translation: each .ts file brought up to date with the
# sources (on a copy) holds no unfinished message.
if(MARLOCK_GUI AND MARLOCK_LUPDATE)
  add_test(NAME translations_complete
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=${MARLOCK_LUPDATE} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            "-DDIRS=${MARLOCK_TRANSLATED_DIRS}" -DWORK=${CMAKE_CURRENT_BINARY_DIR}/l10n
            -P ${CMAKE_CURRENT_SOURCE_DIR}/l10n/complete.cmake)
endif()
