# The compiler policy every target of the project links: the language level, the warnings, and
# the Qt definitions that keep string conversions explicit.
add_library(corvalen_policy INTERFACE)
target_compile_features(corvalen_policy INTERFACE cxx_std_20)
target_compile_options(corvalen_policy INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow>)
target_compile_definitions(corvalen_policy INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING)
