# Fails when the version picture was drawn for another version than the
# project's: regenerate it with assets/version/make_version_picture.py.
file(READ "${FILE}" drawn)
string(STRIP "${drawn}" drawn)
if(NOT drawn STREQUAL EXPECTED)
  message(FATAL_ERROR "the version picture shows ${drawn}, the project is ${EXPECTED}")
endif()
