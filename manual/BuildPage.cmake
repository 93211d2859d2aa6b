# cmake -DCMARK=... -DSOURCE=page.md -DTEMPLATE=page-template.html -DOUTPUT=page.html -P BuildPage.cmake
# Turns one Markdown page into a stand-alone HTML page of the manual.
execute_process(COMMAND ${CMARK} --extension table --to html ${SOURCE}
  OUTPUT_VARIABLE body RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmark failed on ${SOURCE}")
endif()
file(STRINGS ${SOURCE} first_line LIMIT_COUNT 1)
string(REGEX REPLACE "^# *" "" PAGE_TITLE "${first_line}")
set(PAGE_BODY "${body}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
