#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace zarva::sim {

using Complex = std::complex<double>;

// A dense square or rectangular complex matrix, row by row.
class ComplexMatrix {
public:
    ComplexMatrix() = default;
    ComplexMatrix(std::size_t rows, std::size_t columns) : rows_(rows), columns_(columns), values_(rows * columns) {}
    static ComplexMatrix Identity(std::size_t size);

    std::size_t Rows() const { return rows_; }
    std::size_t Columns() const { return columns_; }
    Complex& operator()(std::size_t row, std::size_t column) { return values_[row * columns_ + column]; }
    Complex operator()(std::size_t row, std::size_t column) const { return values_[row * columns_ + column]; }

    ComplexMatrix operator*(const ComplexMatrix& other) const;
    ComplexMatrix operator+(const ComplexMatrix& other) const;
    ComplexMatrix operator-(const ComplexMatrix& other) const;
    ComplexMatrix operator*(Complex factor) const;
    std::vector<Complex> operator*(const std::vector<Complex>& vector) const;

    // The block of `rows` x `columns` starting at (row, column); and writing one in.
    ComplexMatrix Block(std::size_t row, std::size_t column, std::size_t rows, std::size_t columns) const;
    void SetBlock(std::size_t row, std::size_t column, const ComplexMatrix& block);

    // Largest row sum of moduli.
    double Norm() const;

private:
    std::size_t rows_ = 0;
    std::size_t columns_ = 0;
    std::vector<Complex> values_;
};

// x with a x = b, by elimination with partial pivoting; b may hold several columns.
ComplexMatrix Solve(ComplexMatrix a, ComplexMatrix b);
ComplexMatrix Inverse(const ComplexMatrix& a);

// e^a by scaling and squaring of its Taylor series, accurate to rounding.
ComplexMatrix Exponential(const ComplexMatrix& a);

} // namespace zarva::sim
