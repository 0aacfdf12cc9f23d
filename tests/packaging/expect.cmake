# Collects what a packaging check found wrong, so that one run reports every failure at once:
# expect("what should hold" <condition>) adds the text to `failures` when the condition is false.
set(failures "")
macro(expect condition_text)
  if(NOT (${ARGN}))
    list(APPEND failures "${condition_text}")
  endif()
endmacro()
