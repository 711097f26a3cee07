# Fails when code under SOURCE_DIR waits inside a handler: a nested event loop
# (QEventLoop, processEvents), an application-wide event filter that swallows
# input, or a wait that drops input. Every pause of the game is a timer event
# and every search a worker whose answer is posted back. Modal boxes (exec()
# of a dialog) are the toolkit's own and stay. Run with cmake -DSOURCE_DIR=... -P.
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources in ${SOURCE_DIR}")
endif()
set(patterns "QEventLoop" "processEvents" "ExcludeUserInputEvents" "qApp->installEventFilter"
             "QCoreApplication::instance()->installEventFilter" "QApplication::instance()->installEventFilter")
set(found 0)
foreach(source IN LISTS sources)
  file(READ "${source}" text)
  foreach(pattern IN LISTS patterns)
    string(FIND "${text}" "${pattern}" at)
    if(NOT at EQUAL -1)
      file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
      message(SEND_ERROR "${shown} uses ${pattern}")
      math(EXPR found "${found} + 1")
    endif()
  endforeach()
endforeach()
if(found EQUAL 0)
  message(STATUS "${count} files, no loop or filter that waits")
endif()
