// Cholesky factorisation of a sparse symmetric positive definite matrix (CHOLMOD, supernodal,
// with its own fill-reducing ordering; the dense kernels run on the system's BLAS).
//
// The matrix is given by its upper triangle in compressed columns, 0-based, rows sorted within
// each column. The class owns the library's workspace and the factor and frees both; it
// reports what went wrong as a result, never by an exception, and prints nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct cholmod_sparse_struct;

namespace velmor {

// Fill-reducing ordering of a sparse factorisation.
enum class SparseOrdering : int {
    Automatic = 0,        // the library's own choice (minimum degree, nested dissection if better)
    MinimumDegree = 1,    // approximate minimum degree
    GraphPartition = 2,   // graph partitioning of the whole matrix
    NestedDissection = 3, // nested dissection with constrained minimum degree on the parts
};

class SparseCholesky
{
public:
    enum class Result : int {
        Ok = 0,
        NotPositiveDefinite, // a pivot was not positive
        SmallPivot,          // a pivot fell below the relative or the absolute threshold
        OutOfMemory,         // the library could not allocate what it needed
        Failed,              // any other failure of the library
        NotFactored,         // Solve without a successful Factor
    };

    SparseCholesky();
    ~SparseCholesky();
    SparseCholesky(const SparseCholesky&) = delete;
    SparseCholesky& operator=(const SparseCholesky&) = delete;

    // Factors the n x n matrix whose upper triangle is (colStart[n + 1], rows, values). The
    // factor is refused (SmallPivot) when a squared pivot of L is not above `absolutePivot`, or
    // is below `relativePivot` times its diagonal entry of the matrix: the test the band solver
    // makes, in the factor's own order.
    // With `blockSize` above 1 (n a multiple of it), the equations come in blocks of that many
    // (a node's degrees of freedom): a chosen ordering (not Automatic) is then found on the
    // graph of the blocks and keeps each block's equations together, in their order, which
    // takes a fraction of the time of ordering every equation.
    Result Factor(long n, const std::vector<std::int64_t>& colStart,
                  const std::vector<std::int64_t>& rows, const std::vector<double>& values,
                  SparseOrdering ordering, double relativePivot, double absolutePivot,
                  long blockSize = 1);
    // x = A^-1 b; b and x hold n values each and may be the same array.
    Result Solve(const double* b, double* x);

    // After Factor: the smallest squared pivot divided by its diagonal entry (0 when a pivot
    // was not positive), and the library's estimate of the reciprocal condition number.
    double MinPivotRatio() const { return m_minPivotRatio; }
    double ReciprocalCondition() const { return m_rcond; }
    // Entries of the factor L, and the floating-point operations that computed it.
    double FactorEntries() const { return m_factorEntries; }
    double FactorFlops() const { return m_flops; }
    // Which ordering the factor used (SparseOrdering::Automatic when unknown). A library built
    // without graph partitioning falls back to minimum degree for those orderings.
    SparseOrdering OrderingUsed() const { return m_orderingUsed; }
    // Seconds the last Factor spent finding the ordering and the factor's structure, before
    // computing it.
    double OrderingSeconds() const { return m_orderingSeconds; }

private:
    struct Impl;
    // Factors A after its analysis and makes the pivot test (the rest of Factor).
    Result Finish(::cholmod_sparse_struct& A, const std::vector<std::int64_t>& colStart,
                  const std::vector<std::int64_t>& rows, const std::vector<double>& values,
                  double relativePivot, double absolutePivot);
    std::unique_ptr<Impl> m_impl;
    double m_minPivotRatio = 0.0;
    double m_rcond = 0.0;
    double m_factorEntries = 0.0;
    double m_flops = 0.0;
    double m_orderingSeconds = 0.0;
    SparseOrdering m_orderingUsed = SparseOrdering::Automatic;
};

} // namespace velmor
