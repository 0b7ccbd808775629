# The warnings every build of the tree treats as errors: the module, the
# host, the tests and the resource tools alike.
add_compile_options(-Wall -Wextra -Werror)
# GCC 12 warns of overlapping copies inside std::string's own operator+ when
# it inlines a concatenation (GCC bug 105329): a false alarm that moves with
# the inliner's choices. Every other warning stays an error.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options(-Wno-restrict)
endif()
