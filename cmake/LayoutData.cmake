# Lays out the program's data folder. A database already there is never
# touched: it holds the club's records.
file(MAKE_DIRECTORY ${DATA_DIR} ${DATA_DIR}/upgrade ${DATA_DIR}/script ${DATA_DIR}/script/spusteno
     ${DATA_DIR}/zaloha ${DATA_DIR}/report ${DATA_DIR}/fotky ${DATA_DIR}/locale ${DATA_DIR}/skin ${DATA_DIR}/import)
file(COPY_FILE ${SCHEMA_DB} ${DATA_DIR}/upgrade/oddil.fdb ONLY_IF_DIFFERENT)
# The procedures script is made beside the empty database.
if(NOT PROC_SQL)
  get_filename_component(PROC_SQL ${SCHEMA_DB} DIRECTORY)
  set(PROC_SQL ${PROC_SQL}/proc.sql)
endif()
file(COPY_FILE ${PROC_SQL} ${DATA_DIR}/upgrade/proc.sql ONLY_IF_DIFFERENT)
if(NOT EXISTS ${DATA_DIR}/oddil.FDB)
  file(COPY_FILE ${SCHEMA_DB} ${DATA_DIR}/oddil.FDB)
  message(STATUS "A fresh database: ${DATA_DIR}/oddil.FDB")
endif()
# The program's report templates. The club's own templates have names of
# their own and are never touched.
file(GLOB ZUNO_REPORT_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/../data/report/*.zrs)
foreach(template ${ZUNO_REPORT_TEMPLATES})
  get_filename_component(name ${template} NAME)
  file(COPY_FILE ${template} ${DATA_DIR}/report/${name} ONLY_IF_DIFFERENT)
endforeach()
# The default member photo; a club's own photos have other names.
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/../data/fotky/unknown.jpg ${DATA_DIR}/fotky/unknown.jpg ONLY_IF_DIFFERENT)
# The sample workbook for the members' import.
file(COPY_FILE ${CMAKE_CURRENT_LIST_DIR}/../data/import/clenove.xlsx ${DATA_DIR}/import/clenove.xlsx ONLY_IF_DIFFERENT)
