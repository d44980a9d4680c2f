# Installs the build under PREFIX, checks the layout, runs the installed programs on the
# installed demo record and asks the file manager's type database what a record is.
# check(MESSAGE CONDITION...): fails the test with the message unless the condition holds.
function(check message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})
check("cmake --install failed: ${err}" status EQUAL 0)

set(data ${PREFIX}/share/zarva)
set(demo ${data}/samples/demo-110kv-ag-fault.cfg)
foreach(file bin/zarva-cli share/zarva/strings/en.txt share/zarva/samples/demo-110kv-ag-fault.dat)
  check("not installed: ${file}" EXISTS ${PREFIX}/${file})
endforeach()
file(GLOB bases ${data}/charbases/*.zrb)
check("no characteristic bases in ${data}/charbases" bases)

run(${PREFIX}/bin/zarva-cli info ${demo})
check("the installed zarva-cli cannot read the installed demo record: ${err}" status EQUAL 0)

if(NOT WITH_GUI)
  return()
endif()
foreach(file bin/zarva share/applications/zarva.desktop share/icons/hicolor/scalable/apps/zarva.svg
             share/mime/packages/zarva.xml)
  check("not installed: ${file}" EXISTS ${PREFIX}/${file})
endforeach()

# The English table is read from the installed data; without it the program says so.
set(shot ${PREFIX}/shot.png)
run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${PREFIX}/config
    ${PREFIX}/bin/zarva --screenshot ${shot} --size 800x500 --lang en ${demo})
check("the installed zarva failed on the demo record: ${err}" status EQUAL 0)
check("the installed zarva did not find its data: ${err}" NOT err MATCHES "string table")
check("no picture from the installed zarva" EXISTS ${shot})

# A COMTRADE configuration is told by its content; a settings file named ".cfg" is not one.
find_program(UPDATE_MIME update-mime-database)
find_program(GIO gio)
if(NOT UPDATE_MIME OR NOT GIO)
  message(STATUS "update-mime-database or gio missing: the record types are not checked")
  return()
endif()
run(${UPDATE_MIME} ${PREFIX}/share/mime)
check("update-mime-database refused the record types: ${err}" status EQUAL 0)
set(samples ${PREFIX}/types)
file(MAKE_DIRECTORY ${samples})
file(WRITE ${samples}/settings.cfg "[section]\nkey=value\n")
file(COPY_FILE ${demo} ${samples}/demo.cfg)
file(GLOB_RECURSE corpus_cfgs ${CORPUS}/*.cfg ${CORPUS}/*.CFG)
set(index 0)
foreach(record IN LISTS corpus_cfgs)
  math(EXPR index "${index} + 1")
  file(COPY_FILE ${record} ${samples}/corpus${index}.cfg)
endforeach()
file(GLOB copies ${samples}/*.cfg)
foreach(copy IN LISTS copies)
  run(${CMAKE_COMMAND} -E env XDG_DATA_HOME=${PREFIX}/none XDG_DATA_DIRS=${PREFIX}/share:/usr/share
      ${GIO} info -a standard::content-type ${copy})
  get_filename_component(name ${copy} NAME)
  if(name STREQUAL "settings.cfg")
    check("a settings file taken for a record: ${out}" NOT out MATCHES "comtrade")
  else()
    check("${name} not taken for a record: ${out}" out MATCHES "application/x-comtrade-configuration")
  endif()
endforeach()
