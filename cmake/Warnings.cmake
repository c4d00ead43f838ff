# Warnings for our own targets: on, and fatal.
function(velmor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion -Werror)
endfunction()

# Numeric code: the order of floating-point operations is part of the results, so no
# contraction of a*b+c into one fused operation.
function(velmor_strict_fp target)
    target_compile_options(${target} PRIVATE -ffp-contract=off)
endfunction()
