# Warnings for our own targets: on, and fatal where the project's own scripts and CI build
# (VELMOR_WERROR). A packager's plain build with another compiler version keeps them as
# warnings: a new compiler's false alarm inside the standard library must not stop it.
option(VELMOR_WERROR "Treat warnings of the project's own code as errors" OFF)
function(velmor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion)
    if(VELMOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Numeric code: the order of floating-point operations is part of the results, so no
# contraction of a*b+c into one fused operation.
function(velmor_strict_fp target)
    target_compile_options(${target} PRIVATE -ffp-contract=off)
endfunction()
