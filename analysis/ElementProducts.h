// Products of an element's 2c x 2c matrices (row-major arrays) with its vectors, each sum formed
// as the general matrix product forms it: from 0, in increasing order of the inner index, so
// that the results are those of the dense products bit for bit.
#pragma once

namespace velmor {

// y = A x for the n x n row-major A.
inline void ElementTimes(const double* A, long n, const double* x, double* y)
{
    for (long i = 0; i < n; ++i) {
        double s = 0.0;
        for (long l = 0; l < n; ++l)
            s += A[i * n + l] * x[l];
        y[i] = s;
    }
}

// y = At x for the n x n row-major A.
inline void ElementTransposedTimes(const double* A, long n, const double* x, double* y)
{
    for (long i = 0; i < n; ++i) {
        double s = 0.0;
        for (long l = 0; l < n; ++l)
            s += A[l * n + i] * x[l];
        y[i] = s;
    }
}

} // namespace velmor
