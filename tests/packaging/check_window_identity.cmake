# Starts the built program on a virtual display and reads the class of its main window, which
# desktops that match windows by class (on X11) find as the desktop entry's StartupWMClass.
# Without it, the running program is a stranger beside its own menu entry: another icon and
# name in the task bar, and it cannot be pinned. (Wayland desktops match by the desktop entry's
# id, which the program sets itself; the start-up test of the window checks that one.)
# Usage: cmake -DDESKTOP_FILE=... -DPROGRAM=... -DWORK_DIR=... -P check_window_identity.cmake

# The virtual display is part of the build's packages, so a missing tool is a failure, not a skip.
find_program(XVFB_RUN xvfb-run)
find_program(XDOTOOL xdotool)
find_program(XPROP xprop)
if(NOT XVFB_RUN OR NOT XDOTOOL OR NOT XPROP)
  message(FATAL_ERROR "xvfb-run, xdotool or xprop is missing: run scripts/setup")
endif()

file(STRINGS "${DESKTOP_FILE}" wm_class_line REGEX "^StartupWMClass=")
string(REPLACE "StartupWMClass=" "" startup_wm_class "${wm_class_line}")
if(startup_wm_class STREQUAL "")
  message(FATAL_ERROR "The desktop entry has no StartupWMClass")
endif()

# Runs on the virtual display: start the program, wait for its main window, read its properties.
set(probe [=[
  "$1" & pid=$!
  id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --all --pid "$pid" --name "^Quirewright" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
  done
  status=1
  if [ -n "$id" ]; then
    xprop -id "$id" WM_CLASS
    status=$?
  else
    echo "the window did not appear" >&2
  fi
  kill "$pid"
  wait "$pid" 2>/dev/null
  exit $status
]=])
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# The program's settings go to a folder of the test's own, never to the user's.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=${WORK_DIR}
          ${XVFB_RUN} -a -s "-screen 0 1280x900x24" bash -c "${probe}" probe "${PROGRAM}"
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
message(STATUS "Window properties:\n${output}${errors}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The program's window could not be read (${result})")
endif()

# WM_CLASS is the instance name, then the class.
if(NOT output MATCHES "WM_CLASS\\(STRING\\) = \"[^\"]*\", \"${startup_wm_class}\"\n")
  message(FATAL_ERROR "The window's class is not \"${startup_wm_class}\", the desktop entry's StartupWMClass")
endif()
