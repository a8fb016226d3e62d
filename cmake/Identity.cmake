# The program's name, version, description, id and contact are set once, in
# the top CMakeLists.txt: project() and the two settings beside it. Everything
# else that shows them is generated from the variables below.
#
#   PROJECT_NAME                   Quorvela
#   PROJECT_DESCRIPTION            the description every record carries
#   QUORVELA_VERSION_TEXT          the version as the program and its records
#                                  show it (project()'s VERSION, zeros kept)
#   QUORVELA_VERSION_NUMBERS       the same as the four numbers of a Windows
#                                  fixed version record: major,minor,0,revision
#   QUORVELA_APP_ID                reverse-DNS id of the desktop entry, the
#                                  AppStream component and the icon
#   QUORVELA_ORGANIZATION_DOMAIN   the domain that id is made from
#   QUORVELA_CONTACT_ADDRESS       the address shown for contact
#
# Target quorvela_version: the generated header "quorvela/version.h", plain
# C++ (no toolkit), with the same values for the program's code.

# Policy CMP0096 (CMake 3.16 and later) keeps project()'s leading zeros.
set(QUORVELA_VERSION_TEXT "${PROJECT_VERSION}")

# major.minor.revision becomes major,minor,0,revision; math() reads "0001"
# as the decimal 1.
math(EXPR _major "${PROJECT_VERSION_MAJOR}")
math(EXPR _minor "${PROJECT_VERSION_MINOR}")
math(EXPR _revision "${PROJECT_VERSION_PATCH}")
set(QUORVELA_VERSION_NUMBERS "${_major},${_minor},0,${_revision}")
unset(_major)
unset(_minor)
unset(_revision)

# The id is the domain reversed with the name added: org.example.App for
# example.org.
string(REPLACE "." ";" _labels "${QUORVELA_APP_ID}")
list(POP_BACK _labels)
list(REVERSE _labels)
list(JOIN _labels "." QUORVELA_ORGANIZATION_DOMAIN)
unset(_labels)

configure_file("${CMAKE_CURRENT_LIST_DIR}/version.h.in"
    "${PROJECT_BINARY_DIR}/generated/quorvela/version.h" @ONLY)
add_library(quorvela_version INTERFACE)
add_library(Quorvela::version ALIAS quorvela_version)
target_include_directories(quorvela_version INTERFACE "${PROJECT_BINARY_DIR}/generated")
