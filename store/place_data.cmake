# Puts data/bridge.ysn in the program folder from the template, only when there is none:
# a user's ledger is never overwritten by a build.
if(NOT EXISTS "${DATA}")
  get_filename_component(dir "${DATA}" DIRECTORY)
  file(MAKE_DIRECTORY "${dir}")
  file(COPY_FILE "${TEMPLATE}" "${DATA}")
endif()
