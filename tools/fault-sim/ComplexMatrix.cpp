#include "ComplexMatrix.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace zarva::sim {

ComplexMatrix ComplexMatrix::Identity(std::size_t size)
{
    ComplexMatrix identity(size, size);
    for (std::size_t k = 0; k < size; ++k)
        identity(k, k) = 1.0;
    return identity;
}

ComplexMatrix ComplexMatrix::operator*(const ComplexMatrix& other) const
{
    ComplexMatrix product(rows_, other.columns_);
    for (std::size_t i = 0; i < rows_; ++i) {
        for (std::size_t k = 0; k < columns_; ++k) {
            const Complex left = (*this)(i, k);
            for (std::size_t j = 0; j < other.columns_; ++j)
                product(i, j) += left * other(k, j);
        }
    }
    return product;
}

ComplexMatrix ComplexMatrix::operator+(const ComplexMatrix& other) const
{
    ComplexMatrix sum = *this;
    for (std::size_t k = 0; k < values_.size(); ++k)
        sum.values_[k] += other.values_[k];
    return sum;
}

ComplexMatrix ComplexMatrix::operator-(const ComplexMatrix& other) const
{
    return *this + other * Complex(-1.0);
}

ComplexMatrix ComplexMatrix::operator*(Complex factor) const
{
    ComplexMatrix scaled = *this;
    for (Complex& value : scaled.values_)
        value *= factor;
    return scaled;
}

std::vector<Complex> ComplexMatrix::operator*(const std::vector<Complex>& vector) const
{
    std::vector<Complex> product(rows_);
    for (std::size_t i = 0; i < rows_; ++i) {
        for (std::size_t k = 0; k < columns_; ++k)
            product[i] += (*this)(i, k) * vector[k];
    }
    return product;
}

ComplexMatrix ComplexMatrix::Block(std::size_t row, std::size_t column, std::size_t rows, std::size_t columns) const
{
    ComplexMatrix block(rows, columns);
    for (std::size_t i = 0; i < rows; ++i) {
        for (std::size_t j = 0; j < columns; ++j)
            block(i, j) = (*this)(row + i, column + j);
    }
    return block;
}

void ComplexMatrix::SetBlock(std::size_t row, std::size_t column, const ComplexMatrix& block)
{
    for (std::size_t i = 0; i < block.rows_; ++i) {
        for (std::size_t j = 0; j < block.columns_; ++j)
            (*this)(row + i, column + j) = block(i, j);
    }
}

double ComplexMatrix::Norm() const
{
    double largest = 0.0;
    for (std::size_t i = 0; i < rows_; ++i) {
        double sum = 0.0;
        for (std::size_t j = 0; j < columns_; ++j)
            sum += std::abs((*this)(i, j));
        largest = std::max(largest, sum);
    }
    return largest;
}

ComplexMatrix Solve(ComplexMatrix a, ComplexMatrix b)
{
    const std::size_t n = a.Rows();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a(row, col)) > std::abs(a(pivot, col)))
                pivot = row;
        }
        if (std::abs(a(pivot, col)) == 0.0)
            throw std::runtime_error("the network has no single solution");
        for (std::size_t j = 0; j < n; ++j)
            std::swap(a(col, j), a(pivot, j));
        for (std::size_t j = 0; j < b.Columns(); ++j)
            std::swap(b(col, j), b(pivot, j));
        for (std::size_t row = 0; row < n; ++row) {
            if (row == col)
                continue;
            const Complex factor = a(row, col) / a(col, col);
            for (std::size_t j = col; j < n; ++j)
                a(row, j) -= factor * a(col, j);
            for (std::size_t j = 0; j < b.Columns(); ++j)
                b(row, j) -= factor * b(col, j);
        }
    }
    for (std::size_t row = 0; row < n; ++row) {
        for (std::size_t j = 0; j < b.Columns(); ++j)
            b(row, j) /= a(row, row);
    }
    return b;
}

ComplexMatrix Inverse(const ComplexMatrix& a)
{
    return Solve(a, ComplexMatrix::Identity(a.Rows()));
}

ComplexMatrix Exponential(const ComplexMatrix& a)
{
    int squarings = 0;
    double norm = a.Norm();
    while (norm > 0.25) {
        norm /= 2.0;
        ++squarings;
    }
    const ComplexMatrix scaled = a * Complex(std::ldexp(1.0, -squarings));
    ComplexMatrix sum = ComplexMatrix::Identity(a.Rows());
    ComplexMatrix term = sum;
    for (int k = 1; k <= 18; ++k) {
        term = term * scaled * Complex(1.0 / k);
        sum = sum + term;
    }
    for (int k = 0; k < squarings; ++k)
        sum = sum * sum;
    return sum;
}

} // namespace zarva::sim
