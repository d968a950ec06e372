# Copies the program's files into the installation source folder DATA_DIR: FILES and PICTURES beside
# each other, the folder MANUAL (if any) as "Handbuch". Files that do not exist are left out.
file(MAKE_DIRECTORY "${DATA_DIR}")
foreach(item IN LISTS FILES PICTURES)
    if(item AND EXISTS "${item}" AND NOT IS_DIRECTORY "${item}")
        file(COPY "${item}" DESTINATION "${DATA_DIR}")
    endif()
endforeach()
file(REMOVE_RECURSE "${DATA_DIR}/Handbuch")
if(MANUAL AND IS_DIRECTORY "${MANUAL}")
    file(COPY "${MANUAL}/" DESTINATION "${DATA_DIR}/Handbuch")
endif()
